#include "explain/FileViewWords.h"

#include <vector>

#include "explain/JsonWriting.h"
#include "explain/StepWords.h"
#include "explain/Utf8Words.h"
#include "explain/ViewKeys.h"

namespace filedata::explain {

namespace {
using namespace view_key;

std::string LinesJson(const std::vector<TViewLine>& lines) {
  std::vector<std::string> rows;
  for (const TViewLine& line : lines) {
    TJsonObject row;
    if (line.Number) row.Integer(kLine, static_cast<std::int64_t>(line.Number));
    else row.Null(kLine);
    if (line.FromEnd >= 0) row.Integer(kFromEnd, line.FromEnd);
    else row.Null(kFromEnd);
    rows.push_back(row.Text(kText, line.Text).Boolean(kCutShort, line.CutShort).Close());
  }
  return JsonArray(rows);
}

// "the last line", "the last 100 lines".
std::string LastLines(std::size_t count) {
  return count == 1 ? "the last line" : "the last " + Lines(count);
}

// The lines between the head and the tail that are not listed, in words;
// empty when every line is.
std::string Unlisted(const TFileView& view) {
  if (view.Tail.empty()) return "";
  const std::uint64_t listed = view.Head.size() + view.Tail.size();
  if (view.LineCount) {
    if (*view.LineCount <= listed) return "";
    const std::uint64_t first = view.Head.size() + 1, last = *view.LineCount - view.Tail.size();
    return (first == last ? "line " + std::to_string(first) + " is"
                          : "lines " + std::to_string(first) + "-" + std::to_string(last) + " are") +
           " not listed here";
  }
  return "any lines between " + (view.Head.empty() ? std::string("the start") : "line " + std::to_string(view.Head.size())) +
         " and " + LastLines(view.Tail.size()) + " are not listed here, and how many there are is not known";
}

// "line 3", "the last line", "the line 2 before the last".
std::string LineName(const TViewLine& line) {
  if (line.Number) return "line " + std::to_string(line.Number);
  if (line.FromEnd == 0) return "the last line";
  return "the line " + std::to_string(line.FromEnd) + " before the last";
}

// The first line listed that is UTF-8 text the host shows otherwise, in words; empty when none is.
std::string Utf8Note(const TFileView& view, const THost& host) {
  if (view.Mark.Encoding != TTextEncoding::EightBit) return "";
  for (const std::vector<TViewLine>* lines : {&view.Head, &view.Tail}) {
    for (const TViewLine& line : *lines) {
      std::string note = Utf8TextDetail(LineName(line), line.Text, !line.CutShort, view.Mark.Utf8Mark, host);
      if (!note.empty()) return note;
    }
  }
  return "";
}

// What a user needs to know to pick a line from the view.
std::vector<std::string> Notes(const TFileView& view, const THost& host) {
  std::vector<std::string> notes{EncodingDetail(view.Mark)};
  const std::string negative = "; a negative LINE lies past the last line and never answers";
  if (!view.LineCount) {
    notes.push_back("the lines of this long text were not counted (its end is found without counting them), so the "
                    "last lines show their place from the end, LINE=0 the last, but not their number from the start" +
                    negative);
  } else if (*view.LineCount == 0) {
    notes.push_back("the file has no lines, so no LINE selects one");
  } else if (*view.LineCount == 1) {
    notes.push_back("the text has 1 line: LINE=1 and LINE=0 both select it" + negative);
  } else {
    const std::string count = std::to_string(*view.LineCount);
    notes.push_back("the text has " + Lines(*view.LineCount) + ": LINE=1 " + (*view.LineCount == 2 ? "and" : "to") +
                    " LINE=" + count + " select them from the start, LINE=0 the last" + negative);
  }
  if (view.End.EndedByZero || view.End.OddByteIgnored) notes.push_back(TextEndDetail(view.End));
  std::string utf8 = Utf8Note(view, host);
  if (!utf8.empty()) notes.push_back(std::move(utf8));
  return notes;
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  std::vector<std::string> values;
  for (const std::string& text : texts) values.push_back(JsonString(text));
  return JsonArray(values);
}

std::string AdviceJson(const std::optional<TCutAdvice>& advice) {
  if (!advice) return "null";
  return AdviceValues(*advice).Text(kDetail, advice->Detail).Close();
}
}  // namespace

std::string FileViewJson(const TFileView& view, const std::optional<TCutAdvice>& advice, const THost& host) {
  TJsonObject json;
  json.Boolean(kAvailable, true)
      .Text(kEncoding, EncodingName(view.Mark.Encoding))
      .Integer(kFileSize, static_cast<std::int64_t>(view.FileSize))
      .Boolean(kReadThrough, view.ReadThrough);
  if (view.LineCount) json.Integer(kLineCount, static_cast<std::int64_t>(*view.LineCount));
  else json.Null(kLineCount);
  json.Json(kHead, LinesJson(view.Head)).Json(kTail, LinesJson(view.Tail));
  const std::string unlisted = Unlisted(view);
  if (unlisted.empty()) {
    json.Null(kSkipped);
  } else {
    json.Json(kSkipped, TJsonObject()
                            .Integer(kFrom, static_cast<std::int64_t>(view.SkippedFrom))
                            .Integer(kTo, static_cast<std::int64_t>(view.SkippedTo))
                            .Text(kDetail, unlisted)
                            .Close());
  }
  json.Json(kNotes, JsonStrings(Notes(view, host)));
  if (view.End.EndedByZero) json.Text(kEnd, TextEndDetail(view.End));
  else json.Null(kEnd);
  // A row of a narrow list: the notes say why a negative LINE answers nothing.
  return json.Text(kPastEnd, "past the last line: no LINE answers here")
      .Json(kChoices, TJsonObject()
                          .Text(kFromStart, "a LINE from 1 stays on that line as the file grows: right when the "
                                            "reading is always on the same line")
                          .Text(kFromEnd, "LINE=0 follows the last line as the file grows: right for a log that "
                                          "adds a line each time; only the last line can be counted from the end")
                          .Close())
      .Json(kAdvice, AdviceJson(advice))
      .Close();
}

std::string UnavailableViewJson(std::string_view detail) {
  return TJsonObject().Boolean(kAvailable, false).Text(kDetail, detail).Close();
}

}  // namespace filedata::explain
