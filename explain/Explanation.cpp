#include "explain/Explanation.h"

#include <cstdio>
#include <exception>
#include <new>

#include "explain/FailureWords.h"
#include "explain/StepWords.h"
#include "explain/Utf8Words.h"

namespace filedata::explain {

namespace {
std::string StepJson(const char* step, const std::string& detail, const TJsonObject& values) {
  return TJsonObject().Text("step", step).Text("detail", detail).Append(values).Close();
}

// OUTCOME's text may be the start of one of TEXTSIZE bytes: a step quotes
// a long answer by its start and its length. TEXTWORDS, when given, quote
// a text answer as the cut's step did, which knew the line's characters.
std::string AnswerStepJson(const TQueryOutcome& outcome, std::uint64_t textSize,
                           const std::string* textWords = nullptr) {
  const bool text = outcome.Result == hr::Ok && outcome.ValueKind != descriptor::kNumberKind;
  const bool whole = textSize <= outcome.Text.size() || !text;
  if (whole && !(text && textWords)) {
    return StepJson("answer", "the host receives " + AnswerWords(outcome), AnswerJson(outcome));
  }
  TJsonObject values = AnswerJson(outcome);
  if (!whole) values.Boolean("cutShort", true).Integer("size", static_cast<std::int64_t>(textSize));
  return StepJson("answer",
                  "the host receives " + std::string(ResultName(outcome.Result)) + ", kind " +
                      std::to_string(outcome.ValueKind) + ", text " +
                      (textWords ? *textWords : QuotedPart(outcome.Text, textSize, PlatformHost())),
                  values);
}

// A character of the line: its first byte, from 1, and its bytes.
std::string CharacterJson(const TCharacter& character) {
  return TJsonObject()
      .Integer("first", static_cast<std::int64_t>(character.First + 1))
      .Integer("size", static_cast<std::int64_t>(character.Size))
      .Close();
}

std::string UntoldStepJson(std::string_view what, std::string_view reason) {
  return StepJson("explanation",
                  std::string(what) + " (" + std::string(reason) + "); the answer is the host's all the same",
                  TJsonObject().Text("failure", reason));
}
}  // namespace

std::string UntoldStepsJson(std::string_view reason, const TQueryOutcome& outcome, std::uint64_t textSize) {
  return JsonArray({UntoldStepJson("the steps could not be written", reason), AnswerStepJson(outcome, textSize)});
}

void TExplanation::Add(const char* step, const std::string& detail, const TJsonObject& values) {
  steps_.push_back(StepJson(step, detail, values));
}

template <class Telling>
void TExplanation::Listen(Telling&& telling) noexcept {
  if (failed_) return;
  try {
    telling();
    return;
  } catch (const std::bad_alloc&) {
    std::snprintf(failure_, sizeof failure_, "%s", kNoMemory);
  } catch (const std::exception& failure) {
    std::snprintf(failure_, sizeof failure_, "%s", failure.what());
  } catch (...) {
    std::snprintf(failure_, sizeof failure_, "%s", "an unexpected failure");
  }
  failed_ = true;
}

std::string TExplanation::StepsJson(const TQueryOutcome& outcome, std::uint64_t textSize) const {
  std::vector<std::string> steps = steps_;
  if (failed_) steps.push_back(UntoldStepJson("a step could not be written and the steps after it are missing", failure_));
  const std::string cutText = (cutCharacters_.Partial() ? "made of " : "") + cutQuote_;
  steps.push_back(AnswerStepJson(outcome, textSize, cutTold_ && !failed_ ? &cutText : nullptr));
  return JsonArray(steps);
}

std::optional<TCutAdvice> TExplanation::Advise(const TFileView* view) {
  if (!isNumber_ || !wholeLine_ || failed_) return std::nullopt;
  std::optional<TCutAdvice> advice = AdviseCut(lineText_, lineNumber_, start_, length_, separator_, view, Host());
  if (advice && advice->Fragile) Add("advice", advice->Detail, AdviceValues(*advice));
  return advice;
}

void TExplanation::OnPair(const TPair& pair) {
  Listen([&] {
    TJsonObject values;
    values.Integer("index", pair.Index)
        .Text("pair", pair.Text)
        .Text("key", pair.Key)
        .Text("value", pair.Value)
        .Text("use", UseName(pair.Use));
    std::string detail = "pair " + std::to_string(pair.Index) + " " + Quoted(pair.Text) + ": " + PairUse(pair);
    if (pair.Use == TPairUse::Sets) {
      values.Text("sets", KeyName(pair.SetsKey));
      const auto earlier = setBy_.find(pair.SetsKey);
      if (earlier != setBy_.end()) {
        detail += "; it overrides pair " + std::to_string(earlier->second) + ": the last pair of a key wins";
        values.Integer("overrides", earlier->second);
      }
      setBy_[pair.SetsKey] = pair.Index;
      if (pair.ValueCutShort) {
        detail += "; the value ends at its own \"=\", the rest of the pair is dropped";
        values.Boolean("valueCutShort", true);
      }
      if (!pair.HasEquals) values.Boolean("hasEquals", false);
    }
    Add("pair", detail, values);
  });
}

void TExplanation::OnParameters(const TQueryParameters& query) {
  Listen([&] {
    const auto shown = [&](TQueryKey key, const std::string& value) {
      const TParamRow& row = ParamOf(key);
      const std::string given = std::string(KeyName(key)) + " " + value;
      if (setBy_.count(key)) return given;
      return given + (DefaultsDiffer(row) ? " (" + AbsentKeyWords(row) + ")" : " (default)");
    };
    // The keys whose two defaults differ, given or not, for a tool to show beside their fields.
    TJsonObject defaults;
    for (const TParamRow& row : kParams) {
      if (!DefaultsDiffer(row)) continue;
      TJsonObject one;
      if (row.Value == TParamValue::Text) one.Text("query", QueryDefaultText(row));
      else one.Integer("query", row.QueryDefault);
      defaults.Json(row.KeyName, one.Text("editor", row.EditorDefault).Text("detail", DefaultsDetail(row)).Close());
    }
    Add("parameters",
        "the query runs with " + shown(TQueryKey::FileName, Quoted(query.FileName)) + ", " +
            shown(TQueryKey::Line, std::to_string(query.Line)) + ", " +
            shown(TQueryKey::Start, std::to_string(query.Start)) + ", " +
            shown(TQueryKey::Length, std::to_string(query.Length)),
        TJsonObject()
            .Text("fileName", query.FileName)
            .Integer("line", query.Line)
            .Integer("start", query.Start)
            .Integer("length", query.Length)
            .Json("defaults", defaults.Close()));
    line_ = query.Line;
  });
}

void TExplanation::OnPresence(const std::string& fileName, const platform::TPresenceTest& test) {
  Listen([&] {
    TJsonObject values;
    values.Text("fileName", fileName).Boolean("present", test.Result == platform::TPresence::Present);
    if (!test.Entry.empty()) values.Text("entry", test.Entry);
    if (test.Year) values.Integer("year", test.Year);
    if (test.Result == platform::TPresence::NoEntry && test.ErrorCode) {
      values.Integer("code", test.ErrorCode).Text("failure", FailureName(test.Failure));
    }
    fileName_ = fileName;
    Add("file", PresenceDetail(fileName, test, Host()), values);
  });
}

void TExplanation::OnOpenFailure(const TOpenFailure& failure) {
  Listen([&] {
    Add("open", OpenFailureDetail(fileName_, failure, Host()),
        TJsonObject()
            .Text("fullPath", failure.FullPath)
            .Integer("code", failure.Code)
            .Text("failure", FailureName(failure.Kind)));
  });
}

void TExplanation::OnEncoding(const TTextMark& mark) {
  Listen([&] {
    TJsonObject values;
    values.Text("encoding", EncodingName(mark.Encoding)).Boolean("utf8Mark", mark.Utf8Mark);
    if (mark.Encoding != TTextEncoding::EightBit) values.Text("decodedTo", platform::HostTextName());
    eightBit_ = mark.Encoding == TTextEncoding::EightBit;
    utf8Mark_ = mark.Utf8Mark;
    Add("encoding", EncodingDetail(mark), values);
  });
}

void TExplanation::OnTextEnd(const TTextEnd& end) {
  Listen([&] {
    if (!end.EndedByZero && !end.OddByteIgnored) return;
    TJsonObject values;
    values.Boolean("endedByZero", end.EndedByZero).Boolean("oddByteIgnored", end.OddByteIgnored);
    if (end.EndedByZero) {
      values.Integer("zeroAt", static_cast<std::int64_t>(end.ZeroAt + 1))
          .Integer("bytesIgnored", static_cast<std::int64_t>(end.BytesAfter));
    }
    if (end.UnmarkedUtf16 != TTextEncoding::EightBit) values.Text("looksLike", EncodingName(end.UnmarkedUtf16));
    Add("end", TextEndDetail(end), values);
  });
}

void TExplanation::OnLine(std::int64_t index, const TChosenLine& line, std::uint64_t linesRead) {
  Listen([&] {
    std::string detail = index < 0 ? "LINE=0 selects the last line"
                                   : "LINE=" + std::to_string(line_) + " selects line " + std::to_string(index + 1) +
                                         "; " + Lines(linesRead) + " read to reach it";
    wholeLine_ = line.Whole() && line.Size <= kQuotedBytes;
    detail += ": " + QuotedPart(line.Head, line.Size, Host()) + (wholeLine_ ? " (" + Bytes(line.Size) + ")" : "");
    if (index < 0 && line.Size == 0) {
      detail += "; the last line is empty: the file ends with an empty line after its last line break";
    }
    lineText_ = wholeLine_ ? line.Head : std::string();
    lineNumber_ = index < 0 ? 0 : static_cast<std::uint64_t>(index) + 1;
    TJsonObject values;
    values.Integer("index", index).Text("text", QuotedBytes(line.Head)).Integer("size", static_cast<std::int64_t>(line.Size));
    if (!wholeLine_) values.Boolean("cutShort", true);
    Add("line", detail, values.Integer("linesRead", static_cast<std::int64_t>(linesRead)));
    if (eightBit_) AddUtf8Step(line);
  });
}

void TExplanation::AddUtf8Step(const TChosenLine& line) {
  const std::string detail = Utf8TextDetail("the line", line.Head, line.Whole(), utf8Mark_, Host());
  if (detail.empty()) return;
  const TCharacter example = *Utf8TextExample(line.Head, line.Whole(), utf8Mark_, Host());
  Add("utf-8", detail,
      TJsonObject()
          .Boolean("utf8Mark", utf8Mark_)
          .Text("shownIn", Host().TextName)
          .Integer("first", static_cast<std::int64_t>(example.First + 1))
          .Integer("size", static_cast<std::int64_t>(example.Size)));
}

void TExplanation::OnNoLine(std::int64_t index, std::uint64_t lines) {
  Listen([&] {
    const std::string count = Lines(lines);
    std::string detail;
    if (line_ < 0) {
      detail = "LINE=" + std::to_string(line_) + " never selects a line: below 0 it counts past the end (index " +
               std::to_string(index) + " of a file of " + count + "); only 0 selects from the end, the last line";
    } else if (lines == 0) {
      detail = "the file has no lines (it is empty, or its first byte is zero), so LINE=" + std::to_string(line_) +
               " has none to select";
    } else {
      detail =
          "LINE=" + std::to_string(line_) + " asks for line " + std::to_string(index + 1) + " but the file has " + count;
    }
    Add("line", detail, TJsonObject().Integer("index", index).Integer("lines", static_cast<std::int64_t>(lines)));
  });
}

void TExplanation::OnCut(std::int64_t start, std::int64_t length, const TChosenLine& line) {
  Listen([&] {
    start_ = start;
    length_ = length;
    const std::string_view cut = line.Cut;
    const TCutReport& report = line.Report;
    const auto first = static_cast<std::int64_t>(cut.empty() ? 0 : line.CutAt + 1);
    lineHead_ = line.Head;
    lineSize_ = line.Size;
    cutAt_ = line.CutAt;
    const TKnownLine known(lineHead_, lineSize_, Host());
    cutCharacters_ = CharactersOfPart(known, cutAt_, cut.size());
    cutQuote_ = QuotedLinePart(known, cutAt_, cut, cutCharacters_, Host());
    cutTold_ = true;
    std::string detail = CutWords(start, length) + (report.ToLineEnd ? " (to the end of the line)" : "");
    if (cut.empty()) {
      detail += " cuts nothing";
    } else {
      detail += " takes " + ByteRange(static_cast<std::size_t>(first), cut.size()) + " of the line: " + cutQuote_ +
                PartialCharacterWords(known, cutCharacters_);
    }
    if (report.StartBelowOne) detail += "; START below 1 begins at byte 1 and does not shorten the length";
    if (report.StartPastEnd) detail += "; START lies past the end of the line (" + Bytes(line.Size) + ")";
    if (report.NegativeCount) {
      detail += "; a negative LENGTH other than " + std::to_string(kLengthToLineEnd) + " cuts nothing";
    }
    if (report.StoppedAtEnd && !report.ToLineEnd) {
      detail += "; the line ends first, at byte " + std::to_string(line.Size);
    }
    TJsonObject values;
    values.Integer("start", start)
        .Integer("length", length)
        .Boolean("toLineEnd", report.ToLineEnd)
        .Text("text", QuotedBytes(cut))
        .Integer("first", first)
        .Integer("size", static_cast<std::int64_t>(cut.size()));
    if (cutCharacters_.BeginsInside) values.Json("beginsInside", CharacterJson(*cutCharacters_.BeginsInside));
    if (cutCharacters_.EndsInside) values.Json("endsInside", CharacterJson(*cutCharacters_.EndsInside));
    Add("cut", detail, values);
  });
}

TCharacter TExplanation::StoppedCharacter(std::string_view cut, std::size_t at) const {
  const std::optional<TCharacter> known = TKnownLine(lineHead_, lineSize_, Host()).Holding(cutAt_ + at);
  if (known) return *known;
  // Past the line's known start: the walk begins at the cut.
  TCharacter character = CharacterHolding(cut, at, Host());
  character.First += static_cast<std::size_t>(cutAt_);
  return character;
}

std::string TExplanation::StoppedWords(std::string_view cut, const TCharacter& character) const {
  const std::uint64_t first = character.First, end = character.End();
  const bool inCut = first >= cutAt_ && end <= cutAt_ + cut.size();
  const std::string bytes =
      inCut ? std::string(cut.substr(static_cast<std::size_t>(first - cutAt_), character.Size))
            : std::string(TKnownLine(lineHead_, lineSize_, Host()).Bytes(character));
  if (character.Size == 1) return Quoted(bytes);
  if (inCut) return Quoted(bytes) + ", " + ByteRange(static_cast<std::size_t>(first - cutAt_ + 1), character.Size);
  return "part of " + Quoted(bytes) + ", " + ByteRange(character.First + 1, character.Size) + " of the line";
}

void TExplanation::OnNumberTest(std::string_view cut, bool isNumber, const TNumberReport& report) {
  Listen([&] {
    isNumber_ = isNumber;
    separator_ = report.Separator;
    const std::string separator = "decimal separator " + Quoted(std::string_view(&report.Separator, 1));
    // A cut that holds part of a character is named, not quoted again.
    const std::string quoted = cutCharacters_.Partial() ? "the cut" : cutQuote_;
    const bool stoppedInside = !isNumber && report.StoppedAt < cut.size();
    const TCharacter stopped = stoppedInside ? StoppedCharacter(cut, report.StoppedAt) : TCharacter();
    std::string detail;
    if (isNumber) {
      detail = quoted + " reads as a number (" + separator + ")";
    } else if (report.OutOfRange) {
      detail = quoted + " is written as a number but lies beyond the range of numbers, so it is text";
    } else if (cut.empty()) {
      detail = "an empty cut is text";
    } else {
      detail = quoted + " is text: it stops being a number at byte " + std::to_string(report.StoppedAt + 1) +
               (stoppedInside ? " (" + StoppedWords(cut, stopped) + ")" : "") + ", under the " + separator +
               "; blanks around the number are allowed, nothing else";
    }
    TJsonObject values;
    values.Text("text", QuotedBytes(cut)).Boolean("isNumber", isNumber).Text("separator", std::string_view(&report.Separator, 1));
    if (isNumber) {
      values.Null("stoppedAt");
    } else {
      values.Integer("stoppedAt", static_cast<std::int64_t>(report.StoppedAt + 1));
    }
    if (stoppedInside) values.Json("stoppedIn", CharacterJson(stopped));
    Add("number", detail, values);
  });
}

}  // namespace filedata::explain
