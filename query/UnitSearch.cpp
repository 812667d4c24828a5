#include "query/UnitSearch.h"

#include "query/UnitSearchAvx2.h"

namespace filedata {

namespace {
using namespace search;

// A unit as UnitAt reads the bytes FIRST, SECOND from memory.
constexpr std::uint16_t Loaded(std::uint8_t first, std::uint8_t second) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  return static_cast<std::uint16_t>(first << 8 | second);
#else
  return static_cast<std::uint16_t>(second << 8 | first);
#endif
}

// One encoding's code units: their size and their CR and LF as read.
template <std::size_t Size, std::uint16_t CarriageReturn, std::uint16_t LineFeed>
struct TUnits {
  static constexpr std::size_t W = Size;
  static constexpr std::uint16_t CR = CarriageReturn;
  static constexpr std::uint16_t LF = LineFeed;
};
using TByteUnits = TUnits<1, 0x0D, 0x0A>;
using TLittleEndianUnits = TUnits<2, Loaded(0x0D, 0x00), Loaded(0x0A, 0x00)>;
using TBigEndianUnits = TUnits<2, Loaded(0x00, 0x0D), Loaded(0x00, 0x0A)>;

template <class U>
constexpr TUnitSearches Portable() {
  return {FindFirstPortable<U::W, 0>, FindFirstPortable<U::W, U::CR, U::LF>, FindLastPortable<U::W, U::CR, U::LF>,
          CountToZeroPortable<U::W, U::CR, U::LF>, U::W, U::CR, U::LF, "portable"};
}
// Indexed by TTextEncoding.
constexpr TUnitSearches kPortable[] = {Portable<TByteUnits>(), Portable<TLittleEndianUnits>(),
                                       Portable<TBigEndianUnits>()};

#if defined(FILEDATA_SSE2_SEARCH)
template <class U>
constexpr TUnitSearches Sse2() {
  return {FindZeroSse2<U::W>, FindFirstSse2<U::W, U::CR, U::LF>, FindLastSse2<U::W, U::CR, U::LF>,
          CountToZeroSse2<U::W, U::CR, U::LF>, U::W, U::CR, U::LF, "sse2"};
}
constexpr TUnitSearches kSse2[] = {Sse2<TByteUnits>(), Sse2<TLittleEndianUnits>(), Sse2<TBigEndianUnits>()};
#endif

#if defined(FILEDATA_AVX2_SEARCH)
template <class U>
constexpr TUnitSearches Avx2() {
  return {FindZeroAvx2<U::W>, FindFirstAvx2<U::W, U::CR, U::LF>, FindLastAvx2<U::W, U::CR, U::LF>,
          CountToZeroAvx2<U::W, U::CR, U::LF>, U::W, U::CR, U::LF, "avx2"};
}
constexpr TUnitSearches kAvx2[] = {Avx2<TByteUnits>(), Avx2<TLittleEndianUnits>(), Avx2<TBigEndianUnits>()};
#endif

const TUnitSearches* Fastest() noexcept {
#if defined(FILEDATA_AVX2_SEARCH)
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return kAvx2;
#endif
#if defined(FILEDATA_SSE2_SEARCH)
  return kSse2;
#else
  return kPortable;
#endif
}

// Chosen once, when first needed; the processor does not change.
const TUnitSearches* FastestTable() noexcept {
  static const TUnitSearches* const chosen = Fastest();
  return chosen;
}
}  // namespace

const TUnitSearches& UnitSearches(TTextEncoding encoding) noexcept {
  return FastestTable()[static_cast<std::size_t>(encoding)];
}

std::vector<const TUnitSearches*> AvailableUnitSearches(TTextEncoding encoding) {
  const auto index = static_cast<std::size_t>(encoding);
  std::vector<const TUnitSearches*> available = {&UnitSearches(encoding)};
#if defined(FILEDATA_SSE2_SEARCH)
  if (available.front() != &kSse2[index]) available.push_back(&kSse2[index]);
#endif
  if (available.front() != &kPortable[index]) available.push_back(&kPortable[index]);
  return available;
}

}  // namespace filedata
