#pragma once
// The plain words of an explanation: how each step's finding reads to
// someone who set up a reading, not to its programmer.
#include <cstdint>
#include <string>

#include "query/QueryObserver.h"

namespace filedata::explain {

// "1 line", "2 lines"; "1 byte", "2 bytes".
std::string Lines(std::uint64_t count);
std::string Bytes(std::uint64_t count);
// Bytes FROM (counted from 1) through FROM + SIZE - 1, as a user counts them.
std::string ByteRange(std::size_t from, std::size_t size);

// What a pair does: "sets LINE to ...", "ignored: ...".
std::string PairUse(const TPair& pair);
// The pair's use as a JSON word: "sets", "unknown key", ...
const char* UseName(TPairUse use);

std::string PresenceDetail(const std::string& fileName, const platform::TPresenceTest& test);
std::string EncodingDetail(const TTextMark& mark);
// A zero that ended the text early, and an odd byte left at the end.
std::string TextEndDetail(const TTextEnd& end);

}  // namespace filedata::explain
