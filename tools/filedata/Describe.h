#pragma once
// filedata --describe: every answer the host can ask the plug-in for about
// itself, gathered through the same operations the host calls.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
};

// Asks every question in turn; raises std::runtime_error if one fails.
TDescription Describe();

// Aligned, multi-line; ends with a newline.
std::string PlainDescription(const TDescription& description);

// One JSON object on one line, without a newline.
std::string JsonDescription(const TDescription& description);

// Writes the description to stdout; returns the exit status (1 if a
// question failed, with the reason on stderr).
int PrintDescription(bool json);

}  // namespace filedata::tool
