#pragma once
// The plain words of an explanation: how each step's finding reads to
// someone who set up a reading, not to its programmer.
#include <cstdint>
#include <string>
#include <string_view>

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
// its start and its length, so that a step never holds a long line.
std::string QuotedPart(std::string_view text, std::uint64_t size);
inline std::string QuotedPart(std::string_view text) { return QuotedPart(text, text.size()); }
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
