#include "query/DecimalSeparator.h"

#include "platform/Platform.h"

namespace filedata {

namespace {
// Written once at start, before any query runs; read-only afterwards.
char gSeparator = '.';
}  // namespace

char LocaleDecimalSeparator() noexcept { return gSeparator; }

void InitLocaleDecimalSeparator() { gSeparator = platform::ReadLocaleDecimalSeparator(); }

}  // namespace filedata
