// The reader pool on its own: every submitted file is read into its own slot,
// whether reads count as fast (few readers, the waiting thread reads too) or
// as slow (all readers started, or more and more of them); a slot given
// back, read or not, is used again for the next file without mixing the
// two; a job posted is done once, by a reader or by the thread that needs
// it. And the rule by which the readers follow the latency.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/reader_pool.h"
#include "support/test_names.h"

namespace orvalis::test {
namespace {

std::vector<std::string> SamplePhotos() {
  std::vector<std::string> files;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(ORVALIS_SOURCE_DIR) + "/samples"))
    if (entry.path().extension() == ".jpg") files.push_back(entry.path().string());
  return files;
}

struct Speed {
  const char* name;
  double slowRead;
  tGrowth growth;
};

std::string CaseText(const Speed& s) { return s.name; }
void PrintTo(const Speed& s, std::ostream* os) { *os << s.name; }

class ReaderPoolTest : public ::testing::TestWithParam<Speed> {};

// Files go through the window many times over; each read slot names its file.
TEST_P(ReaderPoolTest, EveryFileIsReadIntoItsSlot) {
  const std::vector<std::string> photos = SamplePhotos();
  ASSERT_FALSE(photos.empty());
  tReaderPool pool(8, 4, GetParam().slowRead, GetParam().growth);
  std::vector<std::pair<tReadSlot*, std::string>> inFlight;
  for (int round = 0; round < 20; ++round) {
    for (const std::string& photo : photos) {
      if (!pool.HasRoom()) {
        auto [slot, path] = inFlight.front();
        inFlight.erase(inFlight.begin());
        pool.Wait(slot, inFlight.empty() ? nullptr : inFlight.back().first);
        EXPECT_EQ(slot->Store().FileName(), path);
        pool.Recycle(slot);
      }
      ASSERT_TRUE(pool.HasRoom());
      inFlight.emplace_back(pool.Submit(photo, nullptr), photo);
    }
  }
  for (auto& [slot, path] : inFlight) {
    pool.Wait(slot);
    EXPECT_EQ(slot->Store().FileName(), path);
    pool.Recycle(slot);
  }
}

// Slots given back before or while they are read come back free, and the
// files after them are read as ever.
TEST_P(ReaderPoolTest, GivenBackSlotsAreUsedAgain) {
  const std::vector<std::string> photos = SamplePhotos();
  tReaderPool pool(4, 8, GetParam().slowRead, GetParam().growth);
  for (int round = 0; round < 50; ++round) {
    std::vector<tReadSlot*> dropped;
    while (pool.HasRoom() && dropped.size() < 6)
      dropped.push_back(pool.Submit(photos[dropped.size() % photos.size()], nullptr));
    for (tReadSlot* slot : dropped) pool.Recycle(slot);
    // Reads of given-back slots still under way free them when they end.
    while (!pool.HasRoom()) std::this_thread::yield();
    tReadSlot* kept = pool.Submit(photos[0], nullptr);
    pool.Wait(kept);
    EXPECT_EQ(kept->Store().FileName(), photos[0]);
    pool.Recycle(kept);
    while (!pool.HasRoom()) std::this_thread::yield();
  }
}

class CountingJob : public tPoolJob {
 public:
  std::atomic<int> runs{0};

 protected:
  void Run() override { ++runs; }
};

// Jobs posted between files are each done once, whether a reader or the
// thread that needs one comes to it first.
TEST_P(ReaderPoolTest, PostedJobsAreDoneOnce) {
  const std::vector<std::string> photos = SamplePhotos();
  tReaderPool pool(4, 8, GetParam().slowRead, GetParam().growth);
  std::vector<std::shared_ptr<CountingJob>> jobs;
  for (int i = 0; i < 200; ++i) {
    jobs.push_back(std::make_shared<CountingJob>());
    pool.Post(jobs.back());
    tReadSlot* slot = pool.Submit(photos[static_cast<std::size_t>(i) % photos.size()], nullptr);
    if (i % 2 == 0) jobs.back()->Finish();
    pool.Wait(slot);
    pool.Recycle(slot);
  }
  for (const auto& job : jobs) {
    job->Finish();
    EXPECT_EQ(job->runs, 1);
  }
}

// A job that waits, as a listing waits for a network share.
class WaitingJob : public tPoolJob {
 public:
  explicit WaitingJob(std::size_t requests) : requests_(requests) {}
  std::size_t Requests() const override { return requests_; }

 protected:
  void Run() override { std::this_thread::sleep_for(std::chrono::milliseconds(2)); }

 private:
  std::size_t requests_;
};

// Jobs the thread that needs them runs itself tell slow storage by their
// time per request: 2 ms for one request is slow, for a hundred it is not.
TEST(ReaderPoolJobs, TellSlowStorageByTheirTimePerRequest) {
  for (const auto& [requests, slow] : {std::pair{1, true}, std::pair{100, false}}) {
    tReaderPool pool(4, 8, 1000, tGrowth::FollowLatency);
    for (int i = 0; i < 4; ++i) {
      WaitingJob job(static_cast<std::size_t>(requests));
      pool.Finish(job);
    }
    EXPECT_EQ(pool.Slow(), slow) << requests << " requests";
  }
}

// 400 µs: reads of cached photos count as fast; 0: every read counts as slow.
INSTANTIATE_TEST_SUITE_P(
    Speeds, ReaderPoolTest,
    ::testing::Values(Speed{"fast", tReaderPool::kSlowReadMicroseconds, tGrowth::Fixed},
                      Speed{"slow", 0.0, tGrowth::Fixed},
                      Speed{"slow following the latency", 0.0, tGrowth::FollowLatency}),
    CaseNames());

// One update of the rule: the share of slow reads and the average read time
// then, and the reads ended and the time passed since the update before.
struct Spell {
  double slowShare;
  double averageMicroseconds;
  std::uint64_t reads;
  double milliseconds;
};

struct LimitCase {
  const char* name;
  tGrowth growth;
  std::vector<Spell> spells;
  std::vector<std::size_t> limits;  // after each spell
};

std::string CaseText(const LimitCase& c) { return c.name; }
void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class ReaderLimitTest : public ::testing::TestWithParam<LimitCase> {};

// Cores 1, sixteen readers when reads turn slow, at most 128.
TEST_P(ReaderLimitTest, FollowsTheReads) {
  const LimitCase& c = GetParam();
  ASSERT_EQ(c.spells.size(), c.limits.size());
  tReaderLimit rule(1, 16, 128, c.growth);
  auto now = tReaderLimit::tClock::time_point{};
  std::uint64_t reads = 0;
  for (std::size_t i = 0; i < c.spells.size(); ++i) {
    const Spell& spell = c.spells[i];
    reads += spell.reads;
    now += std::chrono::duration_cast<tReaderLimit::tClock::duration>(
        std::chrono::duration<double, std::milli>(spell.milliseconds));
    EXPECT_EQ(rule.Update(spell.slowShare, spell.averageMicroseconds, reads, now), c.limits[i])
        << "spell " << i;
  }
}

constexpr tGrowth kFollow = tGrowth::FollowLatency;

INSTANTIATE_TEST_SUITE_P(
    Table, ReaderLimitTest,
    // clang-format off
    ::testing::Values(
        LimitCase{"fast reads keep the cores", kFollow, {{0, 100, 500, 10}, {0.4, 390, 500, 10}}, {1, 1}},
        LimitCase{"a few long reads among fast ones keep the cores", kFollow, {{0.4, 3000, 500, 10}}, {1}},
        LimitCase{"a fixed number does not grow", tGrowth::Fixed,
                  {{1, 2000, 0, 0}, {1, 2000, 80, 10}, {1, 2000, 160, 10}}, {16, 16, 16}},
        LimitCase{"rising throughput doubles up to the bound", kFollow,
                  {{1, 2000, 0, 0}, {1, 2000, 80, 10}, {1, 2000, 160, 10}, {1, 2000, 320, 10}, {1, 2000, 640, 10},
                   {1, 2000, 1280, 10}},
                  {16, 32, 64, 128, 128, 128}},
        LimitCase{"two flat spells hold", kFollow,
                  {{1, 2000, 0, 0}, {1, 2000, 80, 10}, {1, 2000, 85, 10}, {1, 2000, 80, 10}, {1, 2000, 400, 10}},
                  {16, 32, 32, 32, 32}},
        LimitCase{"one flat spell does not hold", kFollow,
                  {{1, 2000, 0, 0}, {1, 2000, 80, 10}, {1, 2000, 80, 10}, {1, 2000, 160, 10}}, {16, 32, 32, 64}},
        LimitCase{"a short spell measures nothing", kFollow,
                  {{1, 2000, 0, 0}, {1, 2000, 80, 0.5}, {1, 2000, 4, 3}, {1, 2000, 80, 10}}, {16, 16, 16, 32}},
        LimitCase{"fast reads again go back to the cores", kFollow,
                  {{1, 2000, 0, 0}, {1, 2000, 80, 10}, {0.1, 90, 5000, 10}, {0.6, 500, 80, 10}}, {16, 32, 1, 16}}),
    // clang-format on
    CaseNames());

}  // namespace
}  // namespace orvalis::test
