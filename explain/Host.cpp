#include "explain/Host.h"

namespace filedata::explain {

const THost& PlatformHost() {
  static const THost host{platform::CharacterSize, platform::HostCodePage(), platform::HostTextName(),
                          platform::Utf16ToHostText, platform::NameLimits()};
  return host;
}

}  // namespace filedata::explain
