// Reader threads of a query run: they open, read and decode the files the
// walk hands them, each into a store of its own, while the run's thread
// evaluates the files before them. At most a window of files is in flight;
// a store is touched by one thread at a time and handed over whole.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "metadata/image_metadata.h"

namespace orvalis {

// One file in flight. The reader owns it from Submit until the read is done;
// then the run's thread owns it until Recycle.
struct tReadSlot {
  std::string path;
  tImageMetaData store;
  std::exception_ptr error;  // what ReadJpegFile raised; the store keeps what was read before

 private:
  friend class tReaderPool;
  enum class tState { Free, Queued, Reading, Done };
  tState state_ = tState::Free;
  bool dropped_ = false;  // given back while its read was under way
};

class tReaderPool {
 public:
  // readers threads; window slots at most (at least readers).
  tReaderPool(int readers, std::size_t window);
  // Drops the reads not yet begun and waits for those under way.
  ~tReaderPool();
  tReaderPool(const tReaderPool&) = delete;
  tReaderPool& operator=(const tReaderPool&) = delete;

  // True while a further file may be submitted.
  bool HasRoom() const;
  // Queues a file for reading (only while HasRoom).
  tReadSlot* Submit(const std::string& path);
  // Waits until the slot's file is read; the slot then belongs to the caller.
  void Wait(tReadSlot* slot);
  // Gives a slot back, read or not: a read not yet begun is never begun, one
  // under way is thrown away when it ends.
  void Recycle(tReadSlot* slot);

 private:
  using tState = tReadSlot::tState;

  void ReaderLoop();

  const std::size_t window_;
  mutable std::mutex mutex_;
  std::condition_variable work_;  // readers wait for queued files
  std::condition_variable done_;  // the run's thread waits for a read
  std::vector<std::unique_ptr<tReadSlot>> slots_;
  std::vector<tReadSlot*> free_;
  std::deque<tReadSlot*> queue_;
  tReadSlot* waitingFor_ = nullptr;  // the slot Wait is waiting for
  bool closing_ = false;
  std::vector<std::thread> threads_;
};

// Readers for this machine: all cores decode, and several times as many
// requests as cores are in flight, so waits on slow storage overlap.
int DefaultReaderCount();
// Files in flight for a number of readers.
std::size_t ReadWindow(int readers);

}  // namespace orvalis
