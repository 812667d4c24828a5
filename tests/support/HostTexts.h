#pragma once
// What the plug-in tells the host about itself, written out once for every
// test that checks it: the plug-in's own object, each built DLL and the
// description the tools print. The tests hold these against the answers;
// they never read them from the plug-in's own tables.
#include <cstdint>

namespace filedata::testing {

struct TExpectedAboutRow {
  const char* Key;
  const char* Value;
};
struct TExpectedParam {
  const char* Name;
  const char* Default;
  const char* Description;
};

inline constexpr char kExpectedName[] = "Filedata";
inline constexpr std::uint16_t kExpectedVersionA = 501;
inline constexpr std::uint16_t kExpectedVersionB = 500;
inline constexpr TExpectedAboutRow kExpectedAbout[] = {
    {"Programmed By", "Filedata plug-in authors"},
    {"Created", "November 4th, 2003"},
    {"Updated", "June, 30th 2004"},
    {"Copyright", "Copyright (c) 2026 Filedata plug-in authors"},
};
inline constexpr char kExpectedDataItem[] = "Filedata";
inline constexpr TExpectedParam kExpectedBasicParams[] = {
    {"Filename", "MyTestFile.txt", "Full path to the file you want to poll data from"},
    {"Line", "1", "The line number you want to poll, zero will provide last line"},
};
inline constexpr TExpectedParam kExpectedAdvancedParams[] = {
    {"Start", "1", "For adv. cutting - Will cut from the # Char to end of line, unless \"Length\" is defined"},
    {"Length", "5", "Will read from \"Start\" Char and \"Length\" forward"},
};
inline constexpr char kExpectedUpdateLocation[] = "http://qelt.example.com/update/filedata.upd";

}  // namespace filedata::testing
