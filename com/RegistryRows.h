#pragma once
// A class's registry entries under HKEY_CLASSES_ROOT, made from its texts.
// Portable: registration writes them, and the build prints the installer's
// rows of them (packaging/RegistryRowsTool.cpp).
#include <string>
#include <string_view>
#include <vector>

namespace filedata::com {

struct TClassTexts {
  std::string classId;  // the braced upper-case text
  std::string serverKey;
  std::string progId;  // empty: the class has no ProgID, nor its entries
  std::string path;    // the library, as the server key names it
  std::string threadingModel;
  std::string description;
};

struct TRegistryValue {
  std::string key;
  std::string valueName;  // empty: the key's default value
  std::string text;
};

// The library name, ".", the class name; empty without a class name.
std::string ProgIDOf(std::string_view libraryName, std::string_view className);

// In the order registration writes them; unregistration removes their keys
// in the reverse order, children before parents.
std::vector<TRegistryValue> ClassRegistryValues(const TClassTexts& texts);

}  // namespace filedata::com
