#pragma once
// A file's lines as the query reads them (decoded, split by the one rule,
// ended by the first zero unit), for a tool that lets a user point at the
// line and the cut: the first lines and the last, a few hundred at most
// whatever the file's size. A small file is read through, so every line
// shown has both its number and its place from the end; of a large one only
// the start and the end are read, never the middle.
#include <cstdint>
#include <string>
#include <vector>

#include "query/TextEncoding.h"
#include "query/TextFile.h"

namespace filedata {

namespace platform {
class TFileReader;
}

struct TViewLine {
  std::uint64_t Number = 0;  // from 1, as LINE selects it; 0: not known (the middle was not read)
  std::int64_t FromEnd = -1; // 0: the last line, which LINE=0 selects; 1 the one before it; -1: not known
  std::string Text;          // the host's 8-bit text, at most TViewLimits::LineBytes of it
  bool CutShort = false;     // the line goes on past Text
};

struct TFileView {
  TTextMark Mark;
  std::uint64_t FileSize = 0;
  std::vector<TViewLine> Head;  // the first lines, numbered
  // The last lines, each FromEnd known; empty when Head holds every line.
  std::vector<TViewLine> Tail;
  bool ReadThrough = false;    // the whole text was read: LineCount and every Number are known
  std::uint64_t LineCount = 0;  // when ReadThrough
  // When not ReadThrough: the bytes between the head's lines and the tail's,
  // from the first the head did not hand on; the middle of them is not read.
  std::uint64_t SkippedFrom = 0, SkippedTo = 0;
  TTextEnd End;  // how the text ended, where its end was read
};

struct TViewLimits {
  std::size_t HeadLines = 100;
  std::size_t TailLines = 100;
  std::uint64_t ReadThroughBytes = 1 << 20;  // a file up to this size is read through
  std::uint64_t TailBytes = 256 << 10;       // of a larger one, this much of its end is read
  std::size_t LineBytes = 4096;              // of each line shown, this much
};

// The view of FILE, opened as NAME, read from its start. Raises EReadError
// when a read or a move fails.
TFileView ReadFileView(platform::TFileReader& file, const std::string& name, const TViewLimits& limits = TViewLimits());

}  // namespace filedata
