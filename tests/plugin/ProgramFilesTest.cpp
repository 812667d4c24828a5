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
      SCOPED_TRACE(file.Writer + ", " + (query.Params.empty() ? "no more parameters" : query.Params));
      const TPlugIn plugIn = NewPlugIn();
      ASSERT_TRUE(plugIn.gen);
      const std::string params = "FILENAME=" + path + query.Params;
      const char* itemName = kUntouched;
      BYTE kind = kUntouchedByte;
      const char* text = kUntouched;
      double number = kUntouchedNumber;
      const HRESULT result = plugIn.gen->GetData(0, params.c_str(), &itemName, &kind, &text, &number);
      EXPECT_EQ(result, want.Kind == TAnswer::Failure ? E_FAIL : S_OK);
      if (want.Kind == TAnswer::Failure) {
        EXPECT_EQ(plugIn.LastError(), want.Words);
        continue;
      }
      EXPECT_EQ(kind, want.Kind == TAnswer::Number ? 0 : 1);
      EXPECT_EQ(Shown(text), want.Kind == TAnswer::Number ? "" : want.Words);
      EXPECT_EQ(number, want.Kind == TAnswer::Number ? want.Value : kUntouchedNumber);
    }
  }
}

}  // namespace
}  // namespace filedata::plugintest
