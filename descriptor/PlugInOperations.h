#pragma once
// The host's operations on one plug-in object, declared once, and the one
// operation the plug-in offers its tools besides. The plug-in's own object
// (TPlugIn) implements them; the COM object forwards each slot to them; the
// tools implement them over a loaded DLL's slots, so one printer serves
// both. Out-parameters and result codes are the host's: a null out-pointer
// gives E_POINTER with nothing written, a failure E_FAIL with the reason as
// the object's last-error text. Nothing raises. Every text an object hands
// out stays valid until its next GetData or ExplainData, or its release.
#include <cstdint>

#include "descriptor/HResult.h"

namespace filedata {

class IPlugIn {
 public:
  virtual ~IPlugIn() = default;

  // The main interface, in slot order.
  virtual HResult GetName(const char** name) noexcept = 0;
  virtual HResult GetVersionA(std::uint16_t* value) noexcept = 0;
  virtual HResult GetVersionB(std::uint16_t* value) noexcept = 0;
  // The host hands the plug-in a value of its own; what it means is the
  // host's, and this plug-in has no use for it.
  virtual HResult SetHostValue(std::int32_t value) noexcept = 0;
  // "No error" until the object's first failure.
  virtual HResult GetLastErrorText(const char** text) noexcept = 0;
  virtual HResult GetAboutCount(std::int32_t* count) noexcept = 0;
  virtual HResult GetAboutItem(std::int32_t index, const char** key, const char** value) noexcept = 0;
  virtual HResult GetDataCount(std::int32_t* count) noexcept = 0;
  // KIND is written even when INDEX names no data item.
  virtual HResult GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) noexcept = 0;
  // The query of data item ITEMINDEX. NUMBER is written only for a number
  // (VALUEKIND 0).
  virtual HResult GetData(std::int32_t itemIndex, const char* params, const char** itemName, std::uint8_t* valueKind,
                          const char** text, double* number) noexcept = 0;
  // Two calls the host makes at moments of its own choosing; what it would
  // have a plug-in do then is not known here, and S_OK has always been the
  // answer.
  virtual HResult HostHookA() noexcept = 0;
  virtual HResult HostHookB() noexcept = 0;
  // A request the host may make of a plug-in that offers it; this one
  // answers E_NOTIMPL: it offers nothing there.
  virtual HResult OptionalRequest() noexcept = 0;
  virtual HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept = 0;
  virtual HResult GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                               const char** defaultValue, const char** description) noexcept = 0;
  virtual HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept = 0;
  virtual HResult GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                                       const char** defaultValue, const char** description) noexcept = 0;

  // The editor-support interface. EDITORTEXT is written only for a parameter
  // with an editor of its own.
  virtual HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) noexcept = 0;
  virtual HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                                 const char** editorText) noexcept = 0;

  // The auto-update interface.
  virtual HResult GetUpdateLocation(const char** location) noexcept = 0;
};

// A plug-in object that explains its readings, for tools; the host never
// asks for this.
class IExplainingPlugIn : public IPlugIn {
 public:
  // GetData, answered and written exactly as GetData answers, from the same
  // one read of the file, and STEPS: a JSON array of the steps the query
  // took, each {"step":...,"detail":...} and the values involved, the
  // answer last. STEPS is written whatever the result, but for E_POINTER.
  virtual HResult ExplainData(std::int32_t itemIndex, const char* params, const char** itemName,
                              std::uint8_t* valueKind, const char** text, double* number,
                              const char** steps) noexcept = 0;
  // ExplainData, and VIEW: a JSON object of the file's first and last lines
  // as the query reads them and the advice on the cut, read from the same
  // open file. VIEW is written whatever the result, but for E_POINTER.
  virtual HResult ExplainWithView(std::int32_t itemIndex, const char* params, const char** itemName,
                                  std::uint8_t* valueKind, const char** text, double* number, const char** steps,
                                  const char** view) noexcept = 0;
};

}  // namespace filedata
