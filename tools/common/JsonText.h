#pragma once
// JSON output of the tools. Documents are built as nlohmann::ordered_json
// values (keys in the order they are added); JsonText writes them with the
// byte rules scripts already read: strings byte for byte, bytes 0x7F-0xFF
// and control bytes as \u00XX (upper-case hex; \n, \r, \t short), numbers
// in the shortest form that reads back as the same double (10, 1e+05, -0).
// nlohmann's own dump writes 10.0, 100000.0 and lower-case escapes.
#include <string>

#include <nlohmann/json.hpp>

namespace filedata::tool {

using TJson = nlohmann::ordered_json;

// One line, no newline.
std::string JsonText(const TJson& value);

// Shortest text that reads back as the same double: 42.5, -0, 1e+05, inf.
std::string FormatNumber(double value);

}  // namespace filedata::tool
