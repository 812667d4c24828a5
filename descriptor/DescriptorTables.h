#pragma once
// The constant answers the host reads to list, describe and configure the
// plug-in. TDescriptor (Descriptor.h) walks these tables; nothing else
// decides what the host is told.
#include <array>
#include <cstddef>
#include <cstdint>


namespace filedata::descriptor {

// Joins literals at compile time, so a composed text is still one static
// zero-terminated string that may be handed out as it is.
template <std::size_t... N>
constexpr std::array<char, (N + ...) - sizeof...(N) + 1> JoinTexts(const char (&... parts)[N]) {
  std::array<char, (N + ...) - sizeof...(N) + 1> joined{};
  std::size_t at = 0;
  for (const char* part : {static_cast<const char*>(parts)...}) {
    while (*part) joined[at++] = *part++;
  }
  return joined;
}

struct TIdentity {
  const char* Name;
  std::uint16_t VersionA;
  std::uint16_t VersionB;
};
inline constexpr TIdentity kIdentity = {"Filedata", 501, 500};

struct TAboutRow {
  const char* Key;
  const char* Value;
};
inline constexpr TAboutRow kAboutRows[] = {
    {"Programmed By", "Filedata plug-in authors"},
    {"Created", "November 4th, 2003"},
    {"Updated", "June, 30th 2004"},
    {"Copyright", "Copyright (c) 2026 Filedata plug-in authors"},
};

// The one data item; a query answers with its name too.
inline constexpr char kDataItemName[] = "Filedata";
inline constexpr const char* kDataItemNames[] = {kDataItemName};
// What a query's answer is: the host's value-kind codes.
constexpr std::uint8_t kNumberKind = 0;
constexpr std::uint8_t kTextKind = 1;
// Every data item is of this kind; the host is told it even for an index the
// plug-in lacks.
constexpr std::uint8_t kDataItemKind = 2;
constexpr std::uint8_t kEditorFlags = 0;

struct TParamRow {
  const char* Name;
  const char* Default;
  const char* Description;
};
// The names are the query's keys before upper-casing. The defaults are only
// suggestions for the host's editor, not the query's own defaults.
inline constexpr TParamRow kBasicParams[] = {
    {"Filename", "MyTestFile.txt", "Full path to the file you want to poll data from"},
    {"Line", "1", "The line number you want to poll, zero will provide last line"},
};
inline constexpr TParamRow kAdvancedParams[] = {
    {"Start", "1", "For adv. cutting - Will cut from the # Char to end of line, unless \"Length\" is defined"},
    {"Length", "5", "Will read from \"Start\" Char and \"Length\" forward"},
};

// A parameter whose name matches a rule's (ASCII case ignored) gets the
// rule's editor; any other gets kPlainEditorKind and no editor text.
struct TEditorRule {
  const char* ParamName;
  std::uint8_t Kind;
  const char* Text;
};
inline constexpr TEditorRule kEditorRules[] = {
    {"FILENAME", 5, ""},
};
constexpr std::uint8_t kPlainEditorKind = 0;

inline constexpr char kUpdateHost[] = "qelt.example.com";
inline constexpr auto kUpdateLocation = JoinTexts("http://", kUpdateHost, "/update/filedata.upd");

}  // namespace filedata::descriptor
