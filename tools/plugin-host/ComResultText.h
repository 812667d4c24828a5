#pragma once
// Readable texts for the codes that loading and creating a plug-in can give.
#include <windows.h>

#include <string>

namespace filedata::host {

// "WHAT answered NAME", with the system's explanation when it has one.
std::string ComFailure(const std::string& what, HRESULT result);

// The system's text for a GetLastError code, with the code: "... (error 126)".
// SUBJECT stands in for the "%1" some of these texts hold.
std::string LoadErrorText(DWORD code, const std::string& subject);

}  // namespace filedata::host
