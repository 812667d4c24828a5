#pragma once
// The data query: reads the named file anew, picks a line, cuts a piece out
// of it and answers with a number when the piece reads as one, else text.
// Parameters in, answer out; a failure is raised as one of the library's
// exceptions (Errors.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "query/LineSelection.h"
#include "query/ParamTable.h"

namespace filedata {

// The answer when no file can be read: no FILENAME, or one that is not
// present. It is an answer, not a failure.
inline constexpr char kInvalidArguments[] = "Invalid Arguments";

struct TQueryParameters {
  std::string FileName;
  std::int32_t Line = ParamOf(TQueryKey::Line).QueryDefault;
  std::int32_t Start = ParamOf(TQueryKey::Start).QueryDefault;
  std::int32_t Length = ParamOf(TQueryKey::Length).QueryDefault;
};

// What one pair of the parameter text does, as ParseQueryParameters reads it.
enum class TPairUse : std::uint8_t {
  Sets,            // the key is one of the parameters: it sets it
  UnknownKey,      // no such key: ignored
  BlankAroundKey,  // a key but for blanks around it: ignored
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

class TQueryObserver;

// The "KEY=value|KEY=value" text applied over the defaults; raises
// EConvertError for a LINE, START or LENGTH that is no integer.
TQueryParameters ParseQueryParameters(std::string_view params, TQueryObserver* observer = nullptr);

struct TDataAnswer {
  bool IsNumber = false;
  double Number = 0;  // when IsNumber
  std::string Text;   // otherwise
};

// The same on FILE, already open as the query's file name: no presence test.
// FACTS learns what the read learnt, also when it raises.
TDataAnswer AnswerFromFile(platform::TFileReader& file, const TQueryParameters& query, TReadFacts& facts,
                           TQueryObserver* observer = nullptr);

// One query, from its parameters to its answer. The file it reads stays
// open, nobody able to write it, until the run ends, so that whoever ran it
// may read more of the very bytes the answer came from, starting from what
// the answer's read learnt. Answer once.
class TQueryRun {
 public:
  TQueryRun() = default;
  TQueryRun(const TQueryRun&) = delete;
  TQueryRun& operator=(const TQueryRun&) = delete;

  // A file that is not present answers kInvalidArguments; otherwise the
  // selected line's cut as a number or text. Raises on a missing line, a
  // file that cannot be opened or read, and a number the calling thread
  // cannot store. OBSERVER, when given, is told each step (QueryObserver.h).
  TDataAnswer Answer(TQueryParameters query, TQueryObserver* observer = nullptr);
  // ParseQueryParameters, then the answer.
  TDataAnswer Answer(std::string_view params, TQueryObserver* observer = nullptr);

  // The file the answer read, still open; null when it opened none.
  platform::TFileReader* OpenFile() noexcept { return opened_ ? &file_ : nullptr; }
  const std::string& FileName() const noexcept { return query_.FileName; }
  // What the answer's read learnt of the open file, as far as it got.
  const TReadFacts& Facts() const noexcept { return facts_; }

 private:
  TQueryParameters query_;
  platform::TReadOnlyFile file_;
  bool opened_ = false;
  TReadFacts facts_;
};

// A run's answer, the file closed again: what the host asks for.
TDataAnswer AnswerQuery(const TQueryParameters& query, TQueryObserver* observer = nullptr);
TDataAnswer AnswerQuery(std::string_view params, TQueryObserver* observer = nullptr);

}  // namespace filedata
