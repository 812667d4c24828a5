// The program's operator new and delete, which count what each thread holds
// for TAllocationWatch. Every block carries its size in a header, so that a
// delete of any form knows what it gives back.
#include "tests/support/AllocationWatch.h"

#include <cstdlib>
#include <new>

// GCC takes the free of what this operator new returned for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
struct TThreadCount {
  std::size_t held = 0, peak = 0, base = 0;
  std::size_t refuseAbove = SIZE_MAX;
};
thread_local TThreadCount gCount;

// The header in front of every block: room enough to keep any alignment.
constexpr std::size_t kHeader = 64;
struct THeader {
  void* block;
  std::size_t size;
};

void* Allocate(std::size_t size, std::size_t alignment) {
  if (size > gCount.refuseAbove) throw std::bad_alloc();
  if (alignment < kHeader) alignment = kHeader;
  void* const block = std::malloc(size + alignment + kHeader);
  if (!block) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(block) + kHeader;
  const auto aligned = (start + alignment - 1) / alignment * alignment;
  auto* header = reinterpret_cast<THeader*>(aligned - sizeof(THeader));
  *header = {block, size};
  gCount.held += size;
  if (gCount.held > gCount.peak) gCount.peak = gCount.held;
  return reinterpret_cast<void*>(aligned);
}

void Release(void* memory) noexcept {
  if (!memory) return;
  const auto* header = reinterpret_cast<THeader*>(reinterpret_cast<std::uintptr_t>(memory) - sizeof(THeader));
  // A block another thread allocated may leave this one's count below it.
  gCount.held = gCount.held > header->size ? gCount.held - header->size : 0;
  std::free(header->block);
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size, alignof(std::max_align_t)); }
void* operator new[](std::size_t size) { return Allocate(size, alignof(std::max_align_t)); }
void* operator new(std::size_t size, std::align_val_t alignment) { return Allocate(size, static_cast<std::size_t>(alignment)); }
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return Allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t) noexcept { Release(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { Release(memory); }

namespace filedata::testing {

TAllocationWatch::TAllocationWatch(std::size_t refuseAbove) noexcept {
  gCount.base = gCount.peak = gCount.held;
  gCount.refuseAbove = refuseAbove;
}

TAllocationWatch::~TAllocationWatch() { gCount.refuseAbove = SIZE_MAX; }

std::size_t TAllocationWatch::PeakBytes() const noexcept { return gCount.peak - gCount.base; }

}  // namespace filedata::testing
