// Memory taken by a reader for slow storage keeps what was written to it and
// may be given back on another thread, as the run's thread gives back the
// stores readers filled. This test program allocates through jemalloc, as
// the programs do, so the blocks come through the arena's own hooks.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/slow_reader_memory.h"

extern "C" int mallctl(const char*, void*, std::size_t*, void*, std::size_t) __attribute__((weak));

namespace orvalis::test {
namespace {

// The main thread, which runs the queries, keeps a cache of freed blocks;
// other threads only once they ask for one.
TEST(SlowReaderMemory, OnlyTheThreadsThatAskKeepACacheOfFreedBlocks) {
  if (mallctl == nullptr) GTEST_SKIP() << "built without jemalloc";
  const auto cacheOn = [] {
    bool on = false;
    std::size_t length = sizeof on;
    mallctl("thread.tcache.enabled", &on, &length, nullptr, 0);
    return on;
  };
  EXPECT_TRUE(cacheOn());
  std::thread([&] {
    EXPECT_FALSE(cacheOn());
    UseThreadCache();
    EXPECT_TRUE(cacheOn());
  }).join();
}

TEST(SlowReaderMemory, BlocksKeepTheirBytesAndGoBackOnAnyThread) {
  // Small, a read block, past a huge page, past the arena's 256 MiB region
  // (only its first page written).
  const std::size_t sizes[] = {24, 3000, 64 * 1024, 3 << 20, std::size_t{300} << 20};
  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size;
    char mark;  // each block its own, so that blocks that overlap show
  };
  std::vector<Block> kept;
  char mark = 0;
  std::thread([&] {
    UseSlowReaderMemory();
    for (int round = 0; round < 40; ++round) {
      for (const std::size_t size : sizes) {
        if (size > (1 << 20) && round > 1) continue;
        auto block = std::make_unique_for_overwrite<char[]>(size);
        const std::size_t written = std::min<std::size_t>(size, 4096);
        std::memset(block.get(), ++mark, written);
        // Every other one is given back here, at once.
        if (round % 2 == 0) kept.push_back({std::move(block), size, mark});
      }
    }
  }).join();
  for (const Block& b : kept) {
    const std::size_t written = std::min<std::size_t>(b.size, 4096);
    EXPECT_EQ(std::vector<char>(b.bytes.get(), b.bytes.get() + written),
              std::vector<char>(written, b.mark))
        << b.size << " bytes";
  }
}

}  // namespace
}  // namespace orvalis::test
