#pragma once
// A plug-in object as the host holds it: its main interface and the two it
// answers besides, seen as the host's operations, each one slot call; and,
// where the build has them, the explanation and file-view interfaces the
// tools ask.
#include "com/FiledataExplainInterface.h"
#include "com/FiledataFileViewInterface.h"
#include "com/QeltAutoUpdateInterface.h"
#include "com/QeltEditorSupportInterface.h"
#include "com/QeltGenInterface.h"
#include "descriptor/PlugInOperations.h"
#include "tools/plugin-host/ComRef.h"

namespace filedata::host {

class TLoadedPlugIn final : public IExplainingPlugIn {
 public:
  // Takes over MAIN and asks it for the other two interfaces, raising
  // std::runtime_error when it lacks one, and for the tools' two.
  explicit TLoadedPlugIn(TComRef<com::IQeltGen> main);

  // False for a build without the explanation interface (an older one):
  // ExplainData then answers E_NOINTERFACE and writes nothing.
  bool CanExplain() const noexcept { return static_cast<bool>(explain_); }
  // False for a build without the file view: ExplainWithView then answers
  // E_NOINTERFACE and writes nothing.
  bool CanView() const noexcept { return static_cast<bool>(fileView_); }

  HResult GetName(const char** name) noexcept override;
  HResult GetVersionA(std::uint16_t* value) noexcept override;
  HResult GetVersionB(std::uint16_t* value) noexcept override;
  HResult SetHostValue(std::int32_t value) noexcept override;
  HResult GetLastErrorText(const char** text) noexcept override;
  HResult GetAboutCount(std::int32_t* count) noexcept override;
  HResult GetAboutItem(std::int32_t index, const char** key, const char** value) noexcept override;
  HResult GetDataCount(std::int32_t* count) noexcept override;
  HResult GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) noexcept override;
  HResult GetData(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                  const char** text, double* number) noexcept override;
  HResult HostHookA() noexcept override;
  HResult HostHookB() noexcept override;
  HResult OptionalRequest() noexcept override;
  HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept override;
  HResult GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name, const char** defaultValue,
                       const char** description) noexcept override;
  HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept override;
  HResult GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                               const char** defaultValue, const char** description) noexcept override;
  HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) noexcept override;
  HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                         const char** editorText) noexcept override;
  HResult GetUpdateLocation(const char** location) noexcept override;
  HResult ExplainData(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                      const char** text, double* number, const char** steps) noexcept override;
  HResult ExplainWithView(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                          const char** text, double* number, const char** steps,
                          const char** view) noexcept override;

 private:
  TComRef<com::IQeltGen> main_;
  TComRef<com::IQeltEditorSupport> editorSupport_;
  TComRef<com::IQeltAutoUpdate> autoUpdate_;
  TComRef<com::IFiledataExplain> explain_;
  TComRef<com::IFiledataFileView> fileView_;
};

}  // namespace filedata::host
