#pragma once
// The constant answers the host reads to list, describe and configure the
// plug-in, and the fixed texts of its last-error and answers. TPlugIn
// (PlugIn.h) walks these tables; nothing else decides what the host is told.
// The numeric codes are the host's: it gives them their meaning, and where
// we know that meaning only from what the host is known to accept, the line
// beside the code says so.
#include <array>
#include <cstddef>
#include <cstdint>

#include "query/ParamTable.h"

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
  // The plug-in's two version words. The host shows and compares them as
  // it sees fit; this plug-in has always answered 501 and 500, and a host
  // may hold on to them, so they stay.
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
// The kind of value a query answers with: the host shows a number (and may
// chart it) or the text as it is.
constexpr std::uint8_t kNumberKind = 0;
constexpr std::uint8_t kTextKind = 1;
// The kind code of every data item. What the host makes of it is the
// host's; it is told 2, as it always has been, even for an index the
// plug-in lacks.
constexpr std::uint8_t kDataItemKind = 2;
// A data item's editor flags: none.
constexpr std::uint8_t kEditorFlags = 0;

// The number of parameters in TABLE, and its row INDEX (null: none).
constexpr std::int32_t ParamCount(TParamTable table) noexcept {
  std::int32_t count = 0;
  for (const TParamRow& row : kParams) count += row.Table == table ? 1 : 0;
  return count;
}
constexpr const TParamRow* ParamAt(TParamTable table, std::int32_t index) noexcept {
  for (const TParamRow& row : kParams) {
    if (row.Table == table && index-- == 0) return &row;
  }
  return nullptr;
}

inline constexpr char kUpdateHost[] = "qelt.example.com";
inline constexpr auto kUpdateLocation = JoinTexts("http://", kUpdateHost, "/update/filedata.upd");

// The last-error text of an object that has not failed, and of a failing
// table lookup or data-item index.
inline constexpr char kNoError[] = "No error";
inline constexpr char kIndexOutOfBounds[] = "Index out of bounds";
// The last-error text of a failure that carried no message of its own.
inline constexpr char kUnexpectedFailure[] = "Unexpected failure inside the plug-in";
// The last-error text when the memory for a reading could not be had.
inline constexpr char kOutOfMemory[] = "Not enough memory for this reading";

}  // namespace filedata::descriptor
