#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "query/UnitSearch.h"

namespace filedata {
namespace {

// The unit at byte I of TEXT, read in the encoding's own byte order.
std::uint16_t UnitValue(const std::string& text, std::size_t i, TTextEncoding encoding) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint16_t>(static_cast<unsigned char>(text[k])); };
  switch (encoding) {
    case TTextEncoding::EightBit: return byte(i);
    case TTextEncoding::Utf16LE: return static_cast<std::uint16_t>(byte(i) | byte(i + 1) << 8);
    case TTextEncoding::Utf16BE: return static_cast<std::uint16_t>(byte(i) << 8 | byte(i + 1));
  }
  return 0;
}

void AppendUnit(std::string& text, std::uint16_t unit, TTextEncoding encoding) {
  const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
  if (encoding == TTextEncoding::EightBit) text += low;
  else if (encoding == TTextEncoding::Utf16LE) text += {low, high};
  else text += {high, low};
}

// Every search this processor can run, against a plain loop over the units,
// on texts of every length up to several vector blocks with the units it
// looks for at random places, and units whose bytes look like them: 0x0D00
// holds a CR byte, 0x8D the CR's low bits.
TEST(UnitSearch, EveryKindFindsWhatThePlainLoopFinds) {
  const std::uint16_t alphabet[] = {'x', '\r', '\n', 0, 0x8D, 0x8A, 0xFF, 0x0D00, 0x0A00, 0x0D0A, 0x0A0D, 0xFFFF};
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
  for (const TTextEncoding encoding : {TTextEncoding::EightBit, TTextEncoding::Utf16LE, TTextEncoding::Utf16BE}) {
    const std::size_t w = UnitSize(encoding);
    for (const TUnitSearches* search : AvailableUnitSearches(encoding)) {
      SCOPED_TRACE(::testing::Message() << search->Kind << ", unit size " << w);
      for (std::size_t units = 0; units < 300; ++units) {
        for (int round = 0; round < 4; ++round) {
          std::string text;
          const std::uint32_t sparseness = 4u << (2 * round);  // one special unit in 4, 16, 64, 256
          for (std::size_t i = 0; i < units; ++i) {
            const std::uint16_t unit = next() % sparseness == 0 ? alphabet[next() % std::size(alphabet)] : 'x';
            AppendUnit(text, w == 1 ? static_cast<std::uint16_t>(unit & 0xFF) : unit, encoding);
          }
          const char* b = text.data();
          const char* e = b + text.size();
          const auto value = [&](const char* p) { return UnitValue(text, static_cast<std::size_t>(p - b), encoding); };
          const char* lineBreak = b;
          while (lineBreak < e && value(lineBreak) != '\r' && value(lineBreak) != '\n') lineBreak += w;
          const char* zero = b;
          while (zero < e && value(zero) != 0) zero += w;
          const char* lastBreak = nullptr;
          std::uint64_t ends = 0;  // up to the zero
          for (const char* p = b; p < e; p += w) {
            if (value(p) == '\r' || value(p) == '\n') lastBreak = p;
            if (p < zero) ends += value(p) == '\n' || (value(p) == '\r' && (p + w == zero || value(p + w) != '\n'));
          }
          ASSERT_EQ(search->FindLineBreak(b, e), lineBreak) << ::testing::PrintToString(text);
          ASSERT_EQ(search->FindZero(b, e), zero) << ::testing::PrintToString(text);
          ASSERT_EQ(search->FindLastLineBreak(b, e), lastBreak) << ::testing::PrintToString(text);
          const char* countedTo = nullptr;
          ASSERT_EQ(search->CountLineEndsToZero(b, e, countedTo), ends) << ::testing::PrintToString(text);
          ASSERT_EQ(countedTo, zero) << ::testing::PrintToString(text);
        }
      }
      // Nothing but line ends, more than a vector count's byte counters hold.
      for (const auto& [unit, each, ends] : {std::tuple{u"\n", 1, 70001}, {u"\r\n", 2, 35001}, {u"\r", 1, 70001}}) {
        std::string text;
        for (int i = 0; i < 70001; ++i) AppendUnit(text, static_cast<std::uint16_t>(unit[i % each]), encoding);
        const char* zero = nullptr;
        EXPECT_EQ(search->CountLineEndsToZero(text.data(), text.data() + text.size(), zero),
                  static_cast<std::uint64_t>(ends));
      }
    }
  }
}

}  // namespace
}  // namespace filedata
