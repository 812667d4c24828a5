#pragma once
// The data query: reads the named file anew, picks a line, cuts a piece out
// of it and answers with a number when the piece reads as one, else text.
#include <cstdint>
#include <string>
#include <string_view>

#include "query/HResult.h"
#include "query/LastErrorText.h"

namespace filedata {

// Static zero-terminated texts, handed out as they are.
inline constexpr char kDataItemName[] = "Filedata";
inline constexpr char kInvalidArguments[] = "Invalid Arguments";
constexpr std::uint8_t kNumberKind = 0;
constexpr std::uint8_t kTextKind = 1;

struct TQueryParameters {
  std::string FileName;
  std::int32_t Line = 1;
  std::int32_t Start = 1;
  std::int32_t Length = -1;
};

// The "KEY=value|KEY=value" text (null = none) applied over the defaults;
// raises EConvertError for a LINE, START or LENGTH that is no integer.
TQueryParameters ParseQueryParameters(const char* params);

// True exactly when TEXT reads as a floating-point number.
bool IsNumericText(std::string_view text);

struct TDataAnswer {
  std::uint8_t ValueKind = kTextKind;
  double Number = 0;
  std::string Text;
};

// Steps after the parameters: a file that is not present answers "Invalid
// Arguments"; otherwise the selected line's cut as a number or text. Raises
// on a missing line, an unopenable file or a number the calling thread
// cannot store.
TDataAnswer AnswerQuery(const TQueryParameters& query);

// One object's query operation, as the host calls it. It keeps the last
// text answer, so the text handed out stays valid after the call. Failures
// are raised; the caller's failure report turns them into E_FAIL.
class TDataQuery {
 public:
  HResult GetData(TLastErrorText& lastError, std::int32_t itemIndex, const char* params, const char** itemName,
                  std::uint8_t* valueKind, const char** text, double* number);

 private:
  std::string answerText_;
};

}  // namespace filedata
