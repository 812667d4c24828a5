#pragma once
// The plain words of an explanation: how each step's finding reads to
// someone who set up a reading, not to its programmer.
#include <cstdint>
#include <string>
#include <string_view>

#include "explain/Characters.h"
#include "explain/Host.h"
#include "query/QueryObserver.h"

namespace filedata::explain {

// "1 line", "2 lines"; "1 byte", "2 bytes".
std::string Lines(std::uint64_t count);
std::string Bytes(std::uint64_t count);
// Bytes FROM (counted from 1) through FROM + SIZE - 1, as a user counts them.
std::string ByteRange(std::size_t from, std::size_t size);

// TEXT, the first bytes of a text of SIZE bytes, quoted as an explanation
// quotes: whole when it is all there and no longer than kQuotedBytes, else
// its start, up to where a character of HOST's text ends, and its length,
// so that a step never holds a long line nor part of a character. TEXT may
// hold a few bytes more than are quoted, to tell where that is.
std::string QuotedPart(std::string_view text, std::uint64_t size, const THost& host);

// PART, bytes [FROM, FROM + PART's size) of LINE, quoted so that a
// character it holds only part of is named, not quoted in part: "the last
// 2 bytes of "温", then "12.5"". CHARACTERS: as CharactersOfPart finds them.
std::string QuotedLinePart(const TKnownLine& line, std::uint64_t from, std::string_view part,
                           const TPartCharacters& characters, const THost& host);
// What a cut with such CHARACTERS hands the host: "; the cut begins inside
// the character "温" (bytes 6-8), so the host gets part of it"; empty when
// it takes whole characters.
std::string PartialCharacterWords(const TKnownLine& line, const TPartCharacters& characters);
// Of TEXT, the bytes a step's JSON holds: kQuotedBytes at most.
std::string_view QuotedBytes(std::string_view text);

// Whether ROW's query default (the key left out of the parameter text)
// differs from the value the host's editor starts a new reading at.
bool DefaultsDiffer(const TParamRow& row);
// The query's default of ROW as the parameter text writes it: "-1", "".
std::string QueryDefaultText(const TParamRow& row);
// ROW left out of the parameter text, in words that stand alone: "left out
// of the parameter text, LENGTH is -1: the cut goes to the end of the line;
// the host's editor starts a new reading at 5".
std::string DefaultsDetail(const TParamRow& row);
// The same inside the parameters step, after the value: "not in the
// parameter text: the cut goes to the end of the line; the host's editor
// starts a new reading at 5".
std::string AbsentKeyWords(const TParamRow& row);

// What a pair does: "sets LINE to ...", "ignored: ...".
std::string PairUse(const TPair& pair);
// The pair's use as a JSON word: "sets", "unknown key", ...
const char* UseName(TPairUse use);

std::string PresenceDetail(const std::string& fileName, const platform::TPresenceTest& test, const THost& host);
std::string EncodingDetail(const TTextMark& mark);
// A zero that ended the text early, and an odd byte left at the end.
std::string TextEndDetail(const TTextEnd& end);

}  // namespace filedata::explain
