#include "tools/common/JsonText.h"

#include <charconv>
#include <cmath>

namespace filedata::tool {

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

void WriteString(const std::string& text, std::string& out) {
  out += '"';
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
          // 8-bit text is shown byte for byte: byte B becomes code point B.
          out += "\\u00";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void Write(const TJson& value, std::string& out) {
  switch (value.type()) {
    case TJson::value_t::object: {
      out += '{';
      bool first = true;
      for (const auto& [key, member] : value.items()) {
        if (!first) out += ',';
        first = false;
        WriteString(key, out);
        out += ':';
        Write(member, out);
      }
      out += '}';
      break;
    }
    case TJson::value_t::array: {
      out += '[';
      for (std::size_t i = 0; i < value.size(); ++i) {
        if (i) out += ',';
        Write(value[i], out);
      }
      out += ']';
      break;
    }
    case TJson::value_t::string: WriteString(value.get_ref<const std::string&>(), out); break;
    case TJson::value_t::number_float: out += FormatNumber(value.get<double>()); break;
    case TJson::value_t::null:
    case TJson::value_t::discarded: out += "null"; break;
    default: out += value.dump(); break;  // booleans and integers read the same either way
  }
}
}  // namespace

std::string FormatNumber(double value) {
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string JsonText(const TJson& value) {
  std::string out;
  Write(value, out);
  return out;
}

}  // namespace filedata::tool
