#pragma once
// A test of the built library as a host drives it: one plug-in object at a
// time, seen through each of its three interfaces.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "com/FiledataExplainInterface.h"
#include "com/FiledataFileViewInterface.h"
#include "com/QeltAutoUpdateInterface.h"
#include "com/QeltEditorSupportInterface.h"
#include "com/QeltGenInterface.h"
#include "tests/plugin/PlugInDll.h"

namespace filedata::plugintest {

using com::IFiledataExplain;
using com::IID_IFiledataExplain;
using com::IFiledataFileView;
using com::IID_IFiledataFileView;
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

// One plug-in object seen through each of its interfaces.
struct TObjectViews {
  TComRef<IQeltGen> gen;
  TComRef<IQeltEditorSupport> editor;
  TComRef<IQeltAutoUpdate> update;
  TComRef<IFiledataExplain> explain;
  TComRef<IFiledataFileView> fileView;

  std::string LastError() const {
    const char* text = kUntouched;
    EXPECT_EQ(gen->GetLastErrorText(&text), S_OK);
    return Shown(text);
  }
};

// One query's out-parameters as the slot left them, and the object's
// last-error text after it.
struct TReading {
  HRESULT result = E_UNEXPECTED;
  std::string itemName, text, steps = kUntouched, view = kUntouched, lastError;
  BYTE kind = kUntouchedByte;
  double number = kUntouchedNumber;
};

// Every way to ask for a reading: the host's, and the tools' two, which
// must answer exactly as the host's does.
enum class TQuerySlot { GetData, ExplainData, ExplainWithView };
inline constexpr TQuerySlot kQuerySlots[] = {TQuerySlot::GetData, TQuerySlot::ExplainData,
                                             TQuerySlot::ExplainWithView};
inline const char* SlotName(TQuerySlot slot) {
  return slot == TQuerySlot::GetData ? "" : slot == TQuerySlot::ExplainData ? ", explained" : ", explained with view";
}

class PlugInDllTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(library_.Module(), nullptr) << "cannot load " << BuiltLibraryPath();
    ASSERT_TRUE(library_.HasAllExports());
  }

  TObjectViews NewPlugIn() const {
    TObjectViews plugIn;
    plugIn.gen = library_.NewObject<IQeltGen>(IID_IQeltGen);
    EXPECT_TRUE(plugIn.gen);
    if (plugIn.gen) {
      plugIn.editor = QueryAs<IQeltEditorSupport>(plugIn.gen.Get(), IID_IQeltEditorSupport);
      plugIn.update = QueryAs<IQeltAutoUpdate>(plugIn.gen.Get(), IID_IQeltAutoUpdate);
      plugIn.explain = QueryAs<IFiledataExplain>(plugIn.gen.Get(), IID_IFiledataExplain);
      plugIn.fileView = QueryAs<IFiledataFileView>(plugIn.gen.Get(), IID_IFiledataFileView);
    }
    EXPECT_TRUE(plugIn.editor && plugIn.update && plugIn.explain && plugIn.fileView);
    return plugIn;
  }

  // The query on a fresh object through SLOT.
  TReading Read(LONG item, const char* params, TQuerySlot slot) const {
    const TObjectViews plugIn = NewPlugIn();
    TReading reading;
    if (!plugIn.explain || !plugIn.fileView) return reading;
    const char* itemName = kUntouched;
    const char* text = kUntouched;
    const char* steps = kUntouched;
    const char* view = kUntouched;
    switch (slot) {
      case TQuerySlot::GetData:
        reading.result = plugIn.gen->GetData(item, params, &itemName, &reading.kind, &text, &reading.number);
        break;
      case TQuerySlot::ExplainData:
        reading.result =
            plugIn.explain->ExplainData(item, params, &itemName, &reading.kind, &text, &reading.number, &steps);
        break;
      case TQuerySlot::ExplainWithView:
        reading.result = plugIn.fileView->ExplainWithView(item, params, &itemName, &reading.kind, &text,
                                                          &reading.number, &steps, &view);
        break;
    }
    reading.itemName = Shown(itemName);
    reading.text = Shown(text);
    reading.steps = Shown(steps);
    reading.view = Shown(view);
    reading.lastError = plugIn.LastError();
    return reading;
  }

  TDllUnderTest library_;
};

}  // namespace filedata::plugintest
