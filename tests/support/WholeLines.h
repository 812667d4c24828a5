#pragma once
// A line sink for tests that want each line whole: it puts the splitter's
// pieces of a line together and hands the line on at its end.
#include <string>
#include <string_view>

#include "query/LineSplitter.h"

namespace filedata::testing {

class TWholeLines : public TLineSink {
 public:
  // Each line's code units, whole; returning false stops the splitting.
  virtual bool OnLine(std::string_view line) = 0;

  bool OnPiece(std::string_view units, std::uint64_t, bool ends) override {
    line_.append(units);
    if (!ends) return true;
    const bool more = OnLine(line_);
    line_.clear();
    return more;
  }

 private:
  std::string line_;
};

}  // namespace filedata::testing
