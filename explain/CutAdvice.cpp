#include "explain/CutAdvice.h"

#include <vector>

#include "explain/AnswerWords.h"
#include "explain/StepWords.h"
#include "explain/ViewKeys.h"
#include "query/FloatParse.h"
#include "query/Text.h"

namespace filedata::explain {

namespace {
// How far a sturdier cut may reach beyond the number: blanks before it, and
// room for wider numbers and blanks after it.
constexpr std::int64_t kReachBefore = 8;
constexpr std::int64_t kReachAfter = 12;

struct TCut {
  std::int64_t Start, Length;  // as the parameters give them
};

// A byte that would carry a number on past a cut's edge.
bool CarriesNumber(char byte, char separator) {
  return (byte >= '0' && byte <= '9') || byte == '+' || byte == '-' || byte == separator;
}

bool IsNumber(std::string_view text, char separator) {
  long double value;
  return TryParseFloat(text, value, separator);
}

std::string_view CutOf(std::string_view line, TCut cut) { return CutOfLine(line, cut.Start, cut.Length); }

// Where the cut lies in LINE, 0-based.
std::size_t FirstOf(std::string_view line, std::string_view cut) {
  return static_cast<std::size_t>(cut.data() - line.data());
}

// The byte just outside the cut that carries its number on, or npos.
std::size_t NumberGoesOnAt(std::string_view line, std::string_view cut, char separator) {
  const std::size_t first = FirstOf(line, cut), end = first + cut.size();
  if (first > 0 && CarriesNumber(line[first - 1], separator)) return first - 1;
  if (end < line.size() && CarriesNumber(line[end], separator)) return end;
  return std::string_view::npos;
}

// The number around CUT, a part of LINE: every byte that carries it on.
std::string_view WholeNumber(std::string_view line, std::string_view cut, char separator) {
  std::size_t first = FirstOf(line, cut), end = first + cut.size();
  while (first > 0 && CarriesNumber(line[first - 1], separator)) --first;
  while (end < line.size() && CarriesNumber(line[end], separator)) ++end;
  return line.substr(first, end - first);
}

// A line as a pattern: each run of bytes that carry a number as 9, of
// ASCII letters as a, of blanks as one blank, any other byte as itself.
// Lines of one logger share it, whatever the time or the value they hold,
// and however wide.
std::string Shape(std::string_view line, char separator) {
  const auto kind = [separator](char byte) -> char {
    if (CarriesNumber(byte, separator)) return '9';
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')) return 'a';
    return byte;
  };
  std::string shape;
  for (const char byte : line) {
    const char k = kind(byte);
    const bool run = k == '9' || k == 'a' || k == ' ';
    if (!(run && !shape.empty() && shape.back() == k)) shape.push_back(k);
  }
  return shape;
}

struct TLineAlike {
  std::uint64_t Number;  // 0: not known
  std::int64_t FromEnd;  // -1: not known
  std::string_view Text;
};

// The shown lines other than the selected one that have its shape.
std::vector<TLineAlike> LinesAlike(const TFileView& view, std::uint64_t selected, const std::string& shape,
                                   char separator) {
  std::vector<TLineAlike> alike;
  for (const std::vector<TViewLine>* lines : {&view.Head, &view.Tail}) {
    for (const TViewLine& line : *lines) {
      const bool isSelected = selected ? line.Number == selected : line.FromEnd == 0;
      if (isSelected || line.CutShort) continue;
      if (Shape(line.Text, separator) == shape) alike.push_back({line.Number, line.FromEnd, line.Text});
    }
  }
  return alike;
}

// The cut reads a whole number on LINE: a number that no byte outside it carries on.
bool ReadsWhole(std::string_view line, TCut cut, char separator) {
  const std::string_view text = CutOf(line, cut);
  return IsNumber(text, separator) && NumberGoesOnAt(line, text, separator) == std::string_view::npos;
}

// What CUT, a part of LINE, gives when it is no whole number: "the text
// "..."", naming a character it holds only part of.
std::string TextOf(std::string_view line, std::string_view cut, const THost& host) {
  const TKnownLine known(line, line.size(), host);
  const std::uint64_t first = FirstOf(line, cut);
  const TPartCharacters characters = CharactersOfPart(known, first, cut.size());
  const std::string quoted = QuotedLinePart(known, first, cut, characters, host);
  return characters.Partial() ? "text made of " + quoted : "the text " + quoted;
}

std::string LineName(const TLineAlike& line) {
  if (line.Number) return "line " + std::to_string(line.Number);
  if (line.FromEnd == 0) return "the last line";
  return "the line " + std::to_string(line.FromEnd) + " before the last";
}

// " and on the 3 other lines that look like it", or nothing.
std::string AndAlike(std::size_t count) {
  if (count == 0) return "";
  if (count == 1) return " and on the one other shown line that looks like it";
  return " and on the " + std::to_string(count) + " other shown lines that look like it";
}

// A cut that reads the selected line's whole number, covering the cut the
// user made, and a whole number on every line alike: to the end of the
// line where that holds, else the shortest; blanks before the number may
// be taken in where the lines align their numbers to the right.
std::optional<TSturdierCut> FindSturdier(std::string_view line, std::string_view cut, char separator,
                                         const std::vector<TLineAlike>& alike) {
  const std::string_view whole = WholeNumber(line, cut, separator);
  const auto wholeStart = static_cast<std::int64_t>(FirstOf(line, whole)) + 1;
  const auto wholeSize = static_cast<std::int64_t>(whole.size());
  const auto holds = [&](TCut candidate) {
    const std::string_view taken = CutOf(line, candidate);
    if (taken.size() < whole.size() || FirstOf(line, taken) > FirstOf(line, whole)) return false;
    if (!ReadsWhole(line, candidate, separator)) return false;
    for (const TLineAlike& other : alike) {
      if (!ReadsWhole(other.Text, candidate, separator)) return false;
    }
    return true;
  };
  for (std::int64_t start = wholeStart; start >= 1 && start >= wholeStart - kReachBefore; --start) {
    if (start < wholeStart && line[static_cast<std::size_t>(start - 1)] != ' ') break;
    if (holds({start, kLengthToLineEnd})) return TSturdierCut{start, kLengthToLineEnd};
    for (std::int64_t length = wholeStart - start + wholeSize; length <= wholeStart - start + wholeSize + kReachAfter;
         ++length) {
      if (holds({start, length})) return TSturdierCut{start, length};
    }
  }
  return std::nullopt;
}
}  // namespace

std::optional<TCutAdvice> AdviseCut(std::string_view line, std::uint64_t lineNumber, std::int64_t start,
                                    std::int64_t length, char separator, const TFileView* view, const THost& host) {
  const TCut asked{start, length};
  const std::string_view cut = CutOf(line, asked);
  if (!IsNumber(cut, separator)) return std::nullopt;
  TCutAdvice advice;
  const std::vector<TLineAlike> alike =
      view ? LinesAlike(*view, lineNumber, Shape(line, separator), separator) : std::vector<TLineAlike>();
  advice.LinesAlike = alike.size();

  const std::size_t goesOn = NumberGoesOnAt(line, cut, separator);
  if (goesOn != std::string_view::npos) {
    advice.Detail = "fragile cut: " + Quoted(cut) + " is part of the number " +
                    Quoted(WholeNumber(line, cut, separator)) + " (byte " +
                    std::to_string(goesOn + 1) + ", " + Quoted(line.substr(goesOn, 1)) + ", lies just outside it)";
  } else {
    for (const TLineAlike& other : alike) {
      const std::string_view otherCut = CutOf(other.Text, asked);
      if (ReadsWhole(other.Text, asked, separator)) continue;
      const std::string gives =
          IsNumber(otherCut, separator)
              ? Quoted(otherCut) + ", part of the number " + Quoted(WholeNumber(other.Text, otherCut, separator))
              : TextOf(other.Text, otherCut, host);
      advice.Detail = "fragile cut: on " + LineName(other) + " the same cut gives " + gives;
      break;
    }
  }
  if (advice.Detail.empty()) {
    advice.Detail = "the cut reads a whole number on this line" + AndAlike(alike.size());
    return advice;
  }
  advice.Fragile = true;
  advice.Sturdier = FindSturdier(line, cut, separator, alike);
  if (advice.Sturdier) {
    advice.Detail += "; " + CutWords(advice.Sturdier->Start, advice.Sturdier->Length) +
                     " reads the whole number on this line" + AndAlike(alike.size());
  } else {
    advice.Detail += "; no START and LENGTH reads the whole number on every shown line that looks like this one: "
                     "its width changes and other text follows it";
  }
  return advice;
}

TJsonObject AdviceValues(const TCutAdvice& advice) {
  using namespace view_key;
  TJsonObject values;
  values.Boolean(kFragile, advice.Fragile).Integer(kLinesAlike, static_cast<std::int64_t>(advice.LinesAlike));
  if (advice.Sturdier) values.Integer(kStart, advice.Sturdier->Start).Integer(kLength, advice.Sturdier->Length);
  return values;
}

}  // namespace filedata::explain
