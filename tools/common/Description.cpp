#include "tools/common/Description.h"

#include <algorithm>
#include <stdexcept>

#include "explain/AnswerWords.h"
#include "explain/JsonWriting.h"
#include "tools/common/Answered.h"

namespace filedata::tool {

namespace {
using TCountOperation = HResult (IPlugIn::*)(std::int32_t, std::int32_t*) noexcept;
using TParamOperation = HResult (IPlugIn::*)(std::int32_t, std::int32_t, const char**, const char**,
                                            const char**) noexcept;

void Check(IPlugIn& plugIn, HResult result, const char* operation) {
  if (result == hr::Ok) return;
  const char* lastError = nullptr;
  if (plugIn.GetLastErrorText(&lastError) != hr::Ok || !lastError) lastError = "";
  throw std::runtime_error(Answered(operation, result, lastError));
}

// A plug-in reached through its interfaces might answer S_OK and leave a text
// unwritten; that is a fault to report, not a null to copy.
std::string Written(const char* text, const char* operation) {
  if (!text) throw std::runtime_error(Answered(operation, hr::Ok) + " but wrote no text");
  return text;
}

TParamDescription DescribeParam(IPlugIn& plugIn, std::int32_t item, std::int32_t index, TParamOperation info) {
  const char* name = nullptr;
  const char* fallback = nullptr;
  const char* description = nullptr;
  Check(plugIn, (plugIn.*info)(item, index, &name, &fallback, &description), "parameter info");
  TParamDescription param;
  param.Name = Written(name, "parameter info");
  param.Default = Written(fallback, "parameter info");
  param.Description = Written(description, "parameter info");
  const char* editorText = nullptr;
  Check(plugIn, plugIn.GetParamEditor(item, name, &param.EditorKind, &editorText), "GetParamEditor");
  if (editorText) param.EditorText = editorText;
  return param;
}

std::vector<TParamDescription> DescribeParams(IPlugIn& plugIn, std::int32_t item, TCountOperation count,
                                              TParamOperation info) {
  std::int32_t rows = 0;
  Check(plugIn, (plugIn.*count)(item, &rows), "parameter count");
  std::vector<TParamDescription> params;
  for (std::int32_t i = 0; i < rows; ++i) params.push_back(DescribeParam(plugIn, item, i, info));
  return params;
}

TDataItemDescription DescribeDataItem(IPlugIn& plugIn, std::int32_t index) {
  TDataItemDescription item;
  item.Index = index;
  const char* name = nullptr;
  Check(plugIn, plugIn.GetDataInfo(index, &name, &item.Kind), "GetDataInfo");
  item.Name = Written(name, "GetDataInfo");
  Check(plugIn, plugIn.GetEditorFlags(index, &item.EditorFlags), "GetEditorFlags");
  item.Params = DescribeParams(plugIn, index, &IPlugIn::GetParamCount, &IPlugIn::GetParamInfo);
  item.AdvancedParams = DescribeParams(plugIn, index, &IPlugIn::GetAdvancedParamCount, &IPlugIn::GetAdvancedParamInfo);
  return item;
}

std::vector<TAboutRowDescription> DescribeAbout(IPlugIn& plugIn) {
  std::int32_t rows = 0;
  Check(plugIn, plugIn.GetAboutCount(&rows), "GetAboutCount");
  std::vector<TAboutRowDescription> about;
  for (std::int32_t i = 0; i < rows; ++i) {
    const char* key = nullptr;
    const char* value = nullptr;
    Check(plugIn, plugIn.GetAboutItem(i, &key, &value), "GetAboutItem");
    about.push_back({Written(key, "GetAboutItem"), Written(value, "GetAboutItem")});
  }
  return about;
}

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string EditorHint(const TParamDescription& param) {
  const std::string hint = "editor " + std::to_string(param.EditorKind);
  return param.EditorText ? hint + " with text " + Quoted(*param.EditorText) : hint + ", no text";
}

std::string PlainParams(const char* heading, const std::vector<TParamDescription>& params) {
  std::size_t width = 0;
  for (const auto& param : params) width = std::max(width, param.Name.size() + 2);
  std::string out = std::string("  ") + heading + "\n";
  for (const auto& param : params) {
    out += "    " + Padded(param.Name, width) + "default " + Quoted(param.Default) + ", " + EditorHint(param) + "\n";
    out += "    " + Padded("", width) + param.Description + "\n";
  }
  return out;
}

std::string JsonParams(const std::vector<TParamDescription>& params) {
  std::vector<std::string> out;
  for (const TParamDescription& param : params) {
    TJsonObject json;
    json.Text("name", param.Name)
        .Text("default", param.Default)
        .Text("description", param.Description)
        .Integer("editorKind", param.EditorKind);
    out.push_back((param.EditorText ? json.Text("editorText", *param.EditorText) : json.Null("editorText")).Close());
  }
  return JsonArray(out);
}

std::string JsonDataItem(const TDataItemDescription& item) {
  return TJsonObject()
      .Integer("index", item.Index)
      .Text("name", item.Name)
      .Integer("kind", item.Kind)
      .Integer("editorFlags", item.EditorFlags)
      .Json("params", JsonParams(item.Params))
      .Json("advancedParams", JsonParams(item.AdvancedParams))
      .Close();
}
}  // namespace

TDescription Describe(IPlugIn& plugIn, TLastErrorQuestion lastError) {
  TDescription description;
  const char* name = nullptr;
  Check(plugIn, plugIn.GetName(&name), "GetName");
  description.Name = Written(name, "GetName");
  Check(plugIn, plugIn.GetVersionA(&description.VersionA), "GetVersionA");
  Check(plugIn, plugIn.GetVersionB(&description.VersionB), "GetVersionB");
  description.About = DescribeAbout(plugIn);
  std::int32_t items = 0;
  Check(plugIn, plugIn.GetDataCount(&items), "GetDataCount");
  for (std::int32_t i = 0; i < items; ++i) description.DataItems.push_back(DescribeDataItem(plugIn, i));
  const char* location = nullptr;
  Check(plugIn, plugIn.GetUpdateLocation(&location), "GetUpdateLocation");
  description.UpdateLocation = Written(location, "GetUpdateLocation");
  if (lastError == TLastErrorQuestion::Ask) {
    const char* lastError = nullptr;
    Check(plugIn, plugIn.GetLastErrorText(&lastError), "GetLastErrorText");
    description.LastErrorText = Written(lastError, "GetLastErrorText");
  }
  return description;
}

std::string LabelledLine(const std::string& label, const std::string& value) {
  constexpr std::size_t kLabelWidth = 17;
  return Padded(label, kLabelWidth) + value + "\n";
}

std::string PlainDescription(const TDescription& description) {
  std::string out = LabelledLine("Name", description.Name);
  out += LabelledLine("Version words", "A " + std::to_string(description.VersionA) + ", B " +
                                           std::to_string(description.VersionB));
  out += LabelledLine("Update location", description.UpdateLocation);
  if (description.LastErrorText) out += LabelledLine("Last-error text", *description.LastErrorText);
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
  std::vector<std::string> about, items;
  for (const TAboutRowDescription& row : description.About) {
    about.push_back(TJsonObject().Text("key", row.Key).Text("value", row.Value).Close());
  }
  for (const TDataItemDescription& item : description.DataItems) items.push_back(JsonDataItem(item));
  TJsonObject out;
  out.Text("name", description.Name)
      .Integer("versionA", description.VersionA)
      .Integer("versionB", description.VersionB)
      .Json("about", JsonArray(about))
      .Json("dataItems", JsonArray(items))
      .Text("updateLocation", description.UpdateLocation);
  if (description.LastErrorText) out.Text("lastErrorText", *description.LastErrorText);
  return out.Close();
}

}  // namespace filedata::tool
