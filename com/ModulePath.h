#pragma once
// Where the library file lies, in the forms its registry entries need.
#include <windows.h>

#include <string>

namespace filedata::com {

// The module that holds this code (the DLL, or the program it is linked in).
HMODULE ThisModule() noexcept;

// GetModuleFileNameA of MODULE, with every component given the name the file
// system reports for it.
std::string ModuleFilePath(HMODULE module);

// Every component of PATH below its drive or share named as the file system
// names it; the walk stops at the first component it cannot find.
std::string ExpandToLongPath(const std::string& path);

// The file name of PATH without its extension (from the file name's last ".").
std::string ModuleBaseName(const std::string& path);

// PATH's short form when it holds a space (so the registry text needs no
// quoting), else PATH itself.
std::string PathWithoutSpaces(const std::string& path);

// Path text rules, apart for testing. Everything up to the last backslash or
// colon, keeping the backslash only right after a colon or backslash.
std::string DirectoryPart(const std::string& path);
// "C:" for a drive path, "\\server\share" for a UNC path, else empty.
std::string DrivePart(const std::string& path);

}  // namespace filedata::com
