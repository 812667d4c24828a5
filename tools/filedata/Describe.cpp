#include "tools/filedata/Describe.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "descriptor/Descriptor.h"
#include "tools/filedata/AnswerFormat.h"

namespace filedata::tool {

namespace {
using CountOperation = HResult (TDescriptionSource::*)(std::int32_t, std::int32_t*);
using ParamOperation = HResult (TDescriptionSource::*)(std::int32_t, std::int32_t, const char**, const char**,
                                                       const char**);

// The descriptor operations called directly. Nothing here fails, and the one
// last-error text below merely satisfies the signatures; it is not shown.
class TDescriptorSource final : public TDescriptionSource {
 public:
  HResult GetName(const char** name) override { return descriptor::GetName(name); }
  HResult GetVersionA(std::uint16_t* value) override { return descriptor::GetVersionA(value); }
  HResult GetVersionB(std::uint16_t* value) override { return descriptor::GetVersionB(value); }
  HResult GetAboutCount(std::int32_t* count) override { return descriptor::GetAboutCount(count); }
  HResult GetAboutItem(std::int32_t index, const char** key, const char** value) override {
    return descriptor::GetAboutItem(lastError_, index, key, value);
  }
  HResult GetDataCount(std::int32_t* count) override { return descriptor::GetDataCount(count); }
  HResult GetDataInfo(std::int32_t index, const char** name, std::uint8_t* kind) override {
    return descriptor::GetDataInfo(lastError_, index, name, kind);
  }
  HResult GetParamCount(std::int32_t itemIndex, std::int32_t* count) override {
    return descriptor::GetParamCount(itemIndex, count);
  }
  HResult GetParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name, const char** defaultValue,
                       const char** description) override {
    return descriptor::GetParamInfo(lastError_, itemIndex, paramIndex, name, defaultValue, description);
  }
  HResult GetAdvancedParamCount(std::int32_t itemIndex, std::int32_t* count) override {
    return descriptor::GetAdvancedParamCount(itemIndex, count);
  }
  HResult GetAdvancedParamInfo(std::int32_t itemIndex, std::int32_t paramIndex, const char** name,
                               const char** defaultValue, const char** description) override {
    return descriptor::GetAdvancedParamInfo(lastError_, itemIndex, paramIndex, name, defaultValue, description);
  }
  HResult GetEditorFlags(std::int32_t itemIndex, std::uint8_t* flags) override {
    return descriptor::GetEditorFlags(itemIndex, flags);
  }
  HResult GetParamEditor(std::int32_t itemIndex, const char* paramName, std::uint8_t* editorKind,
                         const char** editorText) override {
    return descriptor::GetParamEditor(itemIndex, paramName, editorKind, editorText);
  }
  HResult GetUpdateLocation(const char** location) override { return descriptor::GetUpdateLocation(location); }

 private:
  TLastErrorText lastError_;
};

void Check(TDescriptionSource& source, HResult result, const char* operation) {
  if (result == hr::Ok) return;
  std::string reason = std::string(operation) + " answered " + ResultName(result);
  const char* lastError = nullptr;
  if (source.HasLastErrorText() && source.GetLastErrorText(&lastError) == hr::Ok && lastError) {
    reason += std::string(" (") + lastError + ")";
  }
  throw std::runtime_error(reason);
}

// A plug-in reached through its interfaces might answer S_OK and leave a text
// unwritten; that is a fault to report, not a null to copy.
std::string Answered(const char* text, const char* operation) {
  if (!text) throw std::runtime_error(std::string(operation) + " answered S_OK but wrote no text");
  return text;
}

TParamDescription DescribeParam(TDescriptionSource& source, std::int32_t item, std::int32_t index,
                                ParamOperation info) {
  const char* name = nullptr;
  const char* fallback = nullptr;
  const char* description = nullptr;
  Check(source, (source.*info)(item, index, &name, &fallback, &description), "parameter info");
  TParamDescription param;
  param.Name = Answered(name, "parameter info");
  param.Default = Answered(fallback, "parameter info");
  param.Description = Answered(description, "parameter info");
  const char* editorText = nullptr;
  Check(source, source.GetParamEditor(item, name, &param.EditorKind, &editorText), "GetParamEditor");
  if (editorText) param.EditorText = editorText;
  return param;
}

std::vector<TParamDescription> DescribeParams(TDescriptionSource& source, std::int32_t item, CountOperation count,
                                              ParamOperation info) {
  std::int32_t rows = 0;
  Check(source, (source.*count)(item, &rows), "parameter count");
  std::vector<TParamDescription> params;
  for (std::int32_t i = 0; i < rows; ++i) params.push_back(DescribeParam(source, item, i, info));
  return params;
}

TDataItemDescription DescribeDataItem(TDescriptionSource& source, std::int32_t index) {
  TDataItemDescription item;
  item.Index = index;
  const char* name = nullptr;
  Check(source, source.GetDataInfo(index, &name, &item.Kind), "GetDataInfo");
  item.Name = Answered(name, "GetDataInfo");
  Check(source, source.GetEditorFlags(index, &item.EditorFlags), "GetEditorFlags");
  item.Params =
      DescribeParams(source, index, &TDescriptionSource::GetParamCount, &TDescriptionSource::GetParamInfo);
  item.AdvancedParams = DescribeParams(source, index, &TDescriptionSource::GetAdvancedParamCount,
                                       &TDescriptionSource::GetAdvancedParamInfo);
  return item;
}

std::vector<TAboutRowDescription> DescribeAbout(TDescriptionSource& source) {
  std::int32_t rows = 0;
  Check(source, source.GetAboutCount(&rows), "GetAboutCount");
  std::vector<TAboutRowDescription> about;
  for (std::int32_t i = 0; i < rows; ++i) {
    const char* key = nullptr;
    const char* value = nullptr;
    Check(source, source.GetAboutItem(i, &key, &value), "GetAboutItem");
    about.push_back({Answered(key, "GetAboutItem"), Answered(value, "GetAboutItem")});
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

TDescription Describe(TDescriptionSource& source) {
  TDescription description;
  const char* name = nullptr;
  Check(source, source.GetName(&name), "GetName");
  description.Name = Answered(name, "GetName");
  Check(source, source.GetVersionA(&description.VersionA), "GetVersionA");
  Check(source, source.GetVersionB(&description.VersionB), "GetVersionB");
  description.About = DescribeAbout(source);
  std::int32_t items = 0;
  Check(source, source.GetDataCount(&items), "GetDataCount");
  for (std::int32_t i = 0; i < items; ++i) description.DataItems.push_back(DescribeDataItem(source, i));
  const char* location = nullptr;
  Check(source, source.GetUpdateLocation(&location), "GetUpdateLocation");
  description.UpdateLocation = Answered(location, "GetUpdateLocation");
  // Read last, so it tells whether any question above left a failure behind.
  if (source.HasLastErrorText()) {
    const char* lastError = nullptr;
    Check(source, source.GetLastErrorText(&lastError), "GetLastErrorText");
    description.LastErrorText = Answered(lastError, "GetLastErrorText");
  }
  return description;
}

TDescription Describe() {
  TDescriptorSource source;
  return Describe(source);
}

std::string PlainDescription(const TDescription& description) {
  constexpr std::size_t kLabelWidth = 17;
  std::string out = Padded("Name", kLabelWidth) + description.Name + "\n";
  out += Padded("Version words", kLabelWidth) + "A " + std::to_string(description.VersionA) + ", B " +
         std::to_string(description.VersionB) + "\n";
  out += Padded("Update location", kLabelWidth) + description.UpdateLocation + "\n";
  if (description.LastErrorText) out += Padded("Last-error text", kLabelWidth) + *description.LastErrorText + "\n";
  out += "\nAbout\n";
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
  out += "],\"updateLocation\":" + JsonString(description.UpdateLocation);
  if (description.LastErrorText) out += ",\"lastErrorText\":" + JsonString(*description.LastErrorText);
  return out + "}";
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
