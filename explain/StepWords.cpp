#include "explain/StepWords.h"

#include <algorithm>
#include <iterator>

#include "explain/AnswerWords.h"
#include "explain/FailureWords.h"

namespace filedata::explain {

namespace {
std::string Counted(std::uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// What the query's default of each key does, in the order of TQueryKey.
constexpr const char* kDefaultMeaning[] = {
    "there is no file to read and the answer is \"Invalid Arguments\"",
    "the query reads the first line",
    "the cut begins at the line's first byte",
    "the cut goes to the end of the line",
};
static_assert(std::size(kDefaultMeaning) == std::size(kParams), "one meaning per parameter");

const char* DefaultMeaning(const TParamRow& row) { return kDefaultMeaning[static_cast<std::size_t>(row.Key)]; }

// A value as the words show it: an integer plain, a text quoted.
std::string ShownValue(const TParamRow& row, std::string_view value) {
  return row.Value == TParamValue::Text ? Quoted(value) : std::string(value);
}

std::string EditorStart(const TParamRow& row) {
  return "the host's editor starts a new reading at " + ShownValue(row, row.EditorDefault);
}

std::string KeyList() {
  std::string list;
  for (const TParamRow& row : kParams) list += (list.empty() ? "" : ", ") + std::string(row.KeyName);
  return list;
}
}  // namespace

std::string Lines(std::uint64_t count) { return Counted(count, "line", "lines"); }

std::string Bytes(std::uint64_t count) { return Counted(count, "byte", "bytes"); }

std::string ByteRange(std::size_t from, std::size_t size) {
  if (size == 1) return "byte " + std::to_string(from);
  return "bytes " + std::to_string(from) + "-" + std::to_string(from + size - 1);
}

std::string QuotedPart(std::string_view text, std::uint64_t size, const THost& host) {
  if (size <= kQuotedBytes && text.size() == size) return Quoted(text);
  const std::string_view start = text.substr(0, WholeCharactersIn(text, kQuotedBytes, host));
  return Quoted(start) + "... (" + Bytes(size) + ", the first " + std::to_string(start.size()) + " quoted)";
}

namespace {
// Bytes FIRST through LAST (from 1) of CHARACTER, a character of LINE:
// "the last 2 bytes of "温"".
std::string PieceOf(const TKnownLine& line, const TCharacter& character, std::size_t first, std::size_t last) {
  const std::size_t count = last - first + 1;
  const std::string bytes = count == 1 ? "byte" : std::to_string(count) + " bytes";
  std::string which;
  if (first == 1) which = "the first " + bytes;
  else if (last == character.Size) which = "the last " + bytes;
  else which = count == 1 ? "byte " + std::to_string(first) : "bytes " + std::to_string(first) + "-" + std::to_string(last);
  return which + " of " + Quoted(line.Bytes(character));
}

std::string CharacterAt(const TKnownLine& line, const TCharacter& character) {
  return Quoted(line.Bytes(character)) + " (" + ByteRange(character.First + 1, character.Size) + ")";
}
}  // namespace

std::string QuotedLinePart(const TKnownLine& line, std::uint64_t from, std::string_view part,
                           const TPartCharacters& characters, const THost& host) {
  const std::optional<TCharacter>& begins = characters.BeginsInside;
  const std::optional<TCharacter>& ends = characters.EndsInside;
  const std::uint64_t end = from + part.size();
  if (begins && ends && begins->First == ends->First) {
    return PieceOf(line, *begins, static_cast<std::size_t>(from - begins->First + 1),
                   static_cast<std::size_t>(end - begins->First));
  }
  const std::size_t head = begins ? static_cast<std::size_t>(begins->End() - from) : 0;
  const std::size_t tail = ends ? static_cast<std::size_t>(end - ends->First) : 0;
  std::string quoted;
  if (begins) quoted = PieceOf(line, *begins, begins->Size - head + 1, begins->Size);
  const std::string_view middle = part.substr(head, part.size() - head - tail);
  if (!middle.empty() || !characters.Partial()) {
    quoted += (quoted.empty() ? "" : ", then ") + QuotedPart(middle, middle.size(), host);
  }
  if (ends) quoted += (quoted.empty() ? "" : ", then ") + PieceOf(line, *ends, 1, tail);
  return quoted;
}

std::string PartialCharacterWords(const TKnownLine& line, const TPartCharacters& characters) {
  const std::optional<TCharacter>& begins = characters.BeginsInside;
  const std::optional<TCharacter>& ends = characters.EndsInside;
  if (begins && ends && begins->First == ends->First) {
    return "; the cut begins and ends inside the character " + CharacterAt(line, *begins) +
           ", so the host gets part of it";
  }
  if (begins && ends) {
    return "; the cut begins inside the character " + CharacterAt(line, *begins) + " and ends inside " +
           CharacterAt(line, *ends) + ", so the host gets part of each";
  }
  if (begins) return "; the cut begins inside the character " + CharacterAt(line, *begins) + ", so the host gets part of it";
  if (ends) return "; the cut ends inside the character " + CharacterAt(line, *ends) + ", so the host gets part of it";
  return "";
}

std::string_view QuotedBytes(std::string_view text) { return text.substr(0, std::min(text.size(), kQuotedBytes)); }

bool DefaultsDiffer(const TParamRow& row) { return QueryDefaultText(row) != row.EditorDefault; }

std::string QueryDefaultText(const TParamRow& row) {
  return row.Value == TParamValue::Text ? std::string() : std::to_string(row.QueryDefault);
}

std::string DefaultsDetail(const TParamRow& row) {
  const std::string value = row.Value == TParamValue::Text ? "empty" : QueryDefaultText(row);
  return "left out of the parameter text, " + std::string(row.KeyName) + " is " + value + ": " + DefaultMeaning(row) +
         "; " + EditorStart(row);
}

std::string AbsentKeyWords(const TParamRow& row) {
  return std::string("not in the parameter text: ") + DefaultMeaning(row) + "; " + EditorStart(row);
}

std::string PairUse(const TPair& pair) {
  switch (pair.Use) {
    case TPairUse::Sets:
      return "sets " + std::string(KeyName(pair.SetsKey)) + " to " + Quoted(pair.Value) +
             (pair.SetsKey == TQueryKey::FileName ? "" : ", read as an integer") +
             (pair.HasEquals ? "" : "; the pair has no \"=\", so the whole pair is the key and the value is empty");
    case TPairUse::UnknownKey:
      return "ignored: " + Quoted(pair.Key) + " is no key (the keys are " + KeyList() + ", in any letter case)";
    case TPairUse::BlankAroundKey:
      return "ignored: the key " + Quoted(pair.Key) + " has blanks around it, and keys are not trimmed";
    case TPairUse::NoEquals: return "ignored: it has no \"=\" and is no key";
    case TPairUse::Empty: return "ignored: it is empty";
  }
  return "";
}

const char* UseName(TPairUse use) {
  switch (use) {
    case TPairUse::Sets: return "sets";
    case TPairUse::UnknownKey: return "unknown key";
    case TPairUse::BlankAroundKey: return "blank around key";
    case TPairUse::NoEquals: return "no equals sign";
    case TPairUse::Empty: return "empty";
  }
  return "";
}

std::string PresenceDetail(const std::string& fileName, const platform::TPresenceTest& test, const THost& host) {
  if (fileName.empty()) return "no file name: FILENAME is missing or empty, so the answer is \"Invalid Arguments\"";
  const std::string named = "file " + Quoted(fileName);
  const bool wildcard = fileName.find_first_of("*?") != std::string::npos;
  const std::string entry = wildcard ? " (a wildcard: its first match " + Quoted(test.Entry) + " is looked at)" : "";
  switch (test.Result) {
    case platform::TPresence::Present:
      return named + entry + ": present, last written in " + std::to_string(test.Year) +
             (wildcard ? "; it is then opened by the name as written, wildcards and all, which cannot succeed" : "");
    case platform::TPresence::NoEntry: {
      const std::string reason =
          NotFoundReason(fileName, test.Failure == platform::TFileFailure::NameTooLong ? platform::FullPathOf(fileName) : "",
                         test.Failure, host);
      if (!reason.empty()) return named + ": not found, so the answer is \"Invalid Arguments\": " + reason;
      return named +
             ": no such file, so the answer is \"Invalid Arguments\" (a relative name is relative to the "
             "current folder)";
    }
    case platform::TPresence::Directory:
      return named + entry + ": a folder, not a file, so the answer is \"Invalid Arguments\"";
    case platform::TPresence::StampOutOfRange:
      return named + entry + ": last written in " + std::to_string(test.Year) +
             " (local time), outside " + std::to_string(platform::kFirstStampYear) + "-" +
             std::to_string(platform::kLastStampYear) + ", so it counts as missing: \"Invalid Arguments\"";
  }
  return named;
}

std::string EncodingDetail(const TTextMark& mark) {
  if (mark.Encoding == TTextEncoding::EightBit) {
    std::string detail = "the file is 8-bit text, read byte for byte";
    if (mark.Utf8Mark) {
      detail += "; it begins with a UTF-8 mark (EF BB BF), which stays part of line 1: a cut that includes those "
                "3 bytes is never a number (START=4 skips them, or save the file without the mark)";
    }
    return detail;
  }
  return std::string("the file is ") + EncodingName(mark.Encoding) + " (it begins with the mark " +
         (mark.Encoding == TTextEncoding::Utf16LE ? "FF FE" : "FE FF") + "), decoded to " + platform::HostTextName() +
         "; the mark is not part of the text, and START and LENGTH count bytes of the decoded text";
}

std::string TextEndDetail(const TTextEnd& end) {
  std::string detail;
  if (end.EndedByZero) {
    const std::string at = std::to_string(end.ZeroAt + 1);
    detail = (end.UnitSize == 1 ? "a zero byte at byte " + at
                                : "a zero code unit (00 00) at bytes " + at + "-" + std::to_string(end.ZeroAt + 2)) +
             " ends the text: the " + Bytes(end.BytesAfter) + " after it " + (end.BytesAfter == 1 ? "is" : "are") +
             " ignored";
  }
  if (end.UnmarkedUtf16 != TTextEncoding::EightBit) {
    detail += std::string("; the file looks like ") + EncodingName(end.UnmarkedUtf16) +
              " written without a mark (every other byte is zero): save it as UTF-16 with a mark (\"UTF-16 LE\" in "
              "Notepad's Save As), or as 8-bit text (\"ANSI\")";
  }
  if (end.OddByteIgnored) {
    detail += std::string(detail.empty() ? "" : "; ") +
              "the file's last byte is half a UTF-16 code unit and is ignored";
  }
  return detail;
}

}  // namespace filedata::explain
