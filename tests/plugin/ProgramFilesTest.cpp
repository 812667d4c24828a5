// The data query of the built library on files as Windows programs write
// them: UTF-16 with its mark decoded to the ANSI code page, everything else
// read byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/plugin/PlugInDllFixture.h"
#include "tests/support/WindowsProgramFiles.h"

namespace filedata::plugintest {
namespace {

using filedata::testing::TAnswer;

TEST_F(PlugInDllTest, GetDataAnswersFilesAsWindowsProgramsWriteThem) {
  // The table's Windows answers are those of code page 1252.
  const bool westernCodePage = GetACP() == 1252;
  const TScratchFolder folder("filedata-programs");
  const std::string path = folder.PathOf("written.txt");
  for (const filedata::testing::TProgramFile& file : filedata::testing::WindowsProgramFiles()) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file.Bytes;
    for (const filedata::testing::TProgramQuery& query : file.Queries) {
      if (query.Windows && !westernCodePage) continue;
      const TAnswer& want = query.Windows ? *query.Windows : query.Posix;
      const std::string params = "FILENAME=" + path + query.Params;
      for (const TQuerySlot slot : kQuerySlots) {
        SCOPED_TRACE(file.Writer + ", " + (query.Params.empty() ? "no more parameters" : query.Params) +
                     SlotName(slot));
        const TReading reading = Read(0, params.c_str(), slot);
        EXPECT_EQ(reading.result, want.Kind == TAnswer::Failure ? E_FAIL : S_OK);
        if (want.Kind == TAnswer::Failure) {
          EXPECT_EQ(reading.lastError, want.Words);
          continue;
        }
        EXPECT_EQ(reading.kind, want.Kind == TAnswer::Number ? 0 : 1);
        EXPECT_EQ(reading.text, want.Kind == TAnswer::Number ? "" : want.Words);
        EXPECT_EQ(reading.number, want.Kind == TAnswer::Number ? want.Value : kUntouchedNumber);
      }
    }
  }
}

}  // namespace
}  // namespace filedata::plugintest
