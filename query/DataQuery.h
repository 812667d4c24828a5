#pragma once
// The data query: reads the named file anew, picks a line, cuts a piece out
// of it and answers with a number when the piece reads as one, else text.
// Parameters in, answer out; a failure is raised as one of the library's
// exceptions (Errors.h).
#include <cstdint>
#include <string>
#include <string_view>

namespace filedata {

// The answer when no file can be read: no FILENAME, or one that is not
// present. It is an answer, not a failure.
inline constexpr char kInvalidArguments[] = "Invalid Arguments";

// The keys a parameter pair may set, matched after ASCII upper-casing; the
// host's parameter rows name them (descriptor/DescriptorTables.h).
enum class TQueryKey : std::uint8_t { FileName, Line, Start, Length };
struct TQueryKeyName {
  TQueryKey Key;
  std::string_view Name;  // upper case, as matched
};
// In the order of TQueryKey.
inline constexpr TQueryKeyName kQueryKeys[] = {
    {TQueryKey::FileName, "FILENAME"},
    {TQueryKey::Line, "LINE"},
    {TQueryKey::Start, "START"},
    {TQueryKey::Length, "LENGTH"},
};
constexpr std::string_view KeyName(TQueryKey key) noexcept { return kQueryKeys[static_cast<std::size_t>(key)].Name; }

struct TQueryParameters {
  std::string FileName;
  std::int32_t Line = 1;
  std::int32_t Start = 1;
  std::int32_t Length = -1;
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

// A file that is not present answers kInvalidArguments; otherwise the
// selected line's cut as a number or text. Raises on a missing line, a file
// that cannot be opened or read, and a number the calling thread cannot
// store.
TDataAnswer AnswerQuery(const TQueryParameters& query, TQueryObserver* observer = nullptr);

namespace platform {
class TFileReader;
}
// The same on FILE, already open as the query's file name: no presence test.
TDataAnswer AnswerFromFile(platform::TFileReader& file, const TQueryParameters& query,
                           TQueryObserver* observer = nullptr);

// ParseQueryParameters, then AnswerQuery. OBSERVER, when given, is told
// each step (QueryObserver.h).
TDataAnswer AnswerQuery(std::string_view params, TQueryObserver* observer = nullptr);

}  // namespace filedata
