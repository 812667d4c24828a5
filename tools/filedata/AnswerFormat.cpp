#include "tools/filedata/AnswerFormat.h"

#include <charconv>
#include <cmath>

#include "descriptor/PlugInState.h"
#include "query/DataQuery.h"

namespace filedata::tool {

namespace {
struct TResultName {
  HResult code;
  const char* name;
};
// Also the codes a host meets while loading and creating a plug-in.
constexpr TResultName kResultNames[] = {
    {hr::Ok, "S_OK"},
    {hr::False, "S_FALSE"},
    {hr::Fail, "E_FAIL"},
    {hr::Pointer, "E_POINTER"},
    {hr::NotImpl, "E_NOTIMPL"},
    {hr::NoInterface, "E_NOINTERFACE"},
    {hr::Unexpected, "E_UNEXPECTED"},
    {hr::NoAggregation, "CLASS_E_NOAGGREGATION"},
    {hr::ClassNotAvailable, "CLASS_E_CLASSNOTAVAILABLE"},
    {static_cast<HResult>(0x80040154u), "REGDB_E_CLASSNOTREG"},
    {static_cast<HResult>(0x800401F0u), "CO_E_NOTINITIALIZED"},
    {static_cast<HResult>(0x8007000Eu), "E_OUTOFMEMORY"},
    {static_cast<HResult>(0x80070057u), "E_INVALIDARG"},
};
constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

TQueryOutcome RunQuery(const std::string& params) {
  descriptor::TPlugInState plugIn;
  TQueryOutcome outcome;
  const char* itemName = nullptr;
  const char* text = nullptr;
  outcome.Result =
      descriptor::GetData(plugIn, 0, params.c_str(), &itemName, &outcome.ValueKind, &text, &outcome.Number);
  if (text) outcome.Text = text;
  if (outcome.Result != hr::Ok && plugIn.LastError.IsSet()) outcome.Error = plugIn.LastError.Pointer();
  return outcome;
}

std::string FormatNumber(double value) {
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

std::string PlainAnswer(const TQueryOutcome& outcome) {
  if (outcome.Result != hr::Ok) return outcome.Error;
  return outcome.ValueKind == kNumberKind ? FormatNumber(outcome.Number) : outcome.Text;
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
          // 8-bit text is shown byte for byte: byte B becomes code point B.
          out += "\\u00";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string ResultName(HResult result) {
  for (const auto& entry : kResultNames) {
    if (entry.code == result) return entry.name;
  }
  std::string hex = "0x";
  for (int shift = 28; shift >= 0; shift -= 4) hex += kHexDigits[(static_cast<std::uint32_t>(result) >> shift) & 0xF];
  return hex;
}

std::string JsonAnswer(const TQueryOutcome& outcome) {
  std::string out = "{\"hr\":" + JsonString(ResultName(outcome.Result));
  if (outcome.Result != hr::Ok) return out + ",\"error\":" + JsonString(outcome.Error) + "}";
  out += ",\"kind\":" + std::to_string(outcome.ValueKind);
  if (outcome.ValueKind != kNumberKind) return out + ",\"text\":" + JsonString(outcome.Text) + "}";
  const std::string number = FormatNumber(outcome.Number);
  return out + ",\"number\":" + (std::isinf(outcome.Number) ? JsonString(number) : number) + "}";
}

}  // namespace filedata::tool
