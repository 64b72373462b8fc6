// Reader threads of a query run: they open, read and decode the files the
// walk hands them, each into a store of its own, while the run's thread
// evaluates the files before them. At most a window of files is in flight;
// a store is touched by one thread at a time and handed over whole.
//
// A thread switch costs more than reading a photo from the page cache, so
// the pool avoids them. Files go through a ring of slots whose states are
// atomic: handing a file over, taking it and finding it read need no lock
// and no system call. Only as many readers read at once as the machine has
// cores, until reads turn out to wait for their storage (a network share, a
// USB disc); then more readers read, so that their waits overlap: a fixed
// number, or, when the pool follows the latency, more and more while the
// files read per second still rise, up to its bound. Threads are started
// only when they are let read, each by the one started before it, and the
// readers for slow storage take their memory in huge pages
// (slow_reader_memory.h). The run's thread, when it must wait, sleeps until
// a run of files is read, not for each file.
//
// Besides files the readers do jobs posted to the pool (the walk lists the
// folders to come this way); a job goes before the files queued, and its
// time per request counts as a read's, wherever it ran: the listings of the
// first folders tell slow storage before their files are read.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <semaphore>
#include <string>
#include <vector>

#include "engine/folder_listing.h"
#include "metadata/image_metadata.h"

namespace orvalis {

// One file in flight. The reader owns it from Submit until the read is done;
// then the run's thread owns it until Recycle.
struct tReadSlot {
  std::string path;
  std::shared_ptr<const tOpenFolder> folder;  // held until the slot is used again
  std::exception_ptr error;  // what ReadJpegFile raised; the store keeps what was read before
  // The store the file is read into, lent to the slot from Submit until the
  // slot is free again. The pool lends the stores used last first, so that
  // only as many stores take memory as files are in flight.
  tImageMetaData& Store() { return *store_; }

 private:
  friend class tReaderPool;
  tImageMetaData* store_ = nullptr;
  // The file's number in the order of submission times kStates, plus its
  // state; the number tells a reader whether the slot still holds the file
  // it took a ticket for.
  std::atomic<std::uint64_t> ticket_{0};
};

// Work besides a file's read: run once, by the first reader free or by the
// thread that needs its outcome before a reader came to it.
class tPoolJob {
 public:
  virtual ~tPoolJob() = default;
  // Runs the job here unless it has begun elsewhere; returns when it is
  // done, true when it ran here.
  bool Finish();
  bool Done() const { return state_.load() == kEnded; }
  // A job not yet begun is never begun (and never done).
  void Cancel();
  // The requests to the storage the job made, once done: a job that made
  // many is not slow for taking long.
  virtual std::size_t Requests() const { return 1; }

 protected:
  virtual void Run() = 0;

 private:
  friend class tReaderPool;
  static constexpr int kPosted = 0, kRunning = 1, kEnded = 2, kCancelled = 3;
  // Runs the job unless someone else began it; true when it ran here.
  bool RunOnce();
  std::atomic<int> state_{kPosted};
  std::mutex mutex_;
  std::condition_variable ended_;
};

// How the number of readers reading at once follows slow reads.
enum class tGrowth {
  Fixed,          // all readers, at once
  FollowLatency,  // from kFirstSlowReaders on, doubled while throughput rises
};

// How many readers may read at once, from the share of recent reads that
// were slow, the average time a read takes and the reads ended so far.
// While reads are fast: fast; once half the reads are slow: slowStart, and,
// following the latency, doubled after each spell of reads faster than the
// spell before by kRiseNeeded, up to most; two spells in a row without a
// rise hold it. Back to fast when fewer than an eighth are slow. A share, not
// the average time, tells slow storage: on a busy machine a read of a cached
// photo now and then waits for a core, and one such wait would lift the
// average. Not thread-safe: the pool asks it under a lock.
class tReaderLimit {
 public:
  using tClock = std::chrono::steady_clock;
  static constexpr double kRiseNeeded = 1.1;
  // A spell lasts this many average reads, at least kShortestSpell, and
  // takes in at least half as many reads as readers may read.
  static constexpr double kSpellReads = 2;
  static constexpr tClock::duration kShortestSpell = std::chrono::milliseconds(1);
  static constexpr int kFlatSpellsToHold = 2;

  static constexpr double kSlowShare = 0.5;

  tReaderLimit(std::size_t fast, std::size_t slowStart, std::size_t most, tGrowth growth);
  // Takes in the state after a read ended at now; returns the limit.
  std::size_t Update(double slowShare, double averageMicroseconds, std::uint64_t readsEnded,
                     tClock::time_point now);
  std::size_t Limit() const { return limit_; }
  bool Slow() const { return slow_; }

 private:
  std::size_t fast_, slowStart_, most_;
  tGrowth growth_;
  std::size_t limit_;
  bool slow_ = false;
  tClock::time_point spellStart_;
  std::uint64_t readAtSpellStart_ = 0;
  double lastRate_ = 0;  // files per second in the last spell
  int flatSpells_ = 0;   // spells in a row without a rise
};

class tReaderPool {
 public:
  // A read that takes longer than this waited for its storage; a photo in
  // the page cache is read in some ten microseconds. How many such reads
  // make the storage slow is tReaderLimit's rule.
  static constexpr double kSlowReadMicroseconds = 400;

  // Readers let read at once when reads turn slow and the pool follows the
  // latency.
  static constexpr std::size_t kFirstSlowReaders = 32;

  // Up to readers threads, those beyond the cores started only when reads
  // turn out to be slow; window slots (at least readers). Following the
  // latency, only twice as many files as readers may read at once are in
  // flight (at least kSmallestWindow), so that a slot's store takes memory
  // only when the readers need it.
  tReaderPool(int readers, std::size_t window, double slowReadMicroseconds = kSlowReadMicroseconds,
              tGrowth growth = tGrowth::Fixed);
  // Drops the reads not yet begun and waits for those under way.
  ~tReaderPool();
  tReaderPool(const tReaderPool&) = delete;
  tReaderPool& operator=(const tReaderPool&) = delete;

  static constexpr std::size_t kSmallestWindow = 32;

  // True while a further file may be submitted.
  bool HasRoom() const;
  // Files in flight at most now.
  std::size_t Window() const;
  // Queues a file for reading (only while HasRoom).
  tReadSlot* Submit(const std::string& path, std::shared_ptr<const tOpenFolder> folder);
  // Waits until the slot's file is read; the slot then belongs to the caller.
  // When the read is still to come, the wait lasts until later (a slot
  // submitted after it, or none) is read as well.
  void Wait(tReadSlot* slot, tReadSlot* later = nullptr);
  // Gives a slot back, read or not: a read not yet begun is never begun, one
  // under way is thrown away when it ends.
  void Recycle(tReadSlot* slot);
  // From now on readers also parse each file's XMP packet (ReadXmpEntries).
  void ReadXmpToo() { readXmp_ = true; }
  // Queues a job; a reader does it before the next file. The pool may go
  // before the job is done: whoever needs it then calls Finish.
  void Post(std::shared_ptr<tPoolJob> job);
  // The job's Finish, here; when it ran here its time counts like a read's.
  void Finish(tPoolJob& job);
  // True while reads wait for their storage.
  bool Slow() const { return slow_; }

 private:
  // A reader thread's own wake-up call.
  struct tReader {
    std::binary_semaphore wake{0};
  };

  // Starts reader threads up to count, waiting for a start under way.
  void StartReaders(std::size_t count);
  // Starts one reader when fewer run than may read; a reader started so
  // starts the next. Without wait, returns at once while a start is under
  // way.
  void StartMoreReaders(bool wait);
  // Under startMutex_: starts a reader thread; false when none can start.
  bool StartOneReader();
  void ReaderLoop();
  // Runs the jobs posted, oldest first, until none is left.
  void RunJobs();
  // The next queued file, taken for reading; null when none is queued.
  tReadSlot* TryTake();
  // The next file for a reader thread, or null when the pool closes; does
  // the jobs posted meanwhile, and sleeps while there is neither job nor
  // file, or while more readers than the limit are awake.
  tReadSlot* TakeFile(tReader& self);
  // Reads a taken file into its slot and marks it read, or free when it was
  // given back meanwhile.
  void Read(tReadSlot* slot);
  // Readers not asleep.
  std::size_t Awake() const;
  // A store for a slot, and back (any thread).
  tImageMetaData* LendStore();
  void ReturnStore(tReadSlot* slot);
  // Wakes sleeping readers, as many as may be awake, when at least backlog
  // files wait in the queue.
  void WakeReaders(std::uint64_t backlog);
  // Takes the time one read took into the running average and sets how many
  // readers may read at once.
  void NoteReadTime(std::chrono::steady_clock::duration took);
  // The same for a job done, by its time per request.
  void NoteJobTime(const tPoolJob& job, std::chrono::steady_clock::duration took);

  std::vector<std::unique_ptr<tReadSlot>> slots_;        // file n goes to slot n % size
  std::vector<std::unique_ptr<tImageMetaData>> stores_;  // one a slot
  std::mutex storesMutex_;
  std::vector<tImageMetaData*> freeStores_;  // the one given back last on top
  std::uint64_t submitted_ = 0;              // the run's thread's count
  std::uint64_t recycled_ = 0;               // its slots given back
  bool windowFollowsLimit_ = false;
  std::atomic<std::uint64_t> queued_{0};  // files handed over
  std::atomic<std::uint64_t> taken_{0};   // tickets taken by readers
  std::atomic<std::uint64_t> read_{0};    // reads ended
  std::atomic<std::size_t> threadCount_{0};
  std::atomic<std::size_t> limit_{1};  // readers awake at once
  std::atomic<bool> slow_{false};      // reads wait for their storage
  std::uint64_t wakeBacklog_ = 1;      // queued files that wake a sleeping reader
  double slowRead_ = kSlowReadMicroseconds;
  std::atomic<double> averageReadMicroseconds_{0};
  std::atomic<double> slowShare_{0};  // of the recent reads, those slow
  std::mutex limitMutex_;
  std::unique_ptr<tReaderLimit> rule_;  // under limitMutex_
  std::atomic<bool> closing_{false};
  std::atomic<bool> readXmp_{false};

  // Sleeping and waking only. Readers without work wait on a stack, the
  // last one to sleep on top.
  std::mutex idleMutex_;
  std::vector<tReader*> idle_;
  std::atomic<std::size_t> sleeping_{0};
  // The run's thread waiting for a read.
  std::mutex doneMutex_;
  std::condition_variable done_;
  std::atomic<tReadSlot*> waitingFor_{nullptr};
  // Jobs posted, not yet taken.
  std::mutex jobsMutex_;
  std::deque<std::shared_ptr<tPoolJob>> jobs_;
  std::atomic<std::size_t> jobsQueued_{0};
  // Starting threads; any thread may start more while the pool is open.
  std::mutex startMutex_;
  std::vector<pthread_t> threads_;
  bool startFailed_ = false;
};

// The bound of the readers when the pool follows the latency: a share that
// answers in a millisecond keeps up to this many requests in flight.
int DefaultReaderCount();
// Files in flight for a number of readers.
std::size_t ReadWindow(int readers);

}  // namespace orvalis
