#pragma once
// A plug-in object as the host holds it: its main interface and the two it
// answers besides. Asks it the descriptor questions slot by slot, and the query.
#include <string>

#include "com/QeltAutoUpdateInterface.h"
#include "com/QeltEditorSupportInterface.h"
#include "com/QeltGenInterface.h"
#include "tools/filedata/AnswerFormat.h"
#include "tools/filedata/Describe.h"
#include "tools/plugin-host/ComRef.h"

namespace filedata::host {

class TPlugInObject final : public tool::TDescriptionSource {
 public:
  // Takes over MAIN and asks it for the other two interfaces; raises
  // std::runtime_error when it lacks one.
  explicit TPlugInObject(TComRef<com::IQeltGen> main);

  HResult GetName(const char** name) override;
  HResult GetVersionA(std::uint16_t* value) override;
  HResult GetVersionB(std::uint16_t* value) override;
  HResult GetAboutCount(std::int32_t* count) override;
  HResult GetAboutItem(std::int32_t index, const char** key, const char** value) override;
  HResult GetDataCount(std::int32_t* count) override;
  HResult GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) override;
  HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) override;
  HResult GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name, const char** defaultValue,
                       const char** description) override;
  HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) override;
  HResult GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                               const char** defaultValue, const char** description) override;
  HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) override;
  HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                         const char** editorText) override;
  HResult GetUpdateLocation(const char** location) override;
  bool HasLastErrorText() const override { return true; }
  HResult GetLastErrorText(const char** text) override;

  // GetData for data item 0; on failure the object's last-error text.
  tool::TQueryOutcome Query(const std::string& params);

 private:
  TComRef<com::IQeltGen> main_;
  TComRef<com::IQeltEditorSupport> editorSupport_;
  TComRef<com::IQeltAutoUpdate> autoUpdate_;
};

}  // namespace filedata::host
