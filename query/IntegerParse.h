#pragma once
#include <cstdint>
#include <string_view>

namespace filedata {

// Signed 32-bit integer from decimal or hexadecimal ($, x, X, 0x, 0X) text,
// with leading blanks and one sign; raises EConvertError on anything else.
std::int32_t ParseInteger(std::string_view text);

}  // namespace filedata
