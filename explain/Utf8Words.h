#pragma once
// UTF-8 text in a file the plug-in reads as 8-bit text: the plug-in hands
// its bytes over as they are, and a host whose code page is not UTF-8 shows
// each character beyond ASCII as two to four others ("°", C2 B0, shows as
// "Â°" in code page 1252). Said with how to save the file so it shows right.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "explain/Characters.h"

namespace filedata::explain {

// The first character beyond ASCII of TEXT when TEXT is UTF-8: it holds a
// well-formed sequence of two bytes or more, and no byte beyond ASCII
// outside one. TEXT is the start of a longer text unless WHOLE: a sequence
// its end cuts short is no fault.
std::optional<TCharacter> Utf8Example(std::string_view text, bool whole);

// LINE, the first bytes of a line of an 8-bit file (all of them when
// WHOLE), named SUBJECT ("the line", "line 3"), in words when it is UTF-8
// text that HOST's code page shows otherwise; empty when it is not, or when
// the host's text is UTF-8 too. MARKED: the file begins with a UTF-8 mark,
// and LINE with it when it is line 1 (the mark is no character of its text).
std::string Utf8TextDetail(std::string_view subject, std::string_view line, bool whole, bool marked,
                           const THost& host);

// The example character the words quote, its first byte counted in LINE.
std::optional<TCharacter> Utf8TextExample(std::string_view line, bool whole, bool marked, const THost& host);

}  // namespace filedata::explain
