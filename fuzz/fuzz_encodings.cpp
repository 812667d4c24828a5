// Any text, stored as 8-bit (UTF-8, as the POSIX side decodes UTF-16 to),
// as UTF-16LE and as UTF-16BE with their marks, and read in reads of any
// sizes (which split units and surrogate pairs), gives one answer for every
// LINE, START and LENGTH.
// Input: [LINE][START][LENGTH][count of read sizes][sizes...][text items...].
// A text item is one byte below 0x80 (ASCII, zero, CR and LF included), or
// a lead byte and the bytes it takes: 80-BF a BMP character in two, C0-FD a
// supplementary one in three, FE-FF a surrogate on its own in one.
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "query/DataQuery.h"
#include "query/Errors.h"
#include "tests/support/MemoryFile.h"

namespace {
using namespace filedata;
using fuzz::Quoted;

constexpr std::uint32_t kReplacement = 0xFFFD;

// The same text three ways.
struct TStored {
  std::string utf8, le = "\xFF\xFE", be = "\xFE\xFF";

  void Unit(std::uint16_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    le += {low, high};
    be += {high, low};
  }
  void Utf8(std::uint32_t point) {
    if (point < 0x80) {
      utf8 += static_cast<char>(point);
    } else if (point < 0x800) {
      utf8 += {static_cast<char>(0xC0 | point >> 6), static_cast<char>(0x80 | (point & 0x3F))};
    } else if (point < 0x10000) {
      utf8 += {static_cast<char>(0xE0 | point >> 12), static_cast<char>(0x80 | (point >> 6 & 0x3F)),
               static_cast<char>(0x80 | (point & 0x3F))};
    } else {
      utf8 += {static_cast<char>(0xF0 | point >> 18), static_cast<char>(0x80 | (point >> 12 & 0x3F)),
               static_cast<char>(0x80 | (point >> 6 & 0x3F)), static_cast<char>(0x80 | (point & 0x3F))};
    }
  }
  void Character(std::uint32_t point) {
    Utf8(point);
    if (point < 0x10000) {
      Unit(static_cast<std::uint16_t>(point));
    } else {
      Unit(static_cast<std::uint16_t>(0xD800 + ((point - 0x10000) >> 10)));
      Unit(static_cast<std::uint16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    }
  }
  // A surrogate that pairs with nothing reads as U+FFFD.
  void LoneSurrogate(std::uint16_t unit) {
    Utf8(kReplacement);
    Unit(unit);
  }
};

TStored Text(std::string_view items) {
  TStored stored;
  const auto byte = [&](std::size_t i) { return i < items.size() ? static_cast<std::uint8_t>(items[i]) : 0u; };
  for (std::size_t i = 0; i < items.size();) {
    const std::uint32_t lead = byte(i);
    if (lead < 0x80) {
      stored.Character(lead);
      i += 1;
    } else if (lead < 0xC0) {
      std::uint32_t point = (lead & 0x3F) << 10 | byte(i + 1) << 2 | (lead & 3);
      if (point >= 0xD800 && point <= 0xDFFF) point += 0x800;  // surrogates are not characters
      stored.Character(point);
      i += 2;
    } else if (lead < 0xFE) {
      stored.Character(0x10000 + ((lead & 0x0F) << 16 | byte(i + 1) << 8 | byte(i + 2)));
      i += 3;
    } else {
      // A high surrogate stays alone only when no low one follows it.
      const bool high = lead == 0xFE && byte(i + 2) < 0x80;
      stored.LoneSurrogate(static_cast<std::uint16_t>((high ? 0xD800 : 0xDC00) + (byte(i + 1) & 0x3F) * 16));
      i += 2;
    }
  }
  return stored;
}

std::string Outcome(const std::string& bytes, const std::vector<std::size_t>& reads, const TQueryParameters& query) {
  testing::TMemoryFile file(bytes);
  TReadFacts facts;
  try {
    const TDataAnswer answer = AnswerFromFile(file.ReadsOf(reads), query, facts);
    if (!answer.IsNumber) return "text " + Quoted(answer.Text);
    std::uint64_t bits;
    std::memcpy(&bits, &answer.Number, sizeof bits);
    return "number " + std::to_string(answer.Number) + " (bits " + std::to_string(bits) + ")";
  } catch (const filedata::Exception& e) {
    return "failure " + Quoted(e.Message());
  }
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr struct {
  std::int32_t line, start, length;
} kQueries[] = {{1, 1, -1}, {2, 3, 4}, {0, 1, -1}, {0, 2, 3}, {-1, 1, -1}, {kMin, 1, -1}};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::size_t readCount = data[3] % 4 + 1;
  if (size < 4 + readCount) return 0;
  const std::vector<std::size_t> reads(data + 4, data + 4 + readCount);
  const TStored stored =
      Text(std::string_view(reinterpret_cast<const char*>(data) + 4 + readCount, size - 4 - readCount));

  std::vector<TQueryParameters> queries;
  for (const auto& q : kQueries) queries.push_back({"memory", q.line, q.start, q.length});
  // One the fuzzer chooses: lines from the end too, cuts that may split a character.
  queries.push_back({"memory", static_cast<std::int8_t>(data[0]), static_cast<std::int8_t>(data[1]),
                     static_cast<std::int8_t>(data[2])});
  for (const TQueryParameters& query : queries) {
    const std::string eightBit = Outcome(stored.utf8, reads, query);
    const std::string little = Outcome(stored.le, reads, query);
    const std::string big = Outcome(stored.be, reads, query);
    FUZZ_CHECK(little == eightBit && big == eightBit,
               "text " + Quoted(stored.utf8) + " LINE=" + std::to_string(query.Line) + " START=" +
                   std::to_string(query.Start) + " LENGTH=" + std::to_string(query.Length) + "\n8-bit    " +
                   eightBit + "\nUTF-16LE " + little + "\nUTF-16BE " + big);
  }
  return 0;
}
