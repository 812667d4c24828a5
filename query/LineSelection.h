#pragma once
// Picks the line a query's LINE value names, streaming the file: a line
// counted from the start stops the read once it is reached; LINE 0 reads to
// the end at search speed, keeping only the last line; a negative LINE only
// counts the lines, for its message.
#include <cstdint>
#include <string>

namespace filedata {

namespace platform {
class TFileReader;
}
class TQueryObserver;

// The line LINE selects in FILE, opened as FILENAME, as the host's 8-bit
// text. LINE >= 1 selects that line; LINE <= 0 selects line count - LINE, so
// 0 is the last line and anything below lies past it. Raises
// EStringListError ("List index out of bounds (i)", i the 0-based index) for
// a line the file does not have, and EReadError when a read fails.
// OBSERVER, when given, learns the line selected or why there is none.
std::string SelectLine(platform::TFileReader& file, const std::string& fileName, std::int32_t line,
                       TQueryObserver* observer = nullptr);

}  // namespace filedata
