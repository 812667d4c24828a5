#include "com/Registration.h"

#include <array>
#include <iterator>
#include <memory>
#include <string_view>

#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"
#include "com/ModulePath.h"
#include "com/OleErrors.h"

namespace filedata::com {

namespace {

enum class TWhen { Always, HasProgId };

struct TRegistryRow {
  const char* key;
  const char* valueName;  // "" is the key's default value
  const char* text;
  TWhen when;
};

// The registry as registration leaves it, in the order it is written
// (RegistryRows.inc, which the installer's rows are made from too);
// unregistration removes the keys in the reverse order, children before
// parents.
constexpr TRegistryRow kRows[] = {
#define FILEDATA_REGISTRY_ROW(key, valueName, text, when) {key, valueName, text, TWhen::when},
#include "com/RegistryRows.inc"
#undef FILEDATA_REGISTRY_ROW
};

struct TPlaceholder {
  std::string_view name;
  std::string value;
};

// The texts a factory's rows are made of. The library path is only needed,
// and only looked up, when registering.
struct TClassTexts {
  std::array<TPlaceholder, 6> placeholders;

  TClassTexts(const TComObjectFactory& factory, TRegistration direction)
      : placeholders{{{"class", GuidText(factory.ClassId())},
                      {"server", factory.Server().ServerKeyName()},
                      {"progid", factory.BuildProgID()},
                      {"path", direction == TRegistration::Register ? PathWithoutSpaces(factory.Server().ModuleFilePath()) : std::string()},
                      {"threading", factory.ThreadingModel()},
                      {"description", factory.Description()}}} {}

  const std::string& Value(std::string_view name) const {
    for (const TPlaceholder& placeholder : placeholders) {
      if (placeholder.name == name) return placeholder.value;
    }
    throw Exception("unknown registry placeholder {" + std::string(name) + "}");
  }

  // PATTERN with every {name} replaced by its text.
  std::string Expand(std::string_view pattern) const {
    std::string out;
    for (std::size_t at = 0; at < pattern.size();) {
      const std::size_t open = pattern.find('{', at);
      const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
      if (close == std::string_view::npos) {
        out.append(pattern.substr(at));
        break;
      }
      out.append(pattern.substr(at, open - at)).append(Value(pattern.substr(open + 1, close - open - 1)));
      at = close + 1;
    }
    return out;
  }

  bool Applies(TWhen when) const { return when == TWhen::Always || !Value("progid").empty(); }
};

void SetClassesRootValue(const std::string& key, const char* valueName, const std::string& text) {
  HKEY handle = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                                KEY_READ | KEY_WRITE, nullptr, &handle, nullptr);
  if (result == ERROR_SUCCESS) {
    result = RegSetValueExA(handle, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(handle);
  }
  if (result != ERROR_SUCCESS) throw EOleRegistrationError::CannotCreateEntry();
}

void DeleteClassesRootKey(const std::string& key) { RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str()); }

}  // namespace

std::string GuidText(REFGUID guid) {
  LPOLESTR wide = nullptr;
  OleCheck(StringFromCLSID(guid, &wide));
  const std::unique_ptr<OLECHAR, decltype(&CoTaskMemFree)> owned(wide, &CoTaskMemFree);
  std::string text;
  for (const OLECHAR* c = wide; *c; ++c) text.push_back(static_cast<char>(*c));  // hex digits, braces, dashes
  return text;
}

void ApplyClassRegistration(const TComObjectFactory& factory, TRegistration direction) {
  const TClassTexts texts(factory, direction);
  if (direction == TRegistration::Register) {
    for (const TRegistryRow& row : kRows) {
      if (texts.Applies(row.when)) SetClassesRootValue(texts.Expand(row.key), row.valueName, texts.Expand(row.text));
    }
    return;
  }
  std::string removed;
  for (auto row = std::rbegin(kRows); row != std::rend(kRows); ++row) {
    if (!texts.Applies(row->when)) continue;
    const std::string key = texts.Expand(row->key);
    if (key != removed) DeleteClassesRootKey(key);  // a key with two values is removed once
    removed = key;
  }
}

}  // namespace filedata::com
