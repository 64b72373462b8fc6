// Memory taken by a reader for slow storage: blocks of every size, from a
// few bytes to more than the arena's region, keep what was written to them
// and may be given back on another thread, as the run's thread gives back
// the stores readers filled. Where the program allocates through jemalloc
// (this test program does), this runs through the arena's own hooks.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/slow_reader_memory.h"

namespace orvalis::test {
namespace {

struct Block {
  std::unique_ptr<unsigned char[]> bytes;
  std::size_t size;
  unsigned char mark;
};

// The first and last page of each block are written and checked; the
// largest blocks are not touched whole.
void Mark(Block& b) {
  const std::size_t edge = std::min<std::size_t>(b.size, 4096);
  std::memset(b.bytes.get(), b.mark, edge);
  std::memset(b.bytes.get() + b.size - edge, b.mark, edge);
}

bool Marked(const Block& b) {
  const std::size_t edge = std::min<std::size_t>(b.size, 4096);
  for (std::size_t i = 0; i < edge; ++i)
    if (b.bytes[i] != b.mark || b.bytes[b.size - 1 - i] != b.mark) return false;
  return true;
}

TEST(SlowReaderMemory, BlocksKeepTheirBytesAndGoBackOnAnyThread) {
  // Small, a read block, past a huge page, past the 256 MiB region.
  const std::size_t sizes[] = {24, 3000, 64 * 1024, 3 * 1024 * 1024, std::size_t{300} << 20};
  std::vector<Block> kept;
  unsigned char mark = 0;  // each block its own, so that overlaps show
  for (int reader = 0; reader < 2; ++reader) {
    std::thread([&] {
      UseSlowReaderMemory();
      for (int round = 0; round < 50; ++round) {
        for (const std::size_t size : sizes) {
          // The large ones once, and given back at once.
          const bool large = size > (std::size_t{1} << 20);
          if (large && round != 0) continue;
          Block b{std::make_unique_for_overwrite<unsigned char[]>(size), size, ++mark};
          Mark(b);
          // Every other small block is given back here, the rest on the
          // test's thread.
          if (large || round % 2 == 1)
            EXPECT_TRUE(Marked(b)) << size << " bytes";
          else
            kept.push_back(std::move(b));
        }
      }
    }).join();
  }
  for (const Block& b : kept) EXPECT_TRUE(Marked(b)) << b.size << " bytes";
}

}  // namespace
}  // namespace orvalis::test
