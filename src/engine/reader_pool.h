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
// USB disc); then all readers may read, so that their waits overlap. The
// run's thread, when it must wait, sleeps until a run of files is read, not
// for each file.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

#include "engine/folder_listing.h"
#include "metadata/image_metadata.h"

namespace orvalis {

// One file in flight. The reader owns it from Submit until the read is done;
// then the run's thread owns it until Recycle.
struct tReadSlot {
  std::string path;
  std::shared_ptr<const tOpenFolder> folder;  // held until the slot is used again
  tImageMetaData store;
  std::exception_ptr error;  // what ReadJpegFile raised; the store keeps what was read before

 private:
  friend class tReaderPool;
  // The file's number in the order of submission times kStates, plus its
  // state; the number tells a reader whether the slot still holds the file
  // it took a ticket for.
  std::atomic<std::uint64_t> ticket_{0};
};

class tReaderPool {
 public:
  // A read that takes longer than this on average waits for its storage; a
  // photo in the page cache is read in some ten microseconds. Below a
  // quarter of it, reads count as fast again.
  static constexpr double kSlowReadMicroseconds = 400;

  // Up to readers threads, those beyond the cores started only when reads
  // turn out to be slow; window slots (at least readers).
  tReaderPool(int readers, std::size_t window, double slowReadMicroseconds = kSlowReadMicroseconds);
  // Drops the reads not yet begun and waits for those under way.
  ~tReaderPool();
  tReaderPool(const tReaderPool&) = delete;
  tReaderPool& operator=(const tReaderPool&) = delete;

  // True while a further file may be submitted.
  bool HasRoom() const;
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

 private:
  // A reader thread's own wake-up call.
  struct tReader {
    std::binary_semaphore wake{0};
  };

  // Starts reader threads up to count (only on the run's thread).
  void StartReaders(std::size_t count);
  void ReaderLoop();
  // The next queued file, taken for reading; null when none is queued.
  tReadSlot* TryTake();
  // The next file for a reader thread, or null when the pool closes; sleeps
  // while there is none, or while more readers than the limit are awake.
  tReadSlot* TakeFile(tReader& self);
  // Reads a taken file into its slot and marks it read, or free when it was
  // given back meanwhile.
  void Read(tReadSlot* slot);
  // Readers not asleep.
  std::size_t Awake() const;
  // Wakes sleeping readers, as many as may be awake, when at least backlog
  // files wait in the queue.
  void WakeReaders(std::uint64_t backlog);
  // Takes the time one read took into the running average and sets how many
  // readers may read at once.
  void NoteReadTime(std::chrono::steady_clock::duration took);

  std::vector<std::unique_ptr<tReadSlot>> slots_;  // file n goes to slot n % size
  std::uint64_t submitted_ = 0;                     // the run's thread's count
  std::atomic<std::uint64_t> queued_{0};            // files handed over
  std::atomic<std::uint64_t> taken_{0};             // tickets taken by readers
  std::atomic<std::size_t> threadCount_{0};
  std::atomic<std::size_t> limit_{1};               // readers awake at once
  std::uint64_t wakeBacklog_ = 1;  // queued files that wake a sleeping reader
  std::size_t fastLimit_ = 1;  // while reads do not wait: the cores
  std::size_t slowLimit_ = 1;  // while they do: all readers
  double slowRead_ = kSlowReadMicroseconds;
  std::atomic<double> averageReadMicroseconds_{0};
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
  std::vector<std::thread> threads_;
  bool startFailed_ = false;
};

// Readers for this machine: all cores decode, and several times as many
// requests as cores are in flight, so waits on slow storage overlap.
int DefaultReaderCount();
// Files in flight for a number of readers.
std::size_t ReadWindow(int readers);

}  // namespace orvalis
