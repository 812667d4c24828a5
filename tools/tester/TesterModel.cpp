#include "tools/tester/TesterModel.h"

#include <algorithm>

#include "descriptor/DescriptorTables.h"
#include "explain/ViewKeys.h"
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
  // The advice on a cut comes after the step that decided, before the answer.
  std::size_t step = explained.Steps.size() >= 2 ? explained.Steps.size() - 2 : 0;
  while (step > 0 && explained.Steps[step].Step == "advice") --step;
  return step;
}

namespace {
std::string TextOr(const tool::TJson& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

template <class T>
T NumberOr(const tool::TJson& object, const char* key, T otherwise) {
  const auto found = object.find(key);
  return found != object.end() && found->is_number() ? found->get<T>() : otherwise;
}

void AddLines(const tool::TJson& lines, std::vector<TLineRow>& rows) {
  if (!lines.is_array()) return;
  for (const tool::TJson& line : lines) {
    TLineRow row;
    row.Number = NumberOr<std::uint64_t>(line, view_key::kLine, 0);
    row.FromEnd = NumberOr<std::int64_t>(line, view_key::kFromEnd, -1);
    row.Text = TextOr(line, view_key::kText);
    row.CutShort = line.value(view_key::kCutShort, false);
    rows.push_back(std::move(row));
  }
}

TLineRow NoteRow(TLineRow::TKind kind, std::string words) {
  TLineRow row;
  row.Kind = kind;
  row.Text = std::move(words);
  return row;
}
}  // namespace

TShownFile ShownFileOf(const tool::TJson& view) {
  using namespace view_key;
  TShownFile shown;
  if (!view.is_object()) return shown;
  shown.Available = view.value(kAvailable, false);
  if (!shown.Available) {
    shown.Detail = TextOr(view, kDetail);
    return shown;
  }
  AddLines(view[kHead], shown.Rows);
  // The plug-in says which lines it leaves out between the first and the last.
  const tool::TJson skipped = view.value(kSkipped, tool::TJson());
  if (skipped.is_object()) shown.Rows.push_back(NoteRow(TLineRow::TKind::Gap, TextOr(skipped, kDetail)));
  AddLines(view[kTail], shown.Rows);
  if (!TextOr(view, kEnd).empty()) shown.Rows.push_back(NoteRow(TLineRow::TKind::Note, TextOr(view, kEnd)));
  shown.Rows.push_back(NoteRow(TLineRow::TKind::Note, TextOr(view, kPastEnd)));
  for (const tool::TJson& note : view.value(kNotes, tool::TJson::array())) {
    if (note.is_string()) shown.Notes.push_back(note.get<std::string>());
  }
  const tool::TJson choices = view.value(kChoices, tool::TJson::object());
  shown.FromStartChoice = TextOr(choices, kFromStart);
  shown.FromEndChoice = TextOr(choices, kFromEnd);
  const tool::TJson advice = view.value(kAdvice, tool::TJson());
  if (advice.is_object()) {
    shown.Fragile = advice.value(kFragile, false);
    shown.Advice = TextOr(advice, kDetail);
    if (advice.contains(kStart) && advice.contains(kLength)) {
      shown.Sturdier = {advice[kStart].get<std::int64_t>(), advice[kLength].get<std::int64_t>()};
    }
  }
  return shown;
}

namespace {
const tool::TExplainStep* StepNamed(const tool::TExplained& explained, const char* name) {
  for (const tool::TExplainStep& step : explained.Steps) {
    if (step.Step == name) return &step;
  }
  return nullptr;
}
}  // namespace

std::size_t SelectedRow(const TShownFile& file, const tool::TExplained& explained) {
  const tool::TExplainStep* line = StepNamed(explained, "line");
  if (!line || !line->Values.contains("text")) return std::string::npos;  // no line was selected
  const std::int64_t index = NumberOr<std::int64_t>(line->Values, "index", -2);
  for (std::size_t i = 0; i < file.Rows.size(); ++i) {
    const TLineRow& row = file.Rows[i];
    if (row.Kind != TLineRow::TKind::Line) continue;
    if (index >= 0 ? row.Number == static_cast<std::uint64_t>(index) + 1 : row.FromEnd == 0) return i;
  }
  return std::string::npos;
}

std::optional<std::pair<std::size_t, std::size_t>> CutBytes(const tool::TExplained& explained) {
  const tool::TExplainStep* cut = StepNamed(explained, "cut");
  if (!cut) return std::nullopt;
  const auto first = NumberOr<std::int64_t>(cut->Values, "first", 0);
  const auto size = NumberOr<std::int64_t>(cut->Values, "size", 0);
  if (first < 1 || size < 1) return std::nullopt;
  return std::make_pair(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(size));
}

bool CutsToLineEnd(const tool::TExplained& explained) {
  const tool::TExplainStep* cut = StepNamed(explained, "cut");
  return cut && cut->Values.value("toLineEnd", false);
}

std::string LineLabel(const TLineRow& row) {
  if (row.Kind != TLineRow::TKind::Line) return "";
  if (row.Number && row.FromEnd == 0) return std::to_string(row.Number) + " | 0";
  if (row.Number) return std::to_string(row.Number);
  if (row.FromEnd == 0) return "0";
  return "last-" + std::to_string(row.FromEnd);
}

std::optional<std::string> LineValueOf(const TLineRow& row, bool fromEnd) {
  if (row.Kind != TLineRow::TKind::Line) return std::nullopt;
  if (row.FromEnd == 0 && (fromEnd || !row.Number)) return std::string("0");
  if (row.Number) return std::to_string(row.Number);
  return std::nullopt;
}

std::pair<std::string, std::string> CutValuesOf(std::size_t first, std::size_t count, bool toEnd) {
  return {std::to_string(first + 1), std::to_string(toEnd ? kLengthToLineEnd : static_cast<std::int64_t>(count))};
}

void TLineColumns::Add(std::size_t firstByte, std::size_t units) {
  for (std::size_t unit = 0; unit < units; ++unit) {
    byte_.push_back(firstByte);
    starts_.push_back(unit == 0);
  }
}

void TLineColumns::End(std::size_t size) {
  byte_.push_back(size);
  starts_.push_back(true);
}

std::pair<std::size_t, std::size_t> TLineColumns::BytesOf(std::size_t start, std::size_t end) const {
  if (byte_.empty()) return {0, 0};
  start = std::min(start, Count());
  end = std::clamp(end, start, Count());
  while (!starts_[end]) ++end;  // a span ending inside a character takes all of it
  return {byte_[start], byte_[end]};
}

std::pair<std::size_t, std::size_t> TLineColumns::ColumnsOf(std::size_t first, std::size_t end) const {
  if (byte_.empty()) return {0, 0};
  const auto column = [&](std::size_t byte) {
    return static_cast<std::size_t>(std::upper_bound(byte_.begin(), byte_.end(), byte) - byte_.begin());
  };
  // The character holding FIRST, through the one holding the byte before END.
  std::size_t from = column(first);
  from = from == 0 ? 0 : from - 1;
  while (from > 0 && !starts_[from]) --from;
  std::size_t to = end > first ? column(end - 1) : from;
  to = std::min(to, Count());
  while (!starts_[to]) ++to;
  return {from, std::max(from, to)};
}

std::vector<TRulerMark> RulerMarks(const TLineColumns& columns, const std::vector<int>& xOfColumn) {
  std::vector<TRulerMark> marks;
  for (std::size_t column = 0; column < columns.Count() && column + 1 < xOfColumn.size(); ++column) {
    if (!columns.StartsCharacter(column)) continue;
    std::size_t next = column + 1;
    while (!columns.StartsCharacter(next)) ++next;
    const std::size_t first = columns.ByteOf(column), bytes = columns.ByteOf(next) - first;
    const int left = xOfColumn[column], width = xOfColumn[std::min(next, xOfColumn.size() - 1)] - left;
    for (std::size_t i = 0; i < bytes; ++i) {
      const std::size_t position = first + i + 1;
      marks.push_back({left + static_cast<int>(static_cast<std::size_t>(width) * i / bytes), position,
                       position == 1 || position % 10 == 0});
    }
  }
  return marks;
}

std::string LocalNumber(std::string_view value, std::string_view separator) {
  std::string local(value);
  if (const std::size_t point = local.find('.'); point != std::string::npos) local.replace(point, 1, separator);
  return local;
}

std::string FieldHelp(const TParamField& field, const tool::TExplained& explained) {
  for (const tool::TExplainStep& step : explained.Steps) {
    if (step.Step != "parameters") continue;
    const auto defaults = step.Values.find("defaults");
    if (defaults == step.Values.end() || !defaults->is_object()) break;
    const auto words = defaults->find(field.Key);
    if (words != defaults->end() && words->is_object()) {
      const std::string detail = TextOr(*words, "detail");
      if (!detail.empty()) return field.Description + " (" + detail + ")";
    }
  }
  return field.Description + " (default \"" + field.Default + "\")";
}

std::string CannotExplainNote(bool paramsGiven) {
  std::string note = tool::kCannotExplain;
  note.front() = AsciiUpperByte(note.front());
  return note + ": the value is shown without the steps that decided it." +
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
  // Each option above its words: read in a message box's proportional
  // font, columns lined up with spaces would not stay lined up.
  return std::string(
             "Usage: filedata-tester [--dll PATH] [PARAMS]\n\n"
             "Shows the Filedata plug-in's parameters, a live reading and why it is what it is.\n\n"
             "--dll PATH\n"
             "    Load the plug-in from PATH, as filedata-host --dll does. Without it the registered plug-in is "
             "created, as the host does.\n\n"
             "PARAMS\n"
             "    A parameter text such as \"") +
         kExampleParams + "\", to fill the fields.\n";
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
