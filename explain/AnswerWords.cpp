#include "explain/AnswerWords.h"

namespace filedata {

namespace {
bool IsNumber(const TQueryOutcome& outcome) {
  return outcome.Result == hr::Ok && outcome.ValueKind == descriptor::kNumberKind;
}
}  // namespace

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string CutWords(std::int64_t start, std::int64_t length) {
  return std::string(KeyName(TQueryKey::Start)) + "=" + std::to_string(start) + " " +
         std::string(KeyName(TQueryKey::Length)) + "=" + std::to_string(length);
}

std::string AnswerValue(const TQueryOutcome& outcome) {
  if (outcome.Result != hr::Ok) return outcome.Error;
  return IsNumber(outcome) ? FormatNumber(outcome.Number) : outcome.Text;
}

std::string AnswerWords(const TQueryOutcome& outcome) {
  const std::string result = ResultName(outcome.Result);
  if (outcome.Result != hr::Ok) return result + ", last-error text " + Quoted(outcome.Error);
  const std::string kind = ", kind " + std::to_string(outcome.ValueKind);
  // Quoting shows an empty text and blanks at its ends; a number needs none.
  if (IsNumber(outcome)) return result + kind + ", number " + FormatNumber(outcome.Number);
  return result + kind + ", text " + Quoted(outcome.Text);
}

TJsonObject AnswerJson(const TQueryOutcome& outcome) {
  TJsonObject json;
  json.Text("hr", ResultName(outcome.Result));
  if (outcome.Result != hr::Ok) return json.Text("error", outcome.Error);
  json.Integer("kind", outcome.ValueKind);
  return IsNumber(outcome) ? json.Number("number", outcome.Number) : json.Text("text", outcome.Text);
}

}  // namespace filedata
