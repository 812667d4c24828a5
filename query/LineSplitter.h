#pragma once
// The one line-splitting rule, fed chunk by chunk: CR LF, a lone CR and a
// lone LF each end a line; a break at the very end adds no empty line; the
// first zero byte ends the last line and all splitting.
#include <string>
#include <string_view>

namespace filedata {

class TLineSink {
 public:
  virtual ~TLineSink() = default;
  // Receives each line in order; returning false stops the splitting.
  virtual bool OnLine(std::string_view line) = 0;
};

class TLineSplitter {
 public:
  explicit TLineSplitter(TLineSink& sink) : sink_(sink) {}

  // Splits the next bytes of the stream. False once splitting has ended
  // (a zero byte was met or the sink asked to stop): feed no more.
  bool Feed(std::string_view bytes);
  // End of the stream: delivers the line in progress, if any.
  void Finish();

 private:
  bool Deliver(std::string_view line);

  TLineSink& sink_;
  std::string pending_;  // a line's start that crossed a chunk boundary
  bool skipLineFeed_ = false;  // the last chunk ended on CR
  bool ended_ = false;
};

// Whole-text form: every line of TEXT, in order.
void SplitLines(std::string_view text, TLineSink& sink);

}  // namespace filedata
