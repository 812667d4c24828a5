#include "explain/JsonWriting.h"

#include <charconv>
#include <cmath>

namespace filedata {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

std::string FormatNumber(double value) {
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          out += "\\u00";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

TJsonObject& TJsonObject::Member(std::string_view key, std::string_view value) {
  if (!members_.empty()) members_ += ',';
  members_.append(JsonString(key)).append(":").append(value);
  return *this;
}

TJsonObject& TJsonObject::Text(std::string_view key, std::string_view value) { return Member(key, JsonString(value)); }

TJsonObject& TJsonObject::Integer(std::string_view key, std::int64_t value) {
  return Member(key, std::to_string(value));
}

TJsonObject& TJsonObject::Boolean(std::string_view key, bool value) { return Member(key, value ? "true" : "false"); }

TJsonObject& TJsonObject::Number(std::string_view key, double value) {
  return std::isfinite(value) ? Member(key, FormatNumber(value)) : Text(key, FormatNumber(value));
}

TJsonObject& TJsonObject::Null(std::string_view key) { return Member(key, "null"); }

TJsonObject& TJsonObject::Json(std::string_view key, std::string_view value) { return Member(key, value); }

TJsonObject& TJsonObject::Append(const TJsonObject& other) {
  if (!members_.empty() && !other.members_.empty()) members_ += ',';
  members_ += other.members_;
  return *this;
}

std::string JsonArray(const std::vector<std::string>& values) {
  std::string out = "[";
  for (const std::string& value : values) out.append(out.size() > 1 ? "," : "").append(value);
  return out + "]";
}

}  // namespace filedata
