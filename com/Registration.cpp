// The factory's registry entries: written by registration, removed by
// unregistration, all under HKEY_CLASSES_ROOT.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"
#include "com/ModulePath.h"
#include "com/OleErrors.h"
#include "com/RegistryRows.h"

namespace filedata::com {

namespace {

// The braced upper-case text of an identifier, as the registry holds it.
std::string GuidText(REFGUID guid) {
  LPOLESTR wide = nullptr;
  OleCheck(StringFromCLSID(guid, &wide));
  const std::unique_ptr<OLECHAR, decltype(&CoTaskMemFree)> owned(wide, &CoTaskMemFree);
  std::string text;
  for (const OLECHAR* c = wide; *c; ++c) text.push_back(static_cast<char>(*c));  // hex digits, braces, dashes
  return text;
}

void SetClassesRootValue(const TRegistryValue& value) {
  HKEY handle = nullptr;
  LONG result = RegCreateKeyExA(HKEY_CLASSES_ROOT, value.key.c_str(), 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE,
                                KEY_READ | KEY_WRITE, nullptr, &handle, nullptr);
  if (result == ERROR_SUCCESS) {
    result =
        RegSetValueExA(handle, value.valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                       static_cast<DWORD>(value.text.size() + 1));
    RegCloseKey(handle);
  }
  if (result != ERROR_SUCCESS) throw EOleRegistrationError::CannotCreateEntry();
}

void DeleteClassesRootKey(const std::string& key) { RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str()); }

}  // namespace

void TComObjectFactory::ApplyRegistration(TRegistration direction) {
  const bool registering = direction == TRegistration::Register;
  // The library path is only needed, and only looked up, when registering.
  const std::vector<TRegistryValue> values = ClassRegistryValues(
      {GuidText(classId_), server_.ServerKeyName(), BuildProgID(),
       registering ? PathWithoutSpaces(server_.ModuleFilePath()) : std::string(), threadingModel_, description_});
  if (registering) {
    for (const TRegistryValue& value : values) SetClassesRootValue(value);
    return;
  }
  std::string removed;
  for (auto value = values.rbegin(); value != values.rend(); ++value) {
    if (value->key != removed) DeleteClassesRootKey(value->key);  // a key with two values is removed once
    removed = value->key;
  }
}

}  // namespace filedata::com
