#include "tools/plugin-host/HostReport.h"

#include "descriptor/DescriptorTables.h"
#include "tools/common/ResultNames.h"

namespace filedata::host {

using tool::ResultName;

namespace {
// The same label column as the description above it.
std::string Labelled(const char* label, const std::string& value) {
  constexpr std::size_t kLabelWidth = 17;
  std::string line = label;
  line.resize(kLabelWidth, ' ');
  return line + value + "\n";
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }
}  // namespace

std::string PlainQueryAnswer(const tool::TQueryOutcome& outcome) {
  const std::string result = ResultName(outcome.Result);
  if (outcome.Result != hr::Ok) return result + ", last error " + Quoted(tool::PlainAnswer(outcome));
  const std::string kind = ", kind " + std::to_string(outcome.ValueKind);
  // Quoting shows an empty text and blanks at its ends; a number needs none.
  if (outcome.ValueKind == descriptor::kNumberKind) return result + kind + ", number " + tool::PlainAnswer(outcome);
  return result + kind + ", text " + Quoted(tool::PlainAnswer(outcome));
}

std::string PlainHostReport(const THostReport& report) {
  std::string out = tool::PlainDescription(report.Description);
  if (report.Query || report.CanUnloadNow) out += "\n";
  if (report.Query) {
    out += Labelled("Query", report.Query->Params);
    out += Labelled("Answer", PlainQueryAnswer(report.Query->Outcome));
  }
  if (report.CanUnloadNow) out += Labelled("DllCanUnloadNow", ResultName(*report.CanUnloadNow));
  return out;
}

tool::TJson JsonHostReport(const THostReport& report) {
  tool::TJson out = {{"description", tool::JsonDescription(report.Description)}};
  if (report.Query) {
    out["params"] = report.Query->Params;
    out["answer"] = tool::JsonAnswer(report.Query->Outcome);
  }
  if (report.CanUnloadNow) out["canUnloadNow"] = ResultName(*report.CanUnloadNow);
  return out;
}

}  // namespace filedata::host
