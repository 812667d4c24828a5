#include "tools/common/Explain.h"

#include <stdexcept>

#include "tools/common/QueryOutcome.h"

namespace filedata::tool {

// The plug-in writes byte B of its 8-bit text as code point B (\u00XX); the
// parser hands code points back in UTF-8, so each string is turned back
// into those bytes. A code point above U+00FF, which the plug-in never
// writes, becomes "?".
void BackToBytes(TJson& value) {
  if (value.is_structured()) {
    for (TJson& element : value) BackToBytes(element);
    return;
  }
  if (!value.is_string()) return;
  const std::string& utf8 = value.get_ref<const std::string&>();
  std::string bytes;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes.push_back(utf8[i]);
    } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < utf8.size()) {
      bytes.push_back(static_cast<char>((lead & 0x03) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F)));
    } else {
      bytes.push_back('?');
      while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
    }
  }
  value = bytes;
}

std::vector<TExplainStep> StepsOf(const std::string& json) {
  TJson steps = TJson::parse(json, nullptr, false);
  if (!steps.is_array()) throw std::runtime_error("the plug-in's explanation is no JSON array: " + json);
  BackToBytes(steps);
  std::vector<TExplainStep> taken;
  for (TJson& step : steps) {
    const auto has = [&](const char* key) { return step.is_object() && step.contains(key) && step[key].is_string(); };
    if (!has("step") || !has("detail")) {
      throw std::runtime_error("the plug-in's explanation holds a step without its name and words: " + step.dump());
    }
    taken.push_back({step["step"].get<std::string>(), step["detail"].get<std::string>(), std::move(step)});
  }
  return taken;
}

namespace {
// The explanation, and the view when VIEWED is given.
TExplained Explained(IExplainingPlugIn& plugIn, const std::string& params, bool viewed) {
  TExplained explained;
  TQueryOutcome& outcome = explained.Outcome;
  const char* itemName = nullptr;
  const char* text = nullptr;
  const char* steps = nullptr;
  const char* view = nullptr;
  outcome.Result =
      viewed ? plugIn.ExplainWithView(0, params.c_str(), &itemName, &outcome.ValueKind, &text, &outcome.Number,
                                      &steps, &view)
             : plugIn.ExplainData(0, params.c_str(), &itemName, &outcome.ValueKind, &text, &outcome.Number, &steps);
  CompleteOutcome(plugIn, text, outcome);
  if (steps) explained.StepsJson = steps;
  explained.Steps = StepsOf(explained.StepsJson);
  if (viewed) {
    explained.View = TJson::parse(view ? view : "", nullptr, false);
    if (!explained.View.is_object()) throw std::runtime_error("the plug-in's view of the file is no JSON object");
    BackToBytes(explained.View);
  }
  return explained;
}
}  // namespace

TExplained Explain(IExplainingPlugIn& plugIn, const std::string& params) { return Explained(plugIn, params, false); }

TExplained ExplainWithView(IExplainingPlugIn& plugIn, const std::string& params) {
  return Explained(plugIn, params, true);
}

std::string PlainExplanation(const TExplained& explained) {
  std::string out;
  for (const TExplainStep& step : explained.Steps) out += step.Step + ": " + step.Detail + "\n";
  return out;
}

}  // namespace filedata::tool
