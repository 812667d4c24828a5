#pragma once
// The plug-in's parameters, declared once: the query matches their keys and
// starts from their defaults; the host lists them with their names, the
// defaults its editor suggests, their descriptions and editors; the tools'
// usage texts and explanations name them. The host's columns are data the
// query never reads.
#include <cstdint>
#include <iterator>
#include <string_view>

#include "query/Text.h"

namespace filedata {

enum class TQueryKey : std::uint8_t { FileName, Line, Start, Length };
// What a value is read as: FILENAME as it is, the others as integers.
enum class TParamValue : std::uint8_t { Text, Integer };
// Where the host lists a parameter: among the basic ones, or behind its
// advanced settings.
enum class TParamTable : std::uint8_t { Basic, Advanced };
// How the host's editor lets the user enter a parameter. Only these two are
// known to this plug-in: 5 is what it has always answered for the file name,
// and hosts offer the user a way to pick a file for it; 0 is a plain field.
enum class TEditorKind : std::uint8_t { Plain = 0, FileName = 5 };

struct TParamRow {
  TQueryKey Key;
  std::string_view KeyName;  // upper case, as the query matches it and the tools write it
  TParamValue Value;
  std::int32_t QueryDefault;  // an integer's value when the key is absent (a text's is empty)
  std::string_view Meaning;   // one line, as the tools' usage texts tell it
  TParamTable Table;
  const char* Name;  // as the host shows it; upper-cased, the key
  // What the host's editor suggests; not the query's own default (a query
  // without LENGTH cuts to the end of the line, not 5 bytes).
  const char* EditorDefault;
  const char* Description;
  TEditorKind Editor;
  const char* EditorText;  // handed out with an editor other than Plain
};

// In the order of TQueryKey.
inline constexpr TParamRow kParams[] = {
    {TQueryKey::FileName, "FILENAME", TParamValue::Text, 0, "the file to read", TParamTable::Basic, "Filename",
     "MyTestFile.txt", "Full path to the file you want to poll data from", TEditorKind::FileName, ""},
    {TQueryKey::Line, "LINE", TParamValue::Integer, 1, "line number from 1; 0 is the last line", TParamTable::Basic,
     "Line", "1", "The line number you want to poll, zero will provide last line", TEditorKind::Plain, nullptr},
    {TQueryKey::Start, "START", TParamValue::Integer, 1, "first byte of the cut, from 1", TParamTable::Advanced,
     "Start", "1", "For adv. cutting - Will cut from the # Char to end of line, unless \"Length\" is defined",
     TEditorKind::Plain, nullptr},
    {TQueryKey::Length, "LENGTH", TParamValue::Integer, kLengthToLineEnd, "bytes to cut; -1 is to the end of the line",
     TParamTable::Advanced, "Length", "5", "Will read from \"Start\" Char and \"Length\" forward", TEditorKind::Plain,
     nullptr},
};

constexpr const TParamRow& ParamOf(TQueryKey key) noexcept { return kParams[static_cast<std::size_t>(key)]; }
constexpr std::string_view KeyName(TQueryKey key) noexcept { return ParamOf(key).KeyName; }

// A parameter text every usage text shows.
inline constexpr char kExampleParams[] = "FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4";

namespace detail {
constexpr bool RowsAreKeysInOrder() {
  for (std::size_t i = 0; i < std::size(kParams); ++i) {
    const TParamRow& row = kParams[i];
    if (static_cast<std::size_t>(row.Key) != i) return false;
    std::size_t at = 0;
    for (; row.Name[at] != '\0'; ++at) {
      if (at >= row.KeyName.size() || AsciiUpperByte(row.Name[at]) != row.KeyName[at]) return false;
    }
    if (at != row.KeyName.size()) return false;
  }
  return true;
}
static_assert(RowsAreKeysInOrder(), "rows in key order, each name upper-cased being its key");
}  // namespace detail

}  // namespace filedata
