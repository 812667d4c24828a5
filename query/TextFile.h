#pragma once
// Reading a text file for the query: opening it, learning from its first
// bytes how its text is stored, and streaming the text chunk by chunk as
// whole code units up to the first zero unit, which ends it. The whole file
// is never held.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "query/CodeUnits.h"
#include "query/QueryObserver.h"
#include "query/TextEncoding.h"
#include "query/UnitSearch.h"

namespace filedata {

namespace platform {
class TFileReader;
class TReadOnlyFile;
}  // namespace platform

// Opens NAME into FILE: others may read it too, nobody may write it. Raises
// EFOpenError, with the full path and the system's reason, when it cannot.
void OpenTextFile(const std::string& name, platform::TReadOnlyFile& file);

// The text of FILE, opened as NAME: at most the size the file had when it
// was opened, and only the bytes actually delivered, so a file that shrank
// ends early. A failed read raises EReadError naming the file: a failure is
// never taken for the end. OBSERVER, when given, learns how the text is
// stored and how it ended.
class TFileText {
 public:
  // Reads as far as the mark.
  TFileText(platform::TFileReader& file, const std::string& name, TQueryObserver* observer = nullptr);
  TFileText(const TFileText&) = delete;
  TFileText& operator=(const TFileText&) = delete;

  TTextEncoding Encoding() const noexcept { return mark_.Encoding; }
  const TUnitSearches& Units() const noexcept { return *units_; }

  // Feeds SINK the text after the mark: whole code units, up to the first
  // zero unit; a UTF-16 file's odd last byte is ignored. True when the text
  // ended, false when the sink stopped it. Call once.
  bool Feed(TUnitSink& sink);

  // Code units of this text as the host's 8-bit text.
  std::string HostText(std::string units) const;

 private:
  enum class TFlow { More, SinkStopped, TextEnded };
  std::size_t ReadInto(std::size_t at);
  TFlow Forward(std::string_view bytes, TUnitSink& sink);
  TFlow ForwardUnits(std::string_view units, std::uint64_t at, TUnitSink& sink);

  platform::TFileReader& file_;
  const std::string& name_;
  TQueryObserver* observer_;
  std::unique_ptr<char[]> buffer_;
  std::size_t bufferSize_;
  std::size_t filled_ = 0;      // bytes of the first read, mark and all
  std::uint64_t remaining_;     // bytes still to read of the size at open
  std::uint64_t position_ = 0;  // file offset of the next byte Forward takes
  TTextMark mark_;
  const TUnitSearches* units_;
  char oddByte_ = 0;  // a unit's first byte whose second is in the next chunk
  bool hasOddByte_ = false;
  TQueryObserver::TTextEnd end_;
};

}  // namespace filedata
