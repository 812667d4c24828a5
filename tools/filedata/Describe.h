#pragma once
// filedata --describe: every answer the host can ask the plug-in for about
// itself, gathered through the same operations the host calls.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "query/HResult.h"

namespace filedata::tool {

struct TParamDescription {
  std::string Name;
  std::string Default;
  std::string Description;
  std::uint8_t EditorKind = 0;
  std::optional<std::string> EditorText;  // none when the operation wrote none
};

struct TDataItemDescription {
  std::int32_t Index = 0;
  std::string Name;
  std::uint8_t Kind = 0;
  std::uint8_t EditorFlags = 0;
  std::vector<TParamDescription> Params;
  std::vector<TParamDescription> AdvancedParams;
};

struct TAboutRowDescription {
  std::string Key;
  std::string Value;
};

struct TDescription {
  std::string Name;
  std::uint16_t VersionA = 0;
  std::uint16_t VersionB = 0;
  std::vector<TAboutRowDescription> About;
  std::vector<TDataItemDescription> DataItems;
  std::string UpdateLocation;
  std::optional<std::string> LastErrorText;  // none when the source keeps none
};

// Whoever answers the questions: the descriptor operations themselves, or a
// plug-in object reached through its interfaces. Each call has the meaning
// and the out-parameters of the host operation of the same name.
class TDescriptionSource {
 public:
  virtual ~TDescriptionSource() = default;
  virtual HResult GetName(const char** name) = 0;
  virtual HResult GetVersionA(std::uint16_t* value) = 0;
  virtual HResult GetVersionB(std::uint16_t* value) = 0;
  virtual HResult GetAboutCount(std::int32_t* count) = 0;
  virtual HResult GetAboutItem(std::int32_t index, const char** key, const char** value) = 0;
  virtual HResult GetDataCount(std::int32_t* count) = 0;
  virtual HResult GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) = 0;
  virtual HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) = 0;
  virtual HResult GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                               const char** defaultValue, const char** description) = 0;
  virtual HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) = 0;
  virtual HResult GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                                       const char** defaultValue, const char** description) = 0;
  virtual HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) = 0;
  virtual HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                                 const char** editorText) = 0;
  virtual HResult GetUpdateLocation(const char** location) = 0;
  // Only a source that stands for one plug-in object has a last-error text.
  virtual bool HasLastErrorText() const { return false; }
  virtual HResult GetLastErrorText(const char** /*text*/) { return hr::NotImpl; }
};

// Asks SOURCE every question in turn; raises std::runtime_error if one fails
// (with the source's last-error text, when it keeps one).
TDescription Describe(TDescriptionSource& source);

// The same, answered by the descriptor operations of this build.
TDescription Describe();

// Aligned, multi-line; ends with a newline.
std::string PlainDescription(const TDescription& description);

// One JSON object on one line, without a newline.
std::string JsonDescription(const TDescription& description);

// Writes the description to stdout; returns the exit status (1 if a
// question failed, with the reason on stderr).
int PrintDescription(bool json);

}  // namespace filedata::tool
