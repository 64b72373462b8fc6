#include "engine/reader_pool.h"

#include <algorithm>

namespace orvalis {

int DefaultReaderCount() {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  // A reader waiting for the disc or the network costs no core; 16 readers
  // keep a share that answers in a millisecond about 16 requests deep.
  return static_cast<int>(std::clamp(4u * cores, 16u, 64u));
}

std::size_t ReadWindow(int readers) { return 2 * static_cast<std::size_t>(std::max(readers, 1)); }

tReaderPool::tReaderPool(int readers, std::size_t window)
    : window_(std::max(window, static_cast<std::size_t>(std::max(readers, 1)))) {
  slots_.reserve(window_);
  threads_.reserve(static_cast<std::size_t>(std::max(readers, 1)));
  try {
    for (int i = 0; i < std::max(readers, 1); ++i) threads_.emplace_back([this] { ReaderLoop(); });
  } catch (...) {
    // A machine out of threads still reads with the readers it got; none
    // at all is a failure of the run.
    if (threads_.empty()) throw;
  }
}

tReaderPool::~tReaderPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
    queue_.clear();
  }
  work_.notify_all();
  for (std::thread& t : threads_) t.join();
}

bool tReaderPool::HasRoom() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return !free_.empty() || slots_.size() < window_;
}

tReadSlot* tReaderPool::Submit(const std::string& path) {
  tReadSlot* slot = nullptr;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!free_.empty()) {
      slot = free_.back();
      free_.pop_back();
    } else {
      slots_.push_back(std::make_unique<tReadSlot>());
      slot = slots_.back().get();
      slot->store.MergeIptcLists = 1;
    }
    slot->path = path;
    slot->error = nullptr;
    slot->state_ = tState::Queued;
    slot->dropped_ = false;
    queue_.push_back(slot);
  }
  work_.notify_one();
  return slot;
}

void tReaderPool::Wait(tReadSlot* slot) {
  std::unique_lock<std::mutex> lock(mutex_);
  waitingFor_ = slot;
  done_.wait(lock, [slot] { return slot->state_ == tState::Done; });
  waitingFor_ = nullptr;
}

void tReaderPool::Recycle(tReadSlot* slot) {
  std::lock_guard<std::mutex> lock(mutex_);
  switch (slot->state_) {
    case tState::Queued:
      queue_.erase(std::find(queue_.begin(), queue_.end(), slot));
      slot->state_ = tState::Free;
      free_.push_back(slot);
      break;
    case tState::Reading:
      slot->dropped_ = true;  // the reader frees it when done
      break;
    case tState::Done:
      slot->state_ = tState::Free;
      free_.push_back(slot);
      break;
    case tState::Free:
      break;
  }
}

void tReaderPool::ReaderLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return closing_ || !queue_.empty(); });
    if (closing_) return;
    tReadSlot* slot = queue_.front();
    queue_.pop_front();
    slot->state_ = tState::Reading;
    lock.unlock();
    slot->store.Clear();
    try {
      slot->store.ReadJpegFile(slot->path);
    } catch (...) {
      slot->error = std::current_exception();
    }
    lock.lock();
    if (slot->dropped_) {
      slot->state_ = tState::Free;
      free_.push_back(slot);
    } else {
      slot->state_ = tState::Done;
      // Only the read the run waits for wakes it.
      if (slot == waitingFor_) done_.notify_one();
    }
  }
}

}  // namespace orvalis
