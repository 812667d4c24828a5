#pragma once
// A test of the built library as a host drives it: one plug-in object at a
// time, seen through each of its three interfaces.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "com/QeltAutoUpdateInterface.h"
#include "com/QeltEditorSupportInterface.h"
#include "com/QeltGenInterface.h"
#include "tests/plugin/PlugInDll.h"

namespace filedata::plugintest {

using com::IID_IQeltAutoUpdate;
using com::IID_IQeltEditorSupport;
using com::IID_IQeltGen;
using com::IQeltAutoUpdate;
using com::IQeltEditorSupport;
using com::IQeltGen;

// What an out-parameter holds when the slot left it alone.
constexpr char kUntouched[] = "<untouched>";
constexpr BYTE kUntouchedByte = 0xEE;
constexpr double kUntouchedNumber = -12345.0;

inline std::string Shown(const char* text) { return text ? text : "<null>"; }
inline std::string Joined(std::initializer_list<const char*> texts) {
  std::string joined;
  for (const char* text : texts) joined += (joined.empty() ? "" : "|") + Shown(text);
  return joined;
}

// One plug-in object seen through each of its three interfaces.
struct TPlugIn {
  TComRef<IQeltGen> gen;
  TComRef<IQeltEditorSupport> editor;
  TComRef<IQeltAutoUpdate> update;

  std::string LastError() const {
    const char* text = kUntouched;
    EXPECT_EQ(gen->GetLastErrorText(&text), S_OK);
    return Shown(text);
  }
};

class PlugInDllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(library_.Module(), nullptr) << "cannot load " << BuiltLibraryPath();
    ASSERT_TRUE(library_.HasAllExports());
  }

  TPlugIn NewPlugIn() const {
    TPlugIn plugIn;
    plugIn.gen = library_.NewObject<IQeltGen>(IID_IQeltGen);
    EXPECT_TRUE(plugIn.gen);
    if (plugIn.gen) {
      plugIn.editor = QueryAs<IQeltEditorSupport>(plugIn.gen.Get(), IID_IQeltEditorSupport);
      plugIn.update = QueryAs<IQeltAutoUpdate>(plugIn.gen.Get(), IID_IQeltAutoUpdate);
    }
    EXPECT_TRUE(plugIn.editor && plugIn.update);
    return plugIn;
  }

  TDllUnderTest library_;
};

}  // namespace filedata::plugintest
