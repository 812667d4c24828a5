// registry-rows LIBRARY_NAME PATH_TEXT: the plug-in class's registry entries,
// made by registration's own code, as the installer's WiX RegistryValue
// elements (MakeMsi.cmake), for the shipped library and the installer's path.
#include <iostream>
#include <string>

#include "com/PlugInClass.h"
#include "com/RegistryRows.h"

namespace {

// TEXT as the value of an XML attribute in double quotes.
std::string XmlAttribute(std::string text) {
  for (auto at = text.find_first_of("&<>\""); at != std::string::npos; at = text.find_first_of("&<>\"", at + 1)) {
    const char c = text[at];
    text.replace(at, 1, c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : "&quot;");
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace filedata::com;
  if (argc != 3) {
    std::cerr << "usage: registry-rows LIBRARY_NAME PATH_TEXT\n";
    return 2;
  }
  const TClassTexts texts{std::string(kPlugInClassId),         std::string(kServerKeyName),
                          ProgIDOf(argv[1], kPlugInClassName), argv[2],
                          std::string(kPlugInThreadingModel),  std::string(kPlugInDescription)};
  for (const TRegistryValue& value : ClassRegistryValues(texts)) {
    std::cout << "            <RegistryValue Root=\"HKCR\" Key=\"" << XmlAttribute(value.key) << '"';
    if (!value.valueName.empty()) std::cout << " Name=\"" << XmlAttribute(value.valueName) << '"';
    std::cout << " Value=\"" << XmlAttribute(value.text) << "\" Type=\"string\"/>\n";
  }
  return std::cout.flush() ? 0 : 1;
}
