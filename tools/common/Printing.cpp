#include "tools/common/Printing.h"

#include "tools/common/ConsoleText.h"

namespace filedata::tool {

int PrintAnswer(const TQueryOutcome& outcome, bool json) {
  const bool failed = outcome.Result != hr::Ok;
  if (json) WriteText(stdout, AnswerJson(outcome).Close() + "\n");
  else WriteText(failed ? stderr : stdout, AnswerValue(outcome) + "\n");
  return failed ? kExitFailed : 0;
}

int PrintExplained(const TExplained& explained, bool json) {
  WriteText(stdout, json ? explained.StepsJson + "\n" : PlainExplanation(explained));
  return PrintAnswer(explained.Outcome, json);
}

}  // namespace filedata::tool
