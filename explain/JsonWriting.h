#pragma once
// JSON as the plug-in and its tools write it, with the byte rules scripts
// already read: strings byte for byte, bytes 0x7F-0xFF and control bytes as
// \u00XX (upper-case hex; \n, \r, \t short), so 8-bit text shows byte B as
// code point B; numbers in the shortest form that reads back as the same
// double (10, 1e+05, -0); a number JSON cannot hold (an infinity) as the
// string "inf" or "-inf".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace filedata {

// Shortest text that reads back as the same double: 42.5, -0, 1e+05, inf.
std::string FormatNumber(double value);

// TEXT as a JSON string, quotes and all.
std::string JsonString(std::string_view text);

// A JSON object, written member by member in the order they are added.
class TJsonObject {
 public:
  TJsonObject& Text(std::string_view key, std::string_view value);
  TJsonObject& Integer(std::string_view key, std::int64_t value);
  TJsonObject& Boolean(std::string_view key, bool value);
  TJsonObject& Number(std::string_view key, double value);
  TJsonObject& Null(std::string_view key);
  // VALUE: JSON already written, an object or an array.
  TJsonObject& Json(std::string_view key, std::string_view value);
  // Every member of OTHER, after this one's.
  TJsonObject& Append(const TJsonObject& other);
  std::string Close() const { return "{" + members_ + "}"; }

 private:
  TJsonObject& Member(std::string_view key, std::string_view value);
  std::string members_;
};

// [VALUES...], each JSON already written.
std::string JsonArray(const std::vector<std::string>& values);

}  // namespace filedata
