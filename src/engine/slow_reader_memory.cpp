#include "engine/slow_reader_memory.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <mutex>

// jemalloc's control call, when the program allocates through jemalloc;
// linked weakly, so that with another allocator all this is skipped.
extern "C" int mallctl(const char* name, void* oldValue, std::size_t* oldLength, void* newValue,
                       std::size_t newLength) __attribute__((weak));

namespace orvalis {

namespace {

// jemalloc's table of extent hooks, as jemalloc/jemalloc.h declares it
// (the same since jemalloc 5.0). A null entry opts out of the operation;
// false from a hook means it was done.
struct tExtentHooks;
using tAllocHook = void* (*)(tExtentHooks*, void* at, std::size_t size, std::size_t alignment,
                             bool* zero, bool* commit, unsigned arena);
using tDallocHook = bool (*)(tExtentHooks*, void*, std::size_t, bool, unsigned);
using tDestroyHook = void (*)(tExtentHooks*, void*, std::size_t, bool, unsigned);
using tRangeHook = bool (*)(tExtentHooks*, void* extent, std::size_t size, std::size_t offset,
                            std::size_t length, unsigned arena);
using tSplitHook = bool (*)(tExtentHooks*, void*, std::size_t, std::size_t, std::size_t, bool,
                            unsigned);
using tMergeHook = bool (*)(tExtentHooks*, void*, std::size_t, void*, std::size_t, bool, unsigned);
struct tExtentHooks {
  tAllocHook alloc;
  tDallocHook dalloc;
  tDestroyHook destroy;
  tRangeHook commit;
  tRangeHook decommit;
  tRangeHook purgeLazy;
  tRangeHook purgeForced;
  tSplitHook split;
  tMergeHook merge;
};

constexpr std::size_t kPage = 4096;
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
// Address space set aside for the arena, in huge pages; only what is touched
// takes memory. Beyond it, extents come as mappings of their own.
constexpr std::size_t kRegionSize = std::size_t{256} * 1024 * 1024;

std::uintptr_t AlignUp(std::uintptr_t value, std::size_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

// A fresh mapping of size bytes at the alignment asked; null when none.
void* MapAligned(std::size_t size, std::size_t alignment) {
  if (size > SIZE_MAX - alignment) return nullptr;
  const std::size_t length = size + alignment;
  void* mapped = mmap(nullptr, length, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = AlignUp(start, alignment);
  const std::uintptr_t end = start + length;
  if (aligned > start) munmap(mapped, aligned - start);
  if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - aligned - size);
  return reinterpret_cast<void*>(aligned);
}

// The region's pieces go out one after the other and never come back to
// it: jemalloc keeps the extents it is done with and uses them again.
class tRegion {
 public:
  void* Take(std::size_t size, std::size_t alignment) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!tried_) {
      tried_ = true;
      if (void* region = MapAligned(kRegionSize, kHugePage)) {
        madvise(region, kRegionSize, MADV_HUGEPAGE);
        next_ = reinterpret_cast<std::uintptr_t>(region);
        end_ = next_ + kRegionSize;
      }
    }
    const std::uintptr_t start = AlignUp(next_, alignment);
    if (next_ == 0 || start > end_ || size > end_ - start) return nullptr;
    next_ = start + size;
    return reinterpret_cast<void*>(start);
  }

 private:
  std::mutex mutex_;
  bool tried_ = false;
  std::uintptr_t next_ = 0, end_ = 0;
};

tRegion region;

void* AllocExtent(tExtentHooks*, void* at, std::size_t size, std::size_t alignment, bool* zero,
                  bool* commit, unsigned) {
  // An extent at a given place (to grow one in place) is not offered.
  if (at != nullptr) return nullptr;
  alignment = std::max(alignment, kPage);
  void* extent = region.Take(size, alignment);
  if (extent == nullptr) extent = MapAligned(size, alignment);
  if (extent == nullptr) return nullptr;
  // Fresh anonymous pages read as zero and are there to write.
  *zero = true;
  *commit = true;
  return extent;
}

// Pages no longer used go back to the system; the mapping stays.
bool PurgeExtent(tExtentHooks*, void* extent, std::size_t, std::size_t offset, std::size_t length,
                 unsigned) {
  return madvise(static_cast<char*>(extent) + offset, length, MADV_DONTNEED) != 0;
}

// Any extent may be split, and jemalloc merges only neighbours: all are
// private anonymous memory, which needs nothing for either.
bool SplitExtent(tExtentHooks*, void*, std::size_t, std::size_t, std::size_t, bool, unsigned) {
  return false;
}
bool MergeExtent(tExtentHooks*, void*, std::size_t, void*, std::size_t, bool, unsigned) {
  return false;
}

tExtentHooks hooks{AllocExtent, nullptr,     nullptr,     nullptr,    nullptr,
                   nullptr,     PurgeExtent, SplitExtent, MergeExtent};

// The arena's number, made on first use; 0 (jemalloc's first arena, which
// every thread may use) when none could be made.
unsigned SlowArena() {
  static const unsigned arena = [] {
    unsigned index = 0;
    std::size_t length = sizeof index;
    tExtentHooks* table = &hooks;
    if (mallctl("arenas.create", &index, &length, &table, sizeof table) != 0) return 0u;
    return index;
  }();
  return arena;
}

}  // namespace

void UseThreadCache() {
  if (mallctl == nullptr) return;
  bool enabled = true;
  mallctl("thread.tcache.enabled", nullptr, nullptr, &enabled, sizeof enabled);
}

void UseSlowReaderMemory() {
  if (mallctl == nullptr) return;
  unsigned arena = SlowArena();
  if (arena != 0) mallctl("thread.arena", nullptr, nullptr, &arena, sizeof arena);
}

}  // namespace orvalis
