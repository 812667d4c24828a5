#pragma once
// Reading text files for the query: the presence test and a streaming read
// that feeds the line splitter without holding the whole file.
#include <cstdint>
#include <string>

#include "query/LineSplitter.h"

namespace filedata {

// Wildcards allowed; false for a directory or a time stamp outside 1980-2107.
bool FileIsPresent(const std::string& name);

// Opens NAME (others may read it too, nobody may write it) and feeds its
// lines to SINK, reading at most the size the file had when it was opened
// and keeping only the bytes actually delivered. Stops reading as soon as
// the sink is satisfied. Raises EFOpenError when the file cannot be opened.
void ReadTextFileLines(const std::string& name, TLineSink& sink);

// The name expanded against the current directory, in full.
std::string FullPathOf(const std::string& name);

// The system's text for an error code without trailing blanks, line
// breaks or full stops.
std::string SystemErrorText(std::uint32_t code);

}  // namespace filedata
