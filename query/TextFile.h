#pragma once
// Reading text files for the query: the presence test and a streaming read
// that hands the bytes on chunk by chunk without holding the whole file.
#include <cstdint>
#include <string>
#include <string_view>

#include "query/LineSplitter.h"

namespace filedata {

namespace platform {
class TFileReader;
class TReadOnlyFile;
}  // namespace platform

// Receives a file's bytes in order; returning false stops the reading.
class TChunkSink {
 public:
  virtual ~TChunkSink() = default;
  virtual bool OnBytes(std::string_view bytes) = 0;
};

// Feeds SINK the bytes of FILE, which was opened as NAME: at most the size
// the file had when it was opened, and only the bytes actually delivered, so
// a file that shrank ends early. True when the end was reached, false when
// the sink stopped. Raises EReadError, naming the file, when a read fails:
// a failure is never taken for the end.
bool ReadChunks(platform::TFileReader& file, const std::string& name, TChunkSink& sink);

// Opens NAME into FILE: others may read it too, nobody may write it. Raises
// EFOpenError, with the full path and the system's reason, when it cannot.
void OpenTextFile(const std::string& name, platform::TReadOnlyFile& file);

// Feeds the lines of FILE, opened as NAME, to SINK until the sink is
// satisfied; raises as ReadChunks does.
void ReadLines(platform::TFileReader& file, const std::string& name, TLineSink& sink);

// OpenTextFile, then ReadLines.
void ReadTextFileLines(const std::string& name, TLineSink& sink);

}  // namespace filedata
