#include "com/Registration.h"

#include <array>
#include <memory>

#include "com/ComObjectFactory.h"
#include "com/ComServerObject.h"
#include "com/ModulePath.h"
#include "com/OleErrors.h"

namespace filedata::com {

namespace {

// The keys and texts the entries are made of, computed once per call.
enum class TKey { Class, Server, ProgId, ProgIdClsid, ClassProgId, Count };
enum class TText { Description, LibraryPath, ThreadingModel, ClassText, ProgId, Count };
enum class TWhen { Always, HasThreadingModel, HasProgId };

struct TRegistryValue {
  TKey key;
  const char* valueName;  // "" is the key's default value
  TText text;
  TWhen when;
};

struct TRegistryKey {
  TKey key;
  TWhen when;
};

constexpr TRegistryValue kValues[] = {
    {TKey::Class, "", TText::Description, TWhen::Always},
    {TKey::Server, "", TText::LibraryPath, TWhen::Always},
    {TKey::Server, "ThreadingModel", TText::ThreadingModel, TWhen::HasThreadingModel},
    {TKey::ProgId, "", TText::Description, TWhen::HasProgId},
    {TKey::ProgIdClsid, "", TText::ClassText, TWhen::HasProgId},
    {TKey::ClassProgId, "", TText::ProgId, TWhen::HasProgId},
};

// Children before parents: a key with subkeys cannot be deleted.
constexpr TRegistryKey kRemovals[] = {
    {TKey::ClassProgId, TWhen::HasProgId}, {TKey::ProgIdClsid, TWhen::HasProgId}, {TKey::ProgId, TWhen::HasProgId},
    {TKey::Server, TWhen::Always},         {TKey::Class, TWhen::Always},
};

struct TClassEntries {
  std::array<std::string, static_cast<std::size_t>(TKey::Count)> keys;
  std::array<std::string, static_cast<std::size_t>(TText::Count)> texts;
  bool hasThreadingModel = false;
  bool hasProgId = false;

  const std::string& Key(TKey key) const { return keys[static_cast<std::size_t>(key)]; }
  const std::string& Text(TText text) const { return texts[static_cast<std::size_t>(text)]; }
  bool Applies(TWhen when) const {
    return when == TWhen::Always || (when == TWhen::HasThreadingModel ? hasThreadingModel : hasProgId);
  }
};

// The library path is only needed, and only looked up, when registering.
TClassEntries EntriesOf(const TComObjectFactory& factory, bool registering) {
  TClassEntries entries;
  const std::string classText = GuidText(factory.ClassId());
  const std::string progId = factory.BuildProgID();
  const std::string classKey = "CLSID\\" + classText;
  entries.keys = {classKey, classKey + "\\" + factory.Server().ServerKeyName(), progId, progId + "\\Clsid",
                  classKey + "\\ProgID"};
  const std::string libraryPath = registering ? PathWithoutSpaces(factory.Server().ModuleFilePath()) : "";
  entries.texts = {factory.Description(), libraryPath, ThreadingModelText(factory.ThreadingModel()), classText, progId};
  // This module is always a library, so a threading model other than
  // single is always written.
  entries.hasThreadingModel = factory.ThreadingModel() != TThreadingModel::Single;
  entries.hasProgId = !progId.empty();
  return entries;
}

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

void ApplyClassRegistration(const TComObjectFactory& factory, bool registering) {
  if (factory.Instancing() == TClassInstancing::Internal) return;
  const TClassEntries entries = EntriesOf(factory, registering);
  if (registering) {
    for (const TRegistryValue& value : kValues) {
      if (entries.Applies(value.when)) SetClassesRootValue(entries.Key(value.key), value.valueName, entries.Text(value.text));
    }
  } else {
    for (const TRegistryKey& removal : kRemovals) {
      if (entries.Applies(removal.when)) DeleteClassesRootKey(entries.Key(removal.key));
    }
  }
}

}  // namespace filedata::com
