#pragma once
// What a query tells an observer of the steps it takes, as it takes them, so
// that an explanation of an answer cannot drift from what the query does.
// A query without an observer tells nobody and pays nothing.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "query/FloatParse.h"
#include "query/Text.h"

namespace filedata {

struct TQueryParameters;

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
    std::string_view SetsKey;    // the key's name, upper case, when it sets one
    bool ValueCutShort = false;  // another "=" ends the value early
  };
  // Each pair of the parameter text, before its value is read as a number.
  virtual void OnPair(const TPair&) {}
  // Every pair applied: the parameters the query goes on with.
  virtual void OnParameters(const TQueryParameters&) {}
  virtual void OnPresence(const std::string& /*fileName*/, const platform::TPresenceTest&) {}
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
