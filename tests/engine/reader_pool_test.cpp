// The reader pool on its own: every submitted file is read into its own slot,
// whether reads count as fast (few readers, the waiting thread reads too) or
// as slow (all readers started); a slot given back, read or not, is used
// again for the next file without mixing the two.
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/reader_pool.h"

namespace orvalis::test {
namespace {

std::vector<std::string> SamplePhotos() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(ORVALIS_SOURCE_DIR) + "/samples"))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path().string());
  return files;
}

class ReaderPoolTest : public ::testing::TestWithParam<double> {};

// Files go through the window many times over; each read slot names its file.
TEST_P(ReaderPoolTest, EveryFileIsReadIntoItsSlot) {
  const std::vector<std::string> photos = SamplePhotos();
  ASSERT_FALSE(photos.empty());
  tReaderPool pool(8, 4, GetParam());
  std::vector<std::pair<tReadSlot*, std::string>> inFlight;
  for (int round = 0; round < 20; ++round) {
    for (const std::string& photo : photos) {
      if (!pool.HasRoom()) {
        auto [slot, path] = inFlight.front();
        inFlight.erase(inFlight.begin());
        pool.Wait(slot, inFlight.empty() ? nullptr : inFlight.back().first);
        EXPECT_EQ(slot->store.FileName(), path);
        pool.Recycle(slot);
      }
      ASSERT_TRUE(pool.HasRoom());
      inFlight.emplace_back(pool.Submit(photo, nullptr), photo);
    }
  }
  for (auto& [slot, path] : inFlight) {
    pool.Wait(slot);
    EXPECT_EQ(slot->store.FileName(), path);
    pool.Recycle(slot);
  }
}

// Slots given back before or while they are read come back free, and the
// files after them are read as ever.
TEST_P(ReaderPoolTest, GivenBackSlotsAreUsedAgain) {
  const std::vector<std::string> photos = SamplePhotos();
  tReaderPool pool(4, 8, GetParam());
  for (int round = 0; round < 50; ++round) {
    std::vector<tReadSlot*> dropped;
    while (pool.HasRoom() && dropped.size() < 6) dropped.push_back(pool.Submit(photos[dropped.size() % photos.size()], nullptr));
    for (tReadSlot* slot : dropped) pool.Recycle(slot);
    // Reads of given-back slots still under way free them when they end.
    while (!pool.HasRoom()) std::this_thread::yield();
    tReadSlot* kept = pool.Submit(photos[0], nullptr);
    pool.Wait(kept);
    EXPECT_EQ(kept->store.FileName(), photos[0]);
    pool.Recycle(kept);
    while (!pool.HasRoom()) std::this_thread::yield();
  }
}

// 400 µs: reads of cached photos count as fast; 0: every read counts as slow.
INSTANTIATE_TEST_SUITE_P(Speeds, ReaderPoolTest, ::testing::Values(tReaderPool::kSlowReadMicroseconds, 0.0),
                         [](const auto& speed) { return speed.param == 0.0 ? "Slow" : "Fast"; });

}  // namespace
}  // namespace orvalis::test
