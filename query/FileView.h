#pragma once
// A file's lines as the query reads them (decoded, split by the one rule,
// ended by the first zero unit), for a tool that lets a user point at the
// line and the cut: the first lines and the last, a few hundred at most
// whatever the file's size. Every line listed is one the query reads, with
// the number and the place from the end that LINE gives it, and the end of
// the text is the one the query finds, wherever it lies: read, never
// assumed. A short text is read through; of a long one the first lines are
// read, then the last ones before its end, which the query's own read found
// when it went that far, else one pass of the search for the zero unit that
// LINE=0 makes finds.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "query/ChosenLine.h"
#include "query/LineSelection.h"
#include "query/TextEncoding.h"
#include "query/TextFile.h"

namespace filedata {

namespace platform {
class TFileReader;
}

struct TViewLine {
  std::uint64_t Number = 0;  // from 1, as LINE selects it; 0: not known (the lines were not counted)
  std::int64_t FromEnd = -1; // 0: the last line, which LINE=0 selects; 1 the one before it; -1: not known
  std::string Text;          // the host's 8-bit text, at most TViewLimits::LineBytes of it
  bool CutShort = false;     // the line goes on past Text
};

struct TFileView {
  TTextMark Mark;
  std::uint64_t FileSize = 0;
  std::vector<TViewLine> Head;  // the first lines, numbered
  // The last lines, each FromEnd known, the very last among them; empty
  // when Head holds every line.
  std::vector<TViewLine> Tail;
  bool ReadThrough = false;  // the view read the whole text itself
  // Known when the text was read through or its lines were counted.
  std::optional<std::uint64_t> LineCount;
  // When not ReadThrough: the bytes between what the head read and the
  // tail's first line, whose lines are not listed.
  std::uint64_t SkippedFrom = 0, SkippedTo = 0;
  TTextEnd End;  // how the text ended
};

struct TViewLimits {
  std::size_t HeadLines = 100;
  std::size_t TailLines = 100;
  std::uint64_t ReadThroughBytes = 1 << 20;  // a text that ends within this many bytes of the file's start is read through
  std::uint64_t HeadBytes = 256 << 10;       // of a longer one, at most this much of its start for the first lines
  std::uint64_t TailBytes = 256 << 10;       // and this much before its end for the last ones
  std::size_t LineBytes = kQuotedBytes;      // of each line listed, this much
};

// The view of FILE, opened as NAME, whose read for a query learnt FACTS.
// Raises EReadError when a read or a move fails.
TFileView ReadFileView(platform::TFileReader& file, const std::string& name, const TReadFacts& facts,
                       const TViewLimits& limits = TViewLimits());

}  // namespace filedata
