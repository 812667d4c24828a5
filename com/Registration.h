#pragma once
// The registry entries of a class: written by registration, removed by
// unregistration, all under HKEY_CLASSES_ROOT.
#include <windows.h>

#include <string>

#include "com/ComObjectFactory.h"

namespace filedata::com {

// Writes or removes FACTORY's entries. Writing raises EOleRegistrationError
// at the first key or value that fails, leaving what was written; removal
// ignores keys that cannot be deleted.
void ApplyClassRegistration(const TComObjectFactory& factory, TRegistration direction);

// The braced upper-case text of an identifier, as the registry holds it.
std::string GuidText(REFGUID guid);

}  // namespace filedata::com
