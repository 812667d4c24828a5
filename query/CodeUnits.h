#pragma once
// A file's text as the line rules see it: code units of one byte (8-bit
// text) or of two bytes in either order (UTF-16 after its mark). Every rule
// of the query works on code units; only the line it answers with is turned
// into 8-bit text (TextEncoding.h).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace filedata {

// The unit at P as it lies in memory: a byte, or two bytes in the host's
// order (so a unit of the other byte order reads swapped; the searches
// compare it with its line-break units read the same way).
inline std::uint16_t UnitAt(const char* p, std::size_t unitSize) noexcept {
  if (unitSize == 1) return static_cast<unsigned char>(*p);
  std::uint16_t unit;
  std::memcpy(&unit, p, sizeof unit);
  return unit;
}

// Receives a text's code units in order, chunk by chunk: whole units, none
// of them zero (the first zero unit has ended the text before it).
class TUnitSink {
 public:
  virtual ~TUnitSink() = default;
  // Returning false stops the reading.
  virtual bool OnUnits(std::string_view units) = 0;
  // True for a sink whose own search finds the zero unit that ends the text
  // as it reads (the line counter): the reader then spares its own search
  // and hands it the units as they come, through OnUnitsUpToZero.
  virtual bool FindsZero() const noexcept { return false; }
  // Takes UNITS up to their first zero unit and returns the bytes before it,
  // all of them when none is zero. Such a sink never stops the reading.
  virtual std::size_t OnUnitsUpToZero(std::string_view units) { return units.size(); }
};

}  // namespace filedata
