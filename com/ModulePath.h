#pragma once
// Where the library file lies, in the forms its registry entries need.
#include <windows.h>

#include <string>

namespace filedata::com {

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

}  // namespace filedata::com
