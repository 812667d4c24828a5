#pragma once
// The locale's decimal separator, read once when the library or tool starts.

namespace filedata {

// The separator read by InitLocaleDecimalSeparator; the full stop before that.
char LocaleDecimalSeparator() noexcept;

// Reads the calling thread's locale once; call before any query can run.
void InitLocaleDecimalSeparator();

}  // namespace filedata
