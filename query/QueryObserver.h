#pragma once
// What a query tells an observer of the steps it takes, as it takes them, so
// that an explanation of an answer cannot drift from what the query does.
// A query without an observer tells nobody and pays nothing.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "query/DataQuery.h"
#include "query/FloatParse.h"
#include "query/Text.h"
#include "query/TextEncoding.h"

namespace filedata {


class TQueryObserver {
 public:
  virtual ~TQueryObserver() = default;

  enum class TPairUse : std::uint8_t {
    Sets,            // the key is one of the four: it sets that parameter
    UnknownKey,      // no such key: ignored
    BlankAroundKey,  // one of the four but for blanks around it: ignored
    NoEquals,        // no "=" and no key: ignored
    Empty,           // nothing between two "|": ignored
  };
  struct TPair {
    std::int32_t Index = 0;  // from 1
    std::string_view Text;   // the pair as written
    std::string_view Key;
    std::string_view Value;
    TPairUse Use = TPairUse::UnknownKey;
    TQueryKey SetsKey = TQueryKey::FileName;  // the key it sets, when it sets one
    bool ValueCutShort = false;  // another "=" ends the value early
    bool HasEquals = true;       // false: the whole pair is the key, the value is empty
  };
  // Each pair of the parameter text, before its value is read as a number.
  virtual void OnPair(const TPair&) {}
  // Every pair applied: the parameters the query goes on with.
  virtual void OnParameters(const TQueryParameters&) {}
  virtual void OnPresence(const std::string& /*fileName*/, const platform::TPresenceTest&) {}
  // How the file's text is stored, as its first bytes tell.
  virtual void OnEncoding(const TTextMark&) {}
  struct TTextEnd {
    bool EndedByZero = false;   // a zero unit ended the text before the end of the file
    std::uint64_t ZeroAt = 0;   // its first byte, 0-based in the file
    std::uint64_t BytesAfter = 0;  // the bytes of the file after it, ignored
    std::size_t UnitSize = 1;
    // For 8-bit text whose first bytes have every other byte zero: the
    // UTF-16 it looks like, written without a mark; else EightBit.
    TTextEncoding LooksLike = TTextEncoding::EightBit;
    bool OddByteIgnored = false;  // UTF-16 whose last byte is half a unit
  };
  // The text ended, before the line was found or just after it.
  virtual void OnTextEnd(const TTextEnd&) {}
  // The line selected: its 0-based index (-1: the last, uncounted), its
  // bytes, and the lines read to reach it (0: not counted).
  virtual void OnLine(std::int64_t /*index*/, std::string_view /*line*/, std::uint64_t /*linesRead*/) {}
  // No line at INDEX; the text, to its end or its first zero byte, has LINES.
  virtual void OnNoLine(std::int64_t /*index*/, std::uint64_t /*lines*/) {}
  // The cut of START and LENGTH (LENGTH as given; -1 is to the end) and
  // where it lies in the line.
  virtual void OnCut(std::int64_t /*start*/, std::int64_t /*length*/, std::string_view /*line*/,
                     std::string_view /*cut*/, const TCutReport&) {}
  virtual void OnNumberTest(std::string_view /*cut*/, bool /*isNumber*/, const TNumberReport&) {}
};

}  // namespace filedata
