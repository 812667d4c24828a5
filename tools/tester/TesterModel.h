#pragma once
// What the Filedata Tester shows, apart from its window so that it can be
// tested anywhere: the fields of the plug-in's own parameter tables, the
// parameter text a host builds from them, what a reading and its
// explanation say, and the tester's command line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "query/ParamTable.h"
#include "tools/common/Description.h"
#include "tools/common/Explain.h"

namespace filedata::tester {

// One parameter as the plug-in describes it.
struct TParamField {
  std::string Name;  // as the plug-in names it
  std::string Key;   // the name upper-cased (ASCII), as a host writes it into the parameter text
  std::string Default;
  std::string Description;
  TParamTable Table = TParamTable::Basic;
  bool PicksFile = false;  // its editor is the file chooser
  char Mnemonic = 0;       // the letter its label underlines; 0: none left
};

// Every parameter of data item 0, the basic ones first. Each gets the
// first letter of its name that no other label uses and RESERVED (the
// tester's own buttons' letters) does not hold.
std::vector<TParamField> FieldsOf(const tool::TDescription& description, std::string_view reserved);

// The label with its mnemonic marked for a dialog: "&Filename", "L&ength".
std::string LabelOf(const TParamField& field);

// "KEY=value|KEY=value" for every field whose value is not empty, in the
// fields' order, as a host builds it.
std::string ParamText(const std::vector<TParamField>& fields, const std::vector<std::string>& values);

// The value each field gets from the parameter text EXPLAINED, as the
// plug-in read its pairs; empty where it gives none.
std::vector<std::string> ValuesFrom(const std::vector<TParamField>& fields, const tool::TExplained& explained);

// The words beside FIELD: its description and its default. Where the
// plug-in's reading EXPLAINED says the query's default differs from the
// editor's ("defaults" of its parameters step), its words on both; else
// the editor's default. EXPLAINED may be empty (an older plug-in).
std::string FieldHelp(const TParamField& field, const tool::TExplained& explained);

// The fields' defaults, as a host's editor offers them for a new reading.
std::vector<std::string> DefaultValues(const std::vector<TParamField>& fields);

// What one reading shows: the value in large type and the line under it.
struct TReadingView {
  std::string Value;   // the number as the tools print it, the text, or empty on failure
  std::string Status;  // "Number, S_OK"; "Text, S_OK"; "Empty text, S_OK"; "E_FAIL: <last-error text>"
  bool operator==(const TReadingView& other) const { return Value == other.Value && Status == other.Status; }
  bool operator!=(const TReadingView& other) const { return !(*this == other); }
};
TReadingView ViewOf(const TQueryOutcome& outcome);

// The step that decided the answer: the last one before the answer itself
// (the pair that failed, the file test, the missing line, the number test).
std::size_t DecidingStep(const tool::TExplained& explained);

// The line shown for a plug-in that cannot explain its readings (an older
// build); PARAMSGIVEN: the tester was given a parameter text, which then
// cannot be put into the fields.
std::string CannotExplainNote(bool paramsGiven);

// One row of the file's lines as the tester lists them.
struct TLineRow {
  enum class TKind : std::uint8_t { Line, Gap, Note };
  TKind Kind = TKind::Line;
  std::uint64_t Number = 0;   // from 1; 0: not known
  std::int64_t FromEnd = -1;  // 0: the last line; -1: not known
  std::string Text;           // the line's bytes as the plug-in reads them, or the words of a gap or note
  bool CutShort = false;      // the line goes on past Text
};

// The plug-in's view of the file, as the tester shows it.
struct TShownFile {
  bool Available = false;
  std::string Detail;  // why there is no view
  std::vector<TLineRow> Rows;
  std::vector<std::string> Notes;
  std::string FromStartChoice, FromEndChoice;  // what stays right as the file grows
  bool Fragile = false;
  std::string Advice;  // on the cut, when the answer is a number
  std::optional<std::pair<std::int64_t, std::int64_t>> Sturdier;  // START and LENGTH the advice offers
};
// VIEW as the plug-in wrote it (tool::TExplained::View); null: none asked.
TShownFile ShownFileOf(const tool::TJson& view);

// The row of the line the reading selected, from its "line" step; npos
// when it selected none or the row is not shown.
std::size_t SelectedRow(const TShownFile& file, const tool::TExplained& explained);

// The bytes of the selected line the reading cut, from its "cut" step:
// 0-based first byte and count; nothing when it cut none.
std::optional<std::pair<std::size_t, std::size_t>> CutBytes(const tool::TExplained& explained);

// Whether the reading cut to the end of the line, whatever its length.
bool CutsToLineEnd(const tool::TExplained& explained);

// "12", "12 | 0" for the last line, "0" for the last line of a file not
// read through, "last-3" for a line whose number from the start is not known.
std::string LineLabel(const TLineRow& row);

// The LINE value a click on ROW gives: its number, or with FROMEND 0 for
// the last line; nothing for a line that LINE cannot select.
std::optional<std::string> LineValueOf(const TLineRow& row, bool fromEnd);

// START and LENGTH for the bytes [FIRST, FIRST + COUNT) of a line; TOEND:
// the selection reaches the line's end and cuts to it whatever its length.
std::pair<std::string, std::string> CutValuesOf(std::size_t first, std::size_t count, bool toEnd);

// The line field's columns, a UTF-16 unit of the shown line each: a
// character of the line's bytes takes one, or two for a surrogate pair, and
// a span chosen in them never ends inside a character.
class TLineColumns {
 public:
  // The next character: its first byte, shown in UNITS columns.
  void Add(std::size_t firstByte, std::size_t units);
  // After the last character: the line's size.
  void End(std::size_t size);
  std::size_t Count() const { return byte_.empty() ? 0 : byte_.size() - 1; }
  // The first byte of the character column COLUMN shows (Count(): the size).
  std::size_t ByteOf(std::size_t column) const { return byte_[column]; }
  bool StartsCharacter(std::size_t column) const { return starts_[column]; }
  // The bytes [first, end) of the characters the columns [START, END) touch.
  std::pair<std::size_t, std::size_t> BytesOf(std::size_t start, std::size_t end) const;
  // The columns of the characters the bytes [FIRST, END) touch.
  std::pair<std::size_t, std::size_t> ColumnsOf(std::size_t first, std::size_t end) const;

 private:
  std::vector<std::size_t> byte_;
  std::vector<bool> starts_;
};

// A mark of the ruler over the line field: byte POSITION (from 1) at pixel X.
struct TRulerMark {
  int X = 0;
  std::size_t Position = 0;
  bool Labelled = false;  // 1 and every tenth byte carry their number
  bool operator==(const TRulerMark& other) const {
    return X == other.X && Position == other.Position && Labelled == other.Labelled;
  }
};
// Every byte's mark, under its character: XOFCOLUMN[c] is the pixel where
// column c starts (one more: where the text ends), and a character of n
// bytes spreads its n marks evenly over its width.
std::vector<TRulerMark> RulerMarks(const TLineColumns& columns, const std::vector<int>& xOfColumn);

// The number VALUE, as the plug-in's answer prints it ("100.25"), with the
// decimal separator of the user's regional settings ("100,25"); no grouping.
std::string LocalNumber(std::string_view value, std::string_view separator);

// The seconds between readings as typed; nothing when they are no whole
// number from 1 to 3600.
std::optional<unsigned> IntervalSeconds(std::string_view typed);

struct TTesterCommandLine {
  bool Help = false;
  std::optional<std::string> DllPath;  // load by path; none: create the registered class
  std::optional<std::string> Params;   // fills the fields
};
// Nothing on a usage error, with its text in ERROR.
std::optional<TTesterCommandLine> ParseTesterCommandLine(const std::vector<std::string>& args, std::string& error);

std::string TesterUsage();

}  // namespace filedata::tester
