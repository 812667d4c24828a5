#pragma once
// Reading a text file for the query: opening it, learning from its first
// bytes how its text is stored, and streaming the text chunk by chunk as
// whole code units up to the first zero unit, which ends it. The whole file
// is never held.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "query/CodeUnits.h"
#include "query/TextEncoding.h"
#include "query/UnitSearch.h"

namespace filedata {

// A file's first read is short, as most readings want one of its first
// lines; a pass through a large file reads in larger chunks, which costs
// fewer calls and still leaves each in the processor's cache for the search.
inline constexpr std::size_t kFirstReadBytes = 64 * 1024;
inline constexpr std::size_t kReadBytes = 256 * 1024;

// How a file's text ended, for an explanation and a view of its lines.
struct TTextEnd {
  std::uint64_t EndsAt = 0;      // the file offset just past the text's last unit
  bool EndedByZero = false;      // a zero unit ended the text before the end of the file
  std::uint64_t ZeroAt = 0;      // its first byte, 0-based in the file, where the text ends
  std::uint64_t BytesAfter = 0;  // the bytes of the file after it, ignored
  std::size_t UnitSize = 1;
  // 8-bit text that ended at its first or second byte while every other of
  // its first bytes is zero: the UTF-16 it is, written without a mark.
  // EightBit otherwise.
  TTextEncoding UnmarkedUtf16 = TTextEncoding::EightBit;
  bool OddByteIgnored = false;  // UTF-16 whose last byte is half a unit
};

// A file that would not open, for an explanation.
struct TOpenFailure {
  std::string FullPath;      // as the failure's message names it
  std::uint32_t Code = 0;    // the system's error code
  platform::TFileFailure Kind = platform::TFileFailure::Other;
};

// What a file's reader tells an observer (QueryObserver.h) as it reads.
class TTextObserver {
 public:
  virtual ~TTextObserver() = default;
  // The file could not be opened: told just before EFOpenError is raised.
  virtual void OnOpenFailure(const TOpenFailure&) {}
  // How the file's text is stored, as its first bytes tell.
  virtual void OnEncoding(const TTextMark&) {}
  // The text ended, before the line was found or just after it.
  virtual void OnTextEnd(const TTextEnd&) {}
};

// Opens NAME into FILE: others may read it too, nobody may write it. Raises
// EFOpenError, with the full path and the system's reason, when it cannot;
// OBSERVER, when given, learns the system's code first.
void OpenTextFile(const std::string& name, platform::TReadOnlyFile& file, TTextObserver* observer = nullptr);

// The text of FILE, opened as NAME: at most the size the file had when it
// was opened, and only the bytes actually delivered, so a file that shrank
// ends early. A failed read raises EReadError naming the file: a failure is
// never taken for the end. OBSERVER, when given, learns how the text is
// stored and how it ended.
class TFileText {
 public:
  // Reads as far as the mark.
  TFileText(platform::TFileReader& file, const std::string& name, TTextObserver* observer = nullptr);
  // The same text from byte FROM of the file on, its mark read already as
  // MARK: the end of a large file without its middle. FROM lies on a unit
  // boundary after the mark. Raises EReadError when the file cannot move
  // there. OBSERVER, when given, learns how the text ended.
  TFileText(platform::TFileReader& file, const std::string& name, const TTextMark& mark, std::uint64_t from,
            TTextObserver* observer = nullptr);
  TFileText(const TFileText&) = delete;
  TFileText& operator=(const TFileText&) = delete;

  const TTextMark& Mark() const noexcept { return mark_; }
  TTextEncoding Encoding() const noexcept { return mark_.Encoding; }
  const TUnitSearches& Units() const noexcept { return *units_; }

  // Feeds SINK the text after the mark: whole code units, up to the first
  // zero unit; a UTF-16 file's odd last byte is ignored. True when the text
  // ended, false when the sink stopped it. Call once.
  bool Feed(TUnitSink& sink);
  // How the text ended, once Feed has read to its end; null before, or when
  // the sink stopped the reading.
  const TTextEnd* End() const noexcept { return ended_ ? &end_ : nullptr; }

  // Code units of this text as the host's 8-bit text.
  std::string HostText(std::string units) const;

  // The file's bytes [FROM, TO) while the last read still holds them, so
  // that a line found in it need not be read again; nothing otherwise.
  std::optional<std::string_view> Held(std::uint64_t from, std::uint64_t to) const noexcept;

 private:
  enum class TFlow { More, SinkStopped, TextEnded };
  void AllocateBuffer();
  // Reads at most MOST bytes into the buffer from AT on.
  std::size_t ReadInto(std::size_t at, std::size_t most = SIZE_MAX);
  [[noreturn]] void ReadFailed() const;
  TFlow Forward(std::string_view bytes, TUnitSink& sink);
  TFlow ForwardUnits(std::string_view units, std::uint64_t at, TUnitSink& sink);

  platform::TFileReader& file_;
  const std::string& name_;
  TTextObserver* observer_;
  struct TAlignedDelete {
    void operator()(char* buffer) const noexcept;
  };
  std::unique_ptr<char[], TAlignedDelete> buffer_;
  std::size_t bufferSize_;
  std::uint64_t heldAt_ = 0;    // the file offset of the buffer's first byte
  std::size_t held_ = 0;        // the bytes the buffer holds of the last read
  std::size_t filled_ = 0;      // bytes of the first read, mark and all
  std::size_t textAt_ = 0;      // where the text begins in the first read: after the mark
  std::uint64_t remaining_;     // bytes still to read of the size at open
  std::uint64_t position_ = 0;  // file offset of the next byte Forward takes
  TTextMark mark_;
  const TUnitSearches* units_;
  char oddByte_ = 0;  // a unit's first byte whose second is in the next chunk
  bool hasOddByte_ = false;
  TTextEnd end_;
  bool ended_ = false;
};

}  // namespace filedata
