#pragma once
// A class's list of the interfaces it answers, as data: the identifier and
// how to reach that interface's pointer from the object. Each class's table
// links to its base class's, so lookup runs most derived first.
#include <windows.h>

#include <cstddef>

namespace filedata::com {

class TComObject;

struct TInterfaceEntry {
  const GUID* iid;
  IUnknown* (*pointerOf)(TComObject& object);
};

struct TInterfaceTable {
  template <std::size_t N>
  constexpr TInterfaceTable(const TInterfaceEntry (&entries)[N], const TInterfaceTable* baseTable)
      : first(entries), count(N), base(baseTable) {}

  const TInterfaceEntry* first;
  std::size_t count;
  const TInterfaceTable* base;  // null for the root of the chain
};

}  // namespace filedata::com
