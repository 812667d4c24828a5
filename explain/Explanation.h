#pragma once
// An explanation of one reading: an observer of the query that puts each
// step in words as the query takes it, and the answer last, as a JSON array
// of steps (each {"step":...,"detail":..., and the values involved}).
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "explain/AnswerWords.h"
#include "explain/Characters.h"
#include "explain/CutAdvice.h"
#include "explain/Host.h"
#include "explain/JsonWriting.h"
#include "query/QueryObserver.h"

namespace filedata::explain {

// The steps when even the words of a failure to write them could not be:
// fixed texts.
inline constexpr char kUntoldSteps[] =
    R"([{"step":"explanation","detail":"the steps could not be written; the answer is the host's all the same"}])";
inline constexpr char kUntoldView[] = R"({"available":false,"detail":"the file's lines could not be written"})";

// Why writing words failed, for the steps that say so.
inline constexpr char kNoMemory[] = "not enough memory";

// The steps when writing them failed for REASON, and OUTCOME, the answer
// (TEXTSIZE as StepsJson takes it).
std::string UntoldStepsJson(std::string_view reason, const TQueryOutcome& outcome, std::uint64_t textSize);

// It only listens: a step it cannot write (no memory for it, say) never
// reaches the query, whose answer stays the host's; the steps then say so.
class TExplanation final : public TQueryObserver {
 public:
  // HOST, when given, stands for the system the words are said on; it
  // outlives the explanation.
  explicit TExplanation(const THost* host = nullptr) noexcept : host_(host) {}

  // The steps told so far and then OUTCOME, the answer they led to, whose
  // text (of TEXTSIZE bytes) OUTCOME may hold only the start of.
  std::string StepsJson(const TQueryOutcome& outcome, std::uint64_t textSize) const;

  // Holds the cut of a number answer against the lines of VIEW (null: the
  // selected line alone); a fragile cut adds its step. Nothing when the
  // answer was no number.
  std::optional<TCutAdvice> Advise(const TFileView* view);

  void OnPair(const TPair& pair) override;
  void OnParameters(const TQueryParameters& query) override;
  void OnPresence(const std::string& fileName, const platform::TPresenceTest& test) override;
  void OnOpenFailure(const TOpenFailure& failure) override;
  void OnEncoding(const TTextMark& mark) override;
  void OnTextEnd(const TTextEnd& end) override;
  void OnLine(std::int64_t index, const TChosenLine& line, std::uint64_t linesRead) override;
  void OnNoLine(std::int64_t index, std::uint64_t lines) override;
  void OnCut(std::int64_t start, std::int64_t length, const TChosenLine& line) override;
  void OnNumberTest(std::string_view cut, bool isNumber, const TNumberReport& report) override;

 private:
  void Add(const char* step, const std::string& detail, const TJsonObject& values);
  const THost& Host() const { return host_ ? *host_ : PlatformHost(); }
  // The character of the line that byte AT of CUT lies in, and it in words
  // ("温", bytes 1-3).
  TCharacter StoppedCharacter(std::string_view cut, std::size_t at) const;
  std::string StoppedWords(std::string_view cut, const TCharacter& character) const;
  // A step for LINE when it is UTF-8 text that the host shows otherwise.
  void AddUtf8Step(const TChosenLine& line);
  // Runs TELLING, the words of one step; what it raises stops the words,
  // not the query.
  template <class Telling>
  void Listen(Telling&& telling) noexcept;

  const THost* host_;
  std::vector<std::string> steps_;           // each a JSON object
  std::map<TQueryKey, std::int32_t> setBy_;  // key to the pair that last set it
  std::int32_t line_ = ParamOf(TQueryKey::Line).QueryDefault;
  std::string fileName_;  // as FILENAME gives it
  bool eightBit_ = false, utf8Mark_ = false;  // how the file's text is stored
  // The selected line when it is short enough to quote whole (else
  // empty: no advice), its number (0: the last) and the cut, for the advice.
  std::string lineText_;
  bool wholeLine_ = false;
  std::uint64_t lineNumber_ = 0;
  std::int64_t start_ = 0, length_ = 0;
  // The line's first bytes (kKeptHeadBytes at most), its size, where the
  // cut lies in it, the characters it takes part of and the cut as quoted.
  std::string lineHead_;
  std::uint64_t lineSize_ = 0, cutAt_ = 0;
  TPartCharacters cutCharacters_;
  std::string cutQuote_;
  bool cutTold_ = false;
  bool isNumber_ = false;
  char separator_ = '.';
  // Why a step could not be written; the first such failure only.
  char failure_[128] = {};
  bool failed_ = false;
};

}  // namespace filedata::explain
