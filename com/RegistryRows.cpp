#include "com/RegistryRows.h"

#include <stdexcept>
#include <utility>

namespace filedata::com {

namespace {

enum class TWhen { Always, HasProgId };

// In keys and texts, {name} stands for that text of the class.
struct TRegistryRow {
  std::string_view key;
  std::string_view valueName;
  std::string_view text;
  TWhen when;
};

constexpr TRegistryRow kRows[] = {
    {"CLSID\\{class}", "", "{description}", TWhen::Always},
    {"CLSID\\{class}\\{server}", "", "{path}", TWhen::Always},
    {"CLSID\\{class}\\{server}", "ThreadingModel", "{threading}", TWhen::Always},
    {"{progid}", "", "{description}", TWhen::HasProgId},
    {"{progid}\\Clsid", "", "{class}", TWhen::HasProgId},
    {"CLSID\\{class}\\ProgID", "", "{progid}", TWhen::HasProgId},
};

// Each {name} of the rows and the class's text it stands for.
constexpr std::pair<std::string_view, std::string TClassTexts::*> kPlaceholders[] = {
    {"class", &TClassTexts::classId},
    {"server", &TClassTexts::serverKey},
    {"progid", &TClassTexts::progId},
    {"path", &TClassTexts::path},
    {"threading", &TClassTexts::threadingModel},
    {"description", &TClassTexts::description}};

const std::string& PlaceholderText(const TClassTexts& texts, std::string_view name) {
  for (const auto& [placeholder, text] : kPlaceholders) {
    if (placeholder == name) return texts.*text;
  }
  throw std::logic_error("unknown registry placeholder {" + std::string(name) + "}");
}

// PATTERN with every {name} replaced by its text.
std::string Expand(const TClassTexts& texts, std::string_view pattern) {
  std::string out;
  for (std::size_t open; (open = pattern.find('{')) != std::string_view::npos;) {
    const std::size_t close = pattern.find('}', open);
    if (close == std::string_view::npos) throw std::logic_error("unclosed registry placeholder");
    out.append(pattern.substr(0, open)).append(PlaceholderText(texts, pattern.substr(open + 1, close - open - 1)));
    pattern.remove_prefix(close + 1);
  }
  return out.append(pattern);
}

}  // namespace

std::string ProgIDOf(std::string_view libraryName, std::string_view className) {
  if (className.empty()) return std::string();
  return std::string(libraryName).append(".").append(className);
}

std::vector<TRegistryValue> ClassRegistryValues(const TClassTexts& texts) {
  std::vector<TRegistryValue> values;
  for (const TRegistryRow& row : kRows) {
    if (row.when == TWhen::HasProgId && texts.progId.empty()) continue;
    values.push_back({Expand(texts, row.key), std::string(row.valueName), Expand(texts, row.text)});
  }
  return values;
}

}  // namespace filedata::com
