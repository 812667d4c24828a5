#pragma once
// The operations the host calls to learn about the plug-in. Each writes its
// answers through out-pointers and returns the result code; the COM binding
// maps them onto interface slots one to one. A null out-pointer gives
// E_POINTER with nothing written. A failing lookup gives E_FAIL and sets the
// object's last-error text. Nothing escapes: they are safe at a COM boundary.
#include <cstdint>

#include "query/HResult.h"
#include "query/LastErrorText.h"

namespace filedata::descriptor {

// What a fresh object reports until its first failure.
inline constexpr char kNoError[] = "No error";

HResult GetName(const char** name) noexcept;
HResult GetVersionA(std::uint16_t* value) noexcept;
HResult GetVersionB(std::uint16_t* value) noexcept;

// The object's last-error text; "No error" on an object that has not failed.
HResult GetLastErrorText(TLastErrorText& lastError, const char** text) noexcept;

HResult GetAboutCount(std::int32_t* count) noexcept;
HResult GetAboutItem(TLastErrorText& lastError, std::int32_t index, const char** key, const char** value) noexcept;

HResult GetDataCount(std::int32_t* count) noexcept;
// KIND is written even when INDEX names no data item.
HResult GetDataInfo(TLastErrorText& lastError, std::int32_t index, const char** name, std::uint8_t* kind) noexcept;

// Every data item takes the same parameters, so ITEMINDEX is not examined.
HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept;
HResult GetParamInfo(TLastErrorText& lastError, std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                     const char** defaultValue, const char** description) noexcept;
HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) noexcept;
HResult GetAdvancedParamInfo(TLastErrorText& lastError, std::int32_t itemIndex, std::int32_t paramIndex,
                             const char** name, const char** defaultValue, const char** description) noexcept;

HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) noexcept;
// PARAMNAME is zero-terminated text; null counts as the empty text. EDITORTEXT
// is written only for a parameter with an editor of its own.
HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                       const char** editorText) noexcept;

HResult GetUpdateLocation(const char** location) noexcept;

}  // namespace filedata::descriptor
