#include "tools/tester/TesterModel.h"

#include "descriptor/DescriptorTables.h"
#include "query/Text.h"
#include "tools/common/ToolOptions.h"

namespace filedata::tester {

namespace {
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void AddFields(const std::vector<tool::TParamDescription>& params, TParamTable table, std::string& used,
               std::vector<TParamField>& fields) {
  for (const tool::TParamDescription& param : params) {
    TParamField field;
    field.Name = param.Name;
    for (const char c : param.Name) field.Key.push_back(AsciiUpperByte(c));
    field.Default = param.Default;
    field.Description = param.Description;
    field.Table = table;
    field.PicksFile = param.EditorKind == static_cast<std::uint8_t>(TEditorKind::FileName);
    for (const char c : param.Name) {
      if (IsLetter(c) && used.find(AsciiUpperByte(c)) == std::string::npos) {
        field.Mnemonic = c;
        used.push_back(AsciiUpperByte(c));
        break;
      }
    }
    fields.push_back(std::move(field));
  }
}
}  // namespace

std::vector<TParamField> FieldsOf(const tool::TDescription& description, std::string_view reserved) {
  std::vector<TParamField> fields;
  if (description.DataItems.empty()) return fields;
  std::string used;
  for (const char c : reserved) used.push_back(AsciiUpperByte(c));
  AddFields(description.DataItems.front().Params, TParamTable::Basic, used, fields);
  AddFields(description.DataItems.front().AdvancedParams, TParamTable::Advanced, used, fields);
  return fields;
}

std::string LabelOf(const TParamField& field) {
  std::string label;
  bool marked = false;
  for (const char c : field.Name) {
    if (c == '&') label.push_back('&');  // a literal ampersand
    if (!marked && field.Mnemonic != 0 && c == field.Mnemonic) {
      label.push_back('&');
      marked = true;
    }
    label.push_back(c);
  }
  return label;
}

std::string ParamText(const std::vector<TParamField>& fields, const std::vector<std::string>& values) {
  std::string text;
  for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i) {
    if (values[i].empty()) continue;
    text += (text.empty() ? "" : "|") + fields[i].Key + "=" + values[i];
  }
  return text;
}

std::vector<std::string> ValuesFrom(const std::vector<TParamField>& fields, const tool::TExplained& explained) {
  std::vector<std::string> values(fields.size());
  for (const tool::TExplainStep& step : explained.Steps) {
    if (step.Step != "pair" || !step.Values.contains("sets")) continue;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (step.Values["sets"] == fields[i].Key) values[i] = step.Values.value("value", "");
    }
  }
  return values;
}

std::vector<std::string> DefaultValues(const std::vector<TParamField>& fields) {
  std::vector<std::string> values;
  for (const TParamField& field : fields) values.push_back(field.Default);
  return values;
}

TReadingView ViewOf(const TQueryOutcome& outcome) {
  const std::string result = ResultName(outcome.Result);
  if (outcome.Result != hr::Ok) return {"", result + ": " + outcome.Error};
  if (outcome.ValueKind == descriptor::kNumberKind) return {AnswerValue(outcome), "Number, " + result};
  return {outcome.Text, (outcome.Text.empty() ? "Empty text, " : "Text, ") + result};
}

std::size_t DecidingStep(const tool::TExplained& explained) {
  const std::size_t steps = explained.Steps.size();
  return steps >= 2 ? steps - 2 : 0;
}

std::string CannotExplainNote(bool paramsGiven) {
  return std::string("This version of the plug-in cannot explain its readings (it is older than this tester): the "
                     "value is shown without the steps that decided it.") +
         (paramsGiven ? " The parameter text given to the tester cannot be put into the fields without it either, "
                        "so they start from the plug-in's defaults."
                      : "");
}

std::optional<unsigned> IntervalSeconds(std::string_view typed) {
  unsigned seconds = 0;
  if (typed.empty() || typed.size() > 4) return std::nullopt;
  for (const char c : typed) {
    if (c < '0' || c > '9') return std::nullopt;
    seconds = seconds * 10 + static_cast<unsigned>(c - '0');
  }
  if (seconds < 1 || seconds > 3600) return std::nullopt;
  return seconds;
}

std::string TesterUsage() {
  return std::string(
             "usage: filedata-tester [--dll PATH] [PARAMS]\n"
             "  Shows the Filedata plug-in's parameters, a live reading and why it is what it is.\n"
             "  --dll PATH  load the plug-in from PATH, as filedata-host --dll does;\n"
             "              without it the registered plug-in is created, as the host does\n"
             "  PARAMS      a parameter text such as \"") +
         kExampleParams + "\", to fill the fields\n";
}

std::optional<TTesterCommandLine> ParseTesterCommandLine(const std::vector<std::string>& args, std::string& error) {
  TTesterCommandLine command;
  tool::TToolOptions options(command.Help);
  std::string dll;
  auto* dllOption = options.App().add_option("--dll", dll);
  std::string params;
  auto* paramsOption = options.App().add_option("params", params);
  if (!options.Parse(args, error)) return std::nullopt;
  if (dllOption->count()) command.DllPath = dll;
  if (paramsOption->count()) command.Params = params;
  return command;
}

}  // namespace filedata::tester
