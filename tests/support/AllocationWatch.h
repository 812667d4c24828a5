#pragma once
// What a piece of code allocates on its thread, seen through the program's
// own operator new (AllocationWatch.cpp, linked into the test programs that
// watch): the most it held at once, and allocations refused above a size,
// as a host short of memory refuses them.
#include <cstddef>
#include <cstdint>

namespace filedata::testing {

// Watches this thread's allocations while it lives; watches do not nest.
class TAllocationWatch {
 public:
  // REFUSEABOVE: allocations of more bytes fail with std::bad_alloc.
  explicit TAllocationWatch(std::size_t refuseAbove = SIZE_MAX) noexcept;
  ~TAllocationWatch();
  TAllocationWatch(const TAllocationWatch&) = delete;
  TAllocationWatch& operator=(const TAllocationWatch&) = delete;

  // The most bytes held at once since the watch began, beyond those held
  // when it began (its read buffers and every text of the code watched).
  std::size_t PeakBytes() const noexcept;
};

}  // namespace filedata::testing
