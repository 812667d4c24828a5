#pragma once
// Every answer a plug-in object gives the host about itself, gathered through
// the host's operations, and its two printed forms. filedata --describe asks
// the plug-in of its own build; filedata-host asks a loaded DLL.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "descriptor/PlugInOperations.h"

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
  std::optional<std::string> LastErrorText;  // when asked for
};

// Whether a description ends with the object's last-error text, which
// tells whether a question before it failed. A plug-in's own description
// leaves it out: it belongs to one object, not to the plug-in.
enum class TLastErrorQuestion : std::uint8_t { Skip, Ask };

// Asks PLUGIN every question in turn, and last, when asked to, its
// last-error text. Raises std::runtime_error if one fails, with the
// object's last-error text.
TDescription Describe(IPlugIn& plugIn, TLastErrorQuestion lastError);

// Aligned, multi-line; ends with a newline.
std::string PlainDescription(const TDescription& description);

// One JSON object.
std::string JsonDescription(const TDescription& description);

// "LABEL  VALUE\n" with VALUE in the column every tool's report uses.
std::string LabelledLine(const std::string& label, const std::string& value);

}  // namespace filedata::tool
