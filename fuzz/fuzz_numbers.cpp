// ParseInteger and TryParseFloat against their rules.
// Input: [caller's x87 control word, 2 bytes little-endian][text].
// - A float is accepted exactly when the grammar written out plainly says
//   so (FloatReference.h), but at the edge of the extended range.
// - An accepted float of at most 19 significant digits and a decimal
//   exponent of at most 27 in size takes one correctly rounded step, so it
//   must equal strtold bit for bit, under any caller word.
// - The caller's word comes back, with no exception flag left and the
//   register stack as it was; the separator is only a parameter.
// - Integers follow the grammar below, checked against a 64-bit reading.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/FloatReference.h"
#include "fuzz/FuzzSupport.h"
#include "query/Errors.h"
#include "query/FloatParse.h"
#include "query/IntegerParse.h"
#include "query/X87.h"

namespace {
using namespace filedata;
using fuzz::Quoted;

// All six exceptions masked: the harness's own arithmetic must never trap.
constexpr std::uint16_t kHarnessWord = 0x037F;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view BeforeZero(std::string_view text) { return text.substr(0, text.find('\0')); }

std::string Hex(unsigned word) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", word);
  return text;
}

std::string Bits(long double value) {
  unsigned char bytes[10];
  std::memcpy(bytes, &value, sizeof bytes);  // the 80 bits, without the padding
  std::string hex;
  for (int i = 9; i >= 0; --i) {
    char two[3];
    std::snprintf(two, sizeof two, "%02X", bytes[i]);
    hex += two;
  }
  return hex;
}

void CheckFloat(std::string_view text, std::uint16_t fuzzedWord) {
  long double value = 0;
  x87::ClearExceptionFlags();
  x87::LoadControlWord(fuzzedWord);
  const std::uint16_t callerWord = x87::ReadControlWord();  // as the unit keeps it
  const std::uint16_t statusBefore = x87::ReadStatusWord();
  const bool accepted = TryParseFloat(text, value, '.');
  const std::uint16_t wordAfter = x87::ReadControlWord();
  const std::uint16_t statusAfter = x87::ReadStatusWord();
  x87::ClearExceptionFlags();
  x87::LoadControlWord(kHarnessWord);

  const auto where = [&] { return "text " + Quoted(text) + " caller word " + Hex(callerWord); };
  FUZZ_CHECK(wordAfter == callerWord, where() + ": word " + Hex(wordAfter) + " after the parse");
  FUZZ_CHECK((statusAfter & 0xFF) == 0, where() + ": status " + Hex(statusAfter) + " after the parse");
  FUZZ_CHECK((statusAfter & 0x3800) == (statusBefore & 0x3800), where() + ": register stack top moved");

  // The separator is a parameter only: swapping it with the comma changes nothing.
  std::string swapped(text);
  for (char& c : swapped) c = c == '.' ? ',' : c == ',' ? '.' : c;
  long double swappedValue = 0;
  const bool swappedAccepted = TryParseFloat(swapped, swappedValue, ',');
  FUZZ_CHECK(swappedAccepted == accepted && (!accepted || Bits(swappedValue) == Bits(value)),
             where() + ": with ',' " + std::to_string(swappedAccepted) + " " + Bits(swappedValue));

  const fuzz::TReferenceFloat reference = fuzz::ReadReferenceFloat(text, '.');
  FUZZ_CHECK(reference.NearTheRange || accepted == reference.WellFormed,
             where() + ": " + (accepted ? "accepted" : "refused") + ", the rule says otherwise");
  if (!accepted || !reference.Checkable) return;
  FUZZ_CHECK(Bits(value) == Bits(reference.Value), where() + ": " + Bits(value) + ", strtold " + Bits(reference.Value));
}

std::optional<std::int32_t> ReferenceInteger(std::string_view text) {
  text = BeforeZero(text);
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::string_view rest = text.substr(i);
  int base = 10;
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    base = 16;
    rest.remove_prefix(1);
  } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    base = 16;
    rest.remove_prefix(2);
  }
  if (rest.empty()) return std::nullopt;
  std::int64_t value = 0;
  std::size_t significant = 0;
  for (const char c : rest) {
    int digit = IsDigit(c) ? c - '0' : -1;
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    if (value != 0 || digit != 0) ++significant;
    if (significant > (base == 16 ? 8u : 10u)) return std::nullopt;
    value = value * base + digit;
  }
  if (base == 16) {
    // Hexadecimal is a 32-bit pattern; a minus wraps around.
    const std::uint32_t bits = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(bits);
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

void CheckInteger(std::string_view text) {
  const std::optional<std::int32_t> want = ReferenceInteger(text);
  try {
    const std::int32_t got = ParseInteger(text);
    FUZZ_CHECK(want && *want == got, "text " + Quoted(text) + ": " + std::to_string(got) + ", want " +
                                         (want ? std::to_string(*want) : "a refusal"));
  } catch (const EConvertError& e) {
    FUZZ_CHECK(!want, "text " + Quoted(text) + " refused, want " + std::to_string(*want));
    const std::string message = "'" + std::string(text) + "' is not a valid integer value";
    FUZZ_CHECK(e.Message() == message, "message " + Quoted(e.Message()) + ", want " + Quoted(message));
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Masks, precision and rounding from the input; bit 12 set and the
  // reserved bits clear, as a valid word has them.
  const auto word = static_cast<std::uint16_t>(0x1000 | ((data[0] | data[1] << 8) & 0x0F3F));
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  CheckFloat(text, word);
  CheckInteger(text);
  return 0;
}
