#pragma once
// What a query keeps of the line it chose: the bytes of its cut, exactly,
// and for an explanation the line's first bytes; never a long line whole,
// nor the cut twice. The line's units are taken from the read that brought
// them when one read holds them all, else read once more from the file.
#include <cstdint>
#include <string>
#include <string_view>

#include "query/CodeUnits.h"
#include "query/Text.h"
#include "query/TextEncoding.h"

namespace filedata {

namespace platform {
class TFileReader;
}

// How much of the chosen line to keep: the cut of START and LENGTH, and at
// most HEADBYTES of its start (0: none).
struct TLineKeep {
  std::int64_t Start = 1;
  std::int64_t Length = kLengthToLineEnd;
  std::size_t HeadBytes = 0;
};

struct TChosenLine {
  std::uint64_t Size = 0;    // the whole line's bytes, in the host's 8-bit text
  std::string Cut;           // START and LENGTH's cut of it, clamped as CutText clamps
  std::uint64_t CutAt = 0;   // where the cut begins in the line, 0-based
  TCutReport Report;         // which of the cut's rules applied
  std::string Head;          // the line's first bytes, as many as were asked for
  bool Whole() const noexcept { return Head.size() == Size; }  // Head holds all of it
};

// A line's code units, read as often as taking them needs.
class TLineUnits {
 public:
  virtual ~TLineUnits() = default;
  virtual std::uint64_t Size() const noexcept = 0;  // bytes of units
  // Feeds SINK the units from byte FROM of the line on, in order, until it
  // stops or they end.
  virtual void Read(std::uint64_t from, TUnitSink& sink) = 0;
};

// A line one read holds.
class TLineInMemory final : public TLineUnits {
 public:
  explicit TLineInMemory(std::string_view units) noexcept : units_(units) {}
  std::uint64_t Size() const noexcept override { return units_.size(); }
  void Read(std::uint64_t from, TUnitSink& sink) override;

 private:
  std::string_view units_;
};

// The line at bytes [BEGIN, END) of FILE, opened as NAME, its text stored as
// MARK says.
class TLineInFile final : public TLineUnits {
 public:
  TLineInFile(platform::TFileReader& file, const std::string& name, const TTextMark& mark, std::uint64_t begin,
              std::uint64_t end) noexcept
      : file_(file), name_(name), mark_(mark), begin_(begin), end_(end) {}
  std::uint64_t Size() const noexcept override { return end_ - begin_; }
  void Read(std::uint64_t from, TUnitSink& sink) override;

 private:
  platform::TFileReader& file_;
  const std::string& name_;
  TTextMark mark_;
  std::uint64_t begin_, end_;
};

// The bytes of a line an explanation quotes at most: long lines are quoted
// by their start and their length.
inline constexpr std::size_t kQuotedBytes = 4096;
// What an explanation keeps of a line's start: the bytes it quotes and the
// few more that a character begun among them may take, so that a quote can
// end where a character ends.
inline constexpr std::size_t kKeptHeadBytes = kQuotedBytes + 3;

// As much of the line of UNITS, stored as ENCODING, as KEEP says. The cut's
// bytes are counted before they are taken, and taken into a text of their
// exact size. Raises ELineTooLong, naming line NUMBER (0: the last line)
// and its length, when even that text cannot be had.
TChosenLine TakeLine(TLineUnits& units, TTextEncoding encoding, const TLineKeep& keep, std::int64_t number);

}  // namespace filedata
