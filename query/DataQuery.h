#pragma once
// The data query: reads the named file anew, picks a line, cuts a piece out
// of it and answers with a number when the piece reads as one, else text.
// Parameters in, answer out; a failure is raised as one of the library's
// exceptions (Errors.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "query/FileView.h"
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

// What a tool asks besides the answer: a view of the query's file
// (FileView.h), read once the answer is made, while the file is still open
// and nobody can write it, so that both see the same bytes. Read also when
// the answer fails on the file, unless only numbers want it. It never
// changes the answer, and never fails it.
struct TViewRequest {
  TViewLimits Limits;
  bool OnlyForNumbers = false;  // a view only when the answer is a number
  std::optional<TFileView> View;
  std::string Failure;  // why the view could not be read
};

// A file that is not present answers kInvalidArguments; otherwise the
// selected line's cut as a number or text. Raises on a missing line, a file
// that cannot be opened or read, and a number the calling thread cannot
// store. VIEW, when given, is read from the same open file.
TDataAnswer AnswerQuery(const TQueryParameters& query, TQueryObserver* observer = nullptr,
                        TViewRequest* view = nullptr);

namespace platform {
class TFileReader;
}
// The same on FILE, already open as the query's file name: no presence test.
TDataAnswer AnswerFromFile(platform::TFileReader& file, const TQueryParameters& query,
                           TQueryObserver* observer = nullptr);

// ParseQueryParameters, then AnswerQuery. OBSERVER, when given, is told
// each step (QueryObserver.h).
TDataAnswer AnswerQuery(std::string_view params, TQueryObserver* observer = nullptr,
                        TViewRequest* view = nullptr);

}  // namespace filedata
