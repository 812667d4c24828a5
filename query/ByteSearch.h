#pragma once
// The byte searches every read of a file goes through, at the speed the
// processor allows: AVX2 where an x86-64 processor has it (checked once at
// run time), else SSE2, else eight bytes at a time. FILEDATA_PORTABLE_LINE_SEARCH
// builds only the last, so that it can be tested on any machine.
#include <cstdint>
#include <vector>

namespace filedata {

// The first zero, CR or LF byte at or after P, or END.
const char* FindLineBreak(const char* p, const char* end) noexcept;

// The first zero byte at or after P, or END.
const char* FindZeroByte(const char* p, const char* end) noexcept;

// The last CR or LF byte before END, not before BEGIN; null when none.
const char* FindLastLineBreak(const char* begin, const char* end) noexcept;

// Line ends in [P, END): each LF, and each CR not followed by LF. A CR in
// the last byte counts; the caller takes one off when the next bytes begin
// with LF.
std::uint64_t CountLineEnds(const char* p, const char* end) noexcept;

// Every search this build and processor can run, the one in use first, so
// that tests and benchmarks can hold each against the others.
struct TByteSearches {
  const char* (*FindLineBreak)(const char* p, const char* end);
  const char* (*FindZeroByte)(const char* p, const char* end);
  const char* (*FindLastLineBreak)(const char* begin, const char* end);
  std::uint64_t (*CountLineEnds)(const char* p, const char* end);
  const char* Kind;
};
std::vector<const TByteSearches*> AvailableByteSearches();

}  // namespace filedata
