#include "tools/common/AnswerFormat.h"

#include <cmath>

#include "descriptor/DescriptorTables.h"
#include "tools/common/ResultNames.h"

namespace filedata::tool {

std::string PlainAnswer(const TQueryOutcome& outcome) {
  if (outcome.Result != hr::Ok) return outcome.Error;
  return outcome.ValueKind == descriptor::kNumberKind ? FormatNumber(outcome.Number) : outcome.Text;
}

TJson JsonAnswer(const TQueryOutcome& outcome) {
  TJson answer = {{"hr", ResultName(outcome.Result)}};
  if (outcome.Result != hr::Ok) {
    answer["error"] = outcome.Error;
    return answer;
  }
  answer["kind"] = outcome.ValueKind;
  if (outcome.ValueKind != descriptor::kNumberKind) {
    answer["text"] = outcome.Text;
  } else if (std::isinf(outcome.Number)) {
    answer["number"] = FormatNumber(outcome.Number);  // JSON has no infinity
  } else {
    answer["number"] = outcome.Number;
  }
  return answer;
}

}  // namespace filedata::tool
