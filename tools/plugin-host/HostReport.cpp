#include "tools/plugin-host/HostReport.h"

namespace filedata::host {

std::string PlainHostReport(const THostReport& report) {
  std::string out = tool::PlainDescription(report.Description);
  if (report.Query || report.CanUnloadNow) out += "\n";
  if (report.Query) {
    out += tool::LabelledLine("Query", report.Query->Params);
    out += tool::LabelledLine("Answer", AnswerWords(report.Query->Outcome));
  }
  if (report.CanUnloadNow) out += tool::LabelledLine("DllCanUnloadNow", ResultName(*report.CanUnloadNow));
  return out;
}

std::string JsonHostReport(const THostReport& report) {
  TJsonObject out;
  out.Json("description", tool::JsonDescription(report.Description));
  if (report.Query) out.Text("params", report.Query->Params).Json("answer", AnswerJson(report.Query->Outcome).Close());
  if (report.CanUnloadNow) out.Text("canUnloadNow", ResultName(*report.CanUnloadNow));
  return out.Close();
}

}  // namespace filedata::host
