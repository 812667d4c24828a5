#pragma once
// What the words need to know of the system they are said on: how its
// 8-bit text holds characters, its code page, and the longest names it
// opens. The plug-in's is the platform's; a test gives another system's, so
// that the words of a code page 932 host are tested on any machine.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace filedata::explain {

struct THost {
  // The bytes of the character at AT of TEXT, as platform::CharacterSize.
  std::size_t (*CharacterSize)(std::string_view text, std::size_t at) noexcept;
  std::uint32_t CodePage;  // of the host's 8-bit text; 65001 is UTF-8
  std::string TextName;    // "code page 1252", "UTF-8"
  // UTF-16 to the host's 8-bit text, "?" for a character it lacks.
  std::string (*FromUtf16)(std::u16string_view units);
  platform::TNameLimits NameLimits;
};

inline constexpr std::uint32_t kUtf8CodePage = 65001;

// The system this runs on.
const THost& PlatformHost();

}  // namespace filedata::explain
