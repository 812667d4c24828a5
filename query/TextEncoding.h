#pragma once
// How a file says its text is stored, and the one conversion of its code
// units to the 8-bit text the plug-in answers with. A file that begins with
// a UTF-16 mark (FF FE or FE FF) is UTF-16 in that order; every other file
// is 8-bit text, read as it is (a UTF-8 mark stays part of line 1).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace filedata {

enum class TTextEncoding : std::uint8_t { EightBit, Utf16LE, Utf16BE };

// Bytes of one code unit.
constexpr std::size_t UnitSize(TTextEncoding encoding) noexcept {
  return encoding == TTextEncoding::EightBit ? 1 : 2;
}

struct TTextMark {
  TTextEncoding Encoding = TTextEncoding::EightBit;
  std::size_t Size = 0;   // bytes of the mark, which are not part of the text
  bool Utf8Mark = false;  // an 8-bit text beginning with EF BB BF
};

// Bytes a mark can take; fewer tell all only when the file has no more.
inline constexpr std::size_t kLongestMark = 3;

// The mark at the start of FIRSTBYTES, the file's first bytes (all of them
// when the file is shorter than kLongestMark).
TTextMark ReadMark(std::string_view firstBytes) noexcept;

// UNITS, whole code units stored as ENCODING, as the host's 8-bit text:
// unchanged for 8-bit text, converted by the system for UTF-16.
std::string UnitsToHostText(std::string_view units, TTextEncoding encoding);

// The same, piece by piece and a part at a time, so that a long text is
// never converted, nor held, whole: each piece's host text goes to a sink
// in parts of a few KiB, exactly as converting all the pieces at once
// would give it (a character whose two UTF-16 units lie in two pieces waits
// for its second).
class TUnitDecoder {
 public:
  class TSink {
   public:
    virtual ~TSink() = default;
    // The next bytes of host text; false: no more are wanted.
    virtual bool OnHostText(std::string_view bytes) = 0;
  };

  TUnitDecoder(TTextEncoding encoding, TSink& sink) noexcept : encoding_(encoding), sink_(sink) {}
  // False once the sink wants no more.
  bool Decode(std::string_view units);
  // The end of the text: a unit held back goes out alone.
  bool Finish();

 private:
  bool Convert(std::u16string_view part);

  TTextEncoding encoding_;
  TSink& sink_;
  char16_t held_ = 0;  // a high surrogate at the end of the last piece
  bool holding_ = false;
};

// "8-bit", "UTF-16LE", "UTF-16BE".
const char* EncodingName(TTextEncoding encoding) noexcept;

}  // namespace filedata
