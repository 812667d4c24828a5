#include "explain/FileViewWords.h"

#include <vector>

#include "explain/JsonWriting.h"
#include "explain/StepWords.h"

namespace filedata::explain {

namespace {
std::string LinesJson(const std::vector<TViewLine>& lines) {
  std::vector<std::string> rows;
  for (const TViewLine& line : lines) {
    TJsonObject row;
    if (line.Number) row.Integer("line", static_cast<std::int64_t>(line.Number));
    else row.Null("line");
    if (line.FromEnd >= 0) row.Integer("fromEnd", line.FromEnd);
    else row.Null("fromEnd");
    rows.push_back(row.Text("text", line.Text).Boolean("cutShort", line.CutShort).Close());
  }
  return JsonArray(rows);
}

// What a user needs to know to pick a line from the view.
std::vector<std::string> Notes(const TFileView& view) {
  std::vector<std::string> notes{EncodingDetail(view.Mark)};
  if (view.ReadThrough) {
    notes.push_back(view.LineCount == 0
                        ? "the file has no lines, so no LINE selects one"
                        : "the text has " + Lines(view.LineCount) + ": LINE=1 to LINE=" +
                              std::to_string(view.LineCount) +
                              " select them from the start, LINE=0 the last; a negative LINE lies past the "
                              "last line and never answers");
  } else {
    notes.push_back("a large file: only its first and last lines are read here, so the last lines show no number "
                    "from the start; LINE=0 selects the last line, as long as no zero byte in the unread middle "
                    "ends the text sooner; a negative LINE lies past the last line and never answers");
  }
  if (view.End.EndedByZero || view.End.OddByteIgnored) notes.push_back(TextEndDetail(view.End));
  return notes;
}

std::string JsonStrings(const std::vector<std::string>& texts) {
  std::vector<std::string> values;
  for (const std::string& text : texts) values.push_back(JsonString(text));
  return JsonArray(values);
}

std::string AdviceJson(const std::optional<TCutAdvice>& advice) {
  if (!advice) return "null";
  return AdviceValues(*advice).Text("detail", advice->Detail).Close();
}
}  // namespace

std::string FileViewJson(const TViewRequest& request, const std::optional<TCutAdvice>& advice) {
  TJsonObject json;
  if (!request.View) {
    return json.Boolean("available", false)
        .Text("detail", request.Failure.empty() ? "no file was read" : request.Failure)
        .Close();
  }
  const TFileView& view = *request.View;
  json.Boolean("available", true)
      .Text("encoding", EncodingName(view.Mark.Encoding))
      .Integer("fileSize", static_cast<std::int64_t>(view.FileSize))
      .Boolean("readThrough", view.ReadThrough);
  if (view.ReadThrough) json.Integer("lineCount", static_cast<std::int64_t>(view.LineCount));
  else json.Null("lineCount");
  json.Json("head", LinesJson(view.Head)).Json("tail", LinesJson(view.Tail));
  if (view.ReadThrough) {
    json.Null("skipped");
  } else {
    json.Json("skipped", TJsonObject()
                             .Integer("from", static_cast<std::int64_t>(view.SkippedFrom))
                             .Integer("to", static_cast<std::int64_t>(view.SkippedTo))
                             .Text("detail", "the middle of the file, about " +
                                                 Bytes(view.SkippedTo - view.SkippedFrom) + ", is not read")
                             .Close());
  }
  json.Json("notes", JsonStrings(Notes(view)));
  if (view.End.EndedByZero) json.Text("end", TextEndDetail(view.End));
  else json.Null("end");
  return json.Text("pastEnd", "below the last line: LINE=-1 and every negative LINE select nothing")
      .Json("choices", TJsonObject()
                           .Text("fromStart", "a LINE from 1 stays on that line as the file grows: right when the "
                                              "reading is always on the same line")
                           .Text("fromEnd", "LINE=0 follows the last line as the file grows: right for a log that "
                                            "adds a line each time; only the last line can be counted from the end")
                           .Close())
      .Json("advice", AdviceJson(advice))
      .Close();
}

}  // namespace filedata::explain
