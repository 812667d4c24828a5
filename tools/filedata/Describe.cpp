#include "tools/filedata/Describe.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "descriptor/Descriptor.h"
#include "tools/filedata/AnswerFormat.h"

namespace filedata::tool {

namespace {
using CountOperation = HResult (*)(std::int32_t, std::int32_t*) noexcept;
using ParamOperation = HResult (*)(TLastErrorText&, std::int32_t, std::int32_t, const char**, const char**,
                                   const char**) noexcept;

void Check(HResult result, const char* operation) {
  if (result != hr::Ok) throw std::runtime_error(std::string(operation) + " answered " + ResultName(result));
}

TParamDescription DescribeParam(std::int32_t item, std::int32_t index, ParamOperation info) {
  TLastErrorText lastError;
  const char* name = nullptr;
  const char* fallback = nullptr;
  const char* description = nullptr;
  Check(info(lastError, item, index, &name, &fallback, &description), "parameter info");
  TParamDescription param;
  param.Name = name;
  param.Default = fallback;
  param.Description = description;
  const char* editorText = nullptr;
  Check(descriptor::GetParamEditor(item, name, &param.EditorKind, &editorText), "GetParamEditor");
  if (editorText) param.EditorText = editorText;
  return param;
}

std::vector<TParamDescription> DescribeParams(std::int32_t item, CountOperation count, ParamOperation info) {
  std::int32_t rows = 0;
  Check(count(item, &rows), "parameter count");
  std::vector<TParamDescription> params;
  for (std::int32_t i = 0; i < rows; ++i) params.push_back(DescribeParam(item, i, info));
  return params;
}

TDataItemDescription DescribeDataItem(std::int32_t index) {
  TLastErrorText lastError;
  TDataItemDescription item;
  item.Index = index;
  const char* name = nullptr;
  Check(descriptor::GetDataInfo(lastError, index, &name, &item.Kind), "GetDataInfo");
  item.Name = name;
  Check(descriptor::GetEditorFlags(index, &item.EditorFlags), "GetEditorFlags");
  item.Params = DescribeParams(index, descriptor::GetParamCount, descriptor::GetParamInfo);
  item.AdvancedParams = DescribeParams(index, descriptor::GetAdvancedParamCount, descriptor::GetAdvancedParamInfo);
  return item;
}

std::vector<TAboutRowDescription> DescribeAbout() {
  TLastErrorText lastError;
  std::int32_t rows = 0;
  Check(descriptor::GetAboutCount(&rows), "GetAboutCount");
  std::vector<TAboutRowDescription> about;
  for (std::int32_t i = 0; i < rows; ++i) {
    const char* key = nullptr;
    const char* value = nullptr;
    Check(descriptor::GetAboutItem(lastError, i, &key, &value), "GetAboutItem");
    about.push_back({key, value});
  }
  return about;
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string EditorHint(const TParamDescription& param) {
  const std::string hint = "editor " + std::to_string(param.EditorKind);
  return param.EditorText ? hint + " with text \"" + *param.EditorText + "\"" : hint + ", no text";
}

std::string PlainParams(const char* heading, const std::vector<TParamDescription>& params) {
  std::size_t width = 0;
  for (const auto& param : params) width = std::max(width, param.Name.size() + 2);
  std::string out = std::string("  ") + heading + "\n";
  for (const auto& param : params) {
    out += "    " + Padded(param.Name, width) + "default \"" + param.Default + "\", " + EditorHint(param) + "\n";
    out += "    " + Padded("", width) + param.Description + "\n";
  }
  return out;
}

std::string JsonParams(const std::vector<TParamDescription>& params) {
  std::string out = "[";
  for (std::size_t i = 0; i < params.size(); ++i) {
    const TParamDescription& param = params[i];
    out += std::string(i ? "," : "") + "{\"name\":" + JsonString(param.Name) + ",\"default\":" + JsonString(param.Default) +
           ",\"description\":" + JsonString(param.Description) +
           ",\"editorKind\":" + std::to_string(param.EditorKind) +
           ",\"editorText\":" + (param.EditorText ? JsonString(*param.EditorText) : "null") + "}";
  }
  return out + "]";
}

std::string JsonDataItem(const TDataItemDescription& item) {
  return "{\"index\":" + std::to_string(item.Index) + ",\"name\":" + JsonString(item.Name) +
         ",\"kind\":" + std::to_string(item.Kind) + ",\"editorFlags\":" + std::to_string(item.EditorFlags) +
         ",\"params\":" + JsonParams(item.Params) + ",\"advancedParams\":" + JsonParams(item.AdvancedParams) + "}";
}
}  // namespace

TDescription Describe() {
  TDescription description;
  const char* name = nullptr;
  Check(descriptor::GetName(&name), "GetName");
  description.Name = name;
  Check(descriptor::GetVersionA(&description.VersionA), "GetVersionA");
  Check(descriptor::GetVersionB(&description.VersionB), "GetVersionB");
  description.About = DescribeAbout();
  std::int32_t items = 0;
  Check(descriptor::GetDataCount(&items), "GetDataCount");
  for (std::int32_t i = 0; i < items; ++i) description.DataItems.push_back(DescribeDataItem(i));
  const char* location = nullptr;
  Check(descriptor::GetUpdateLocation(&location), "GetUpdateLocation");
  description.UpdateLocation = location;
  return description;
}

std::string PlainDescription(const TDescription& description) {
  constexpr std::size_t kLabelWidth = 17;
  std::string out = Padded("Name", kLabelWidth) + description.Name + "\n";
  out += Padded("Version words", kLabelWidth) + "A " + std::to_string(description.VersionA) + ", B " +
         std::to_string(description.VersionB) + "\n";
  out += Padded("Update location", kLabelWidth) + description.UpdateLocation + "\n\nAbout\n";
  std::size_t width = 0;
  for (const auto& row : description.About) width = std::max(width, row.Key.size() + 2);
  for (const auto& row : description.About) out += "  " + Padded(row.Key, width) + row.Value + "\n";
  for (const auto& item : description.DataItems) {
    out += "\nData item " + std::to_string(item.Index) + ": " + item.Name + " (kind " + std::to_string(item.Kind) +
           ", editor flags " + std::to_string(item.EditorFlags) + ")\n";
    out += PlainParams("Parameters", item.Params) + PlainParams("Advanced parameters", item.AdvancedParams);
  }
  return out;
}

std::string JsonDescription(const TDescription& description) {
  std::string out = "{\"name\":" + JsonString(description.Name) +
                    ",\"versionA\":" + std::to_string(description.VersionA) +
                    ",\"versionB\":" + std::to_string(description.VersionB) + ",\"about\":[";
  for (std::size_t i = 0; i < description.About.size(); ++i) {
    out += std::string(i ? "," : "") + "{\"key\":" + JsonString(description.About[i].Key) +
           ",\"value\":" + JsonString(description.About[i].Value) + "}";
  }
  out += "],\"dataItems\":[";
  for (std::size_t i = 0; i < description.DataItems.size(); ++i) {
    out += std::string(i ? "," : "") + JsonDataItem(description.DataItems[i]);
  }
  return out + "],\"updateLocation\":" + JsonString(description.UpdateLocation) + "}";
}

int PrintDescription(bool json) {
  try {
    const TDescription description = Describe();
    const std::string text = json ? JsonDescription(description) + "\n" : PlainDescription(description);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "filedata: %s\n", failure.what());
    return 1;
  }
}

}  // namespace filedata::tool
