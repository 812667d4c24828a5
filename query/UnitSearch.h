#pragma once
// The searches every read of a file goes through, over its code units, at
// the speed the processor allows: AVX2 where an x86-64 processor has it
// (checked once at run time), else SSE2, else eight bytes at a time.
// FILEDATA_PORTABLE_LINE_SEARCH builds only the last, so that it can be
// tested on any machine. Every pointer lies on a unit boundary.
#include <cstdint>
#include <vector>

#include "query/CodeUnits.h"
#include "query/TextEncoding.h"

namespace filedata {

struct TUnitSearches {
  // The first zero unit at or after P, or END.
  const char* (*FindZero)(const char* p, const char* end);
  // The first CR or LF unit at or after P, or END.
  const char* (*FindLineBreak)(const char* p, const char* end);
  // The last CR or LF unit before END, not before BEGIN; null when none.
  const char* (*FindLastLineBreak)(const char* begin, const char* end);
  // Line ends from P up to the first zero unit, or END: each LF, and each
  // CR not followed by LF. A CR in the last unit counts; the caller drops an
  // LF that begins the next units (BreakAcrossReads.h). ZERO is set to that
  // zero unit, or END: one search finds both, where a search for the zero
  // first would read the text twice.
  std::uint64_t (*CountLineEndsToZero)(const char* p, const char* end, const char*& zero);
  std::size_t UnitSize;
  std::uint16_t CR, LF;  // the line-break units as UnitAt reads them
  const char* Kind;      // "avx2", "sse2" or "portable"

  bool IsCR(const char* unit) const noexcept { return UnitAt(unit, UnitSize) == CR; }
  bool IsLF(const char* unit) const noexcept { return UnitAt(unit, UnitSize) == LF; }
};

// The fastest searches for text stored as ENCODING.
const TUnitSearches& UnitSearches(TTextEncoding encoding) noexcept;

// Every kind of search this build and processor can run for ENCODING, the
// one in use first, so that tests and benchmarks can hold each against the
// others.
std::vector<const TUnitSearches*> AvailableUnitSearches(TTextEncoding encoding);

}  // namespace filedata
