#pragma once
// Picks the line a query's LINE value names, streaming the file: a line
// counted from the start stops the read once it is reached; LINE 0 reads to
// the end at search speed, noting only where the last line lies; a negative
// LINE only counts the lines, for its message. Of the chosen line only what
// the answer needs is kept (ChosenLine.h); of the lines on the way, nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "query/ChosenLine.h"
#include "query/TextFile.h"

namespace filedata {

// What the line selection tells an observer (QueryObserver.h), besides how
// the file was read.
class TLineObserver : public TTextObserver {
 public:
  // The line selected: its 0-based index (-1: the last, uncounted), what
  // was kept of it, and the lines read to reach it (0: not counted).
  virtual void OnLine(std::int64_t /*index*/, const TChosenLine& /*line*/, std::uint64_t /*linesRead*/) {}
  // No line at INDEX; the text, to its end or its first zero byte, has LINES.
  virtual void OnNoLine(std::int64_t /*index*/, std::uint64_t /*lines*/) {}
};

// What the read of a file for a line learnt besides the line, so that more
// may be read of the same open file without reading it all again: where
// the text ended when the read went that far (LINE 0, a negative LINE, a
// LINE at or past the last line), and how many lines it has when the read
// counted them all.
struct TReadFacts {
  std::optional<TTextEnd> End;
  std::optional<std::uint64_t> LineCount;
};

// As much of the line LINE selects in FILE, opened as FILENAME, as KEEP
// says, in the host's 8-bit text. LINE >= 1 selects that line; LINE <= 0
// selects line count - LINE, so 0 is the last line and anything below lies
// past it. Raises EStringListError ("List index out of bounds (i)", i the
// 0-based index) for a line the file does not have, ELineTooLong for a cut
// too long to hold, and EReadError when a read fails. FACTS learns what the
// read learnt, also when it raises; OBSERVER, when given, the line selected
// or why there is none.
TChosenLine SelectLine(platform::TFileReader& file, const std::string& fileName, std::int32_t line,
                       const TLineKeep& keep, TReadFacts& facts, TLineObserver* observer = nullptr);

}  // namespace filedata
