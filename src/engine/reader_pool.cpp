#include "engine/reader_pool.h"

#include <pthread.h>

#include <algorithm>
#include <system_error>
#include <thread>

#include "engine/slow_reader_memory.h"

namespace orvalis {

namespace {

// A slot's states; a ticket is the file's number times kStates plus one.
constexpr std::uint64_t kStates = 8;
constexpr std::uint64_t kFree = 0;
constexpr std::uint64_t kQueued = 1;
constexpr std::uint64_t kReading = 2;
constexpr std::uint64_t kDone = 3;
constexpr std::uint64_t kDropped = 4;  // given back while its read was under way

std::uint64_t StateOf(const std::atomic<std::uint64_t>& ticket) { return ticket.load() % kStates; }

// Weight of the newest read in the running average of the read time, and in
// the share of slow reads (there heavier, so that three slow reads in a row
// from the start tell slow storage).
constexpr double kReadTimeWeight = 1.0 / 8;
constexpr double kSlowShareWeight = 1.0 / 4;

std::size_t Cores() { return std::max(1u, std::thread::hardware_concurrency()); }

// The bound of a pool that follows the latency. A reader waiting for the
// network costs no core; with two requests per photo and a millisecond
// each, 128 readers keep up with a run's thread that evaluates a photo in
// some 30 microseconds.
constexpr int kMaxDefaultReaders = 128;

// A reader's stack: its deepest work is decoding one file's metadata, which
// needs a few kilobytes. A small stack makes starting and ending a thread
// cheaper (some 0.1 ms each on a virtual machine, and a pool on slow
// storage starts a hundred). Sanitizers need the default stack.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr std::size_t kReaderStack = 0;
#else
constexpr std::size_t kReaderStack = 256 * 1024;
#endif

}  // namespace

tReaderLimit::tReaderLimit(std::size_t fast, std::size_t slowStart, std::size_t most,
                           tGrowth growth)
    : fast_(fast), slowStart_(slowStart), most_(most), growth_(growth), limit_(fast) {}

std::size_t tReaderLimit::Update(double slowShare, double averageMicroseconds,
                                 std::uint64_t readsEnded, tClock::time_point now) {
  if (!slow_) {
    if (slowShare < kSlowShare) return limit_;
    slow_ = true;
    limit_ = slowStart_;
    spellStart_ = now;
    readAtSpellStart_ = readsEnded;
    lastRate_ = 0;
    flatSpells_ = 0;
    return limit_;
  }
  if (slowShare < kSlowShare / 4) {
    slow_ = false;
    limit_ = fast_;
    return limit_;
  }
  if (growth_ != tGrowth::FollowLatency || limit_ >= most_ || flatSpells_ >= kFlatSpellsToHold)
    return limit_;
  const auto spell = now - spellStart_;
  const double seconds = std::chrono::duration<double>(spell).count();
  const std::uint64_t reads = readsEnded - readAtSpellStart_;
  if (spell < kShortestSpell || seconds * 1e6 < kSpellReads * averageMicroseconds ||
      reads < limit_ / 2)
    return limit_;
  const double rate = static_cast<double>(reads) / seconds;
  spellStart_ = now;
  readAtSpellStart_ = readsEnded;
  if (rate < lastRate_ * kRiseNeeded) {
    // The storage, or the run's thread, takes no more: the readers stay.
    ++flatSpells_;
    return limit_;
  }
  flatSpells_ = 0;
  lastRate_ = rate;
  limit_ = std::min(2 * limit_, most_);
  return limit_;
}

bool tPoolJob::RunOnce() {
  int posted = kPosted;
  if (!state_.compare_exchange_strong(posted, kRunning)) return false;
  Run();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    state_ = kEnded;
  }
  ended_.notify_all();
  return true;
}

bool tPoolJob::Finish() {
  if (RunOnce()) return true;
  std::unique_lock<std::mutex> lock(mutex_);
  ended_.wait(lock, [this] { return state_.load() != kRunning; });
  return false;
}

void tPoolJob::Cancel() {
  int posted = kPosted;
  state_.compare_exchange_strong(posted, kCancelled);
}

int DefaultReaderCount() { return kMaxDefaultReaders; }

std::size_t ReadWindow(int readers) { return 2 * static_cast<std::size_t>(std::max(readers, 1)); }

tReaderPool::tReaderPool(int readers, std::size_t window, double slowReadMicroseconds,
                         tGrowth growth)
    : slowRead_(slowReadMicroseconds) {
  const auto count = static_cast<std::size_t>(std::max(readers, 1));
  slots_.resize(std::max(window, count));
  stores_.resize(slots_.size());
  freeStores_.reserve(slots_.size());
  for (std::size_t i = 0; i < slots_.size(); ++i) {
    slots_[i] = std::make_unique<tReadSlot>();
    stores_[i] = std::make_unique<tImageMetaData>();
    stores_[i]->MergeIptcLists = 1;
    stores_[i]->KeepThumbnail = false;
    freeStores_.push_back(stores_[i].get());
  }
  wakeBacklog_ = std::max<std::size_t>(1, slots_.size() / 4);
  // While reads are fast the run's thread reads too, so one core fewer.
  const std::size_t fast = std::clamp<std::size_t>(Cores() - 1, 1, count);
  rule_ = std::make_unique<tReaderLimit>(
      fast, growth == tGrowth::Fixed ? count : std::clamp(kFirstSlowReaders, fast, count), count,
      growth);
  limit_ = fast;
  windowFollowsLimit_ = growth == tGrowth::FollowLatency;
  threads_.reserve(count);
  idle_.reserve(count);
  // The readers beyond the cores start when reads turn out to be slow.
  StartReaders(fast);
  // None at all is a failure of the run.
  if (threads_.empty())
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}

void tReaderPool::StartReaders(std::size_t count) {
  const std::lock_guard<std::mutex> lock(startMutex_);
  while (threads_.size() < count && StartOneReader()) {
  }
}

void tReaderPool::StartMoreReaders(bool wait) {
  if (threadCount_ >= limit_) return;
  std::unique_lock<std::mutex> lock(startMutex_, std::defer_lock);
  if (wait)
    lock.lock();
  else if (!lock.try_lock())
    return;  // a start is under way, and its reader goes on with the chain
  if (threads_.size() < limit_) StartOneReader();
}

bool tReaderPool::StartOneReader() {
  if (startFailed_ || closing_) return false;
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  if (kReaderStack != 0) pthread_attr_setstacksize(&attributes, kReaderStack);
  ++threadCount_;
  pthread_t thread;
  const int failed = pthread_create(
      &thread, &attributes,
      [](void* pool) -> void* {
        static_cast<tReaderPool*>(pool)->ReaderLoop();
        return nullptr;
      },
      this);
  pthread_attr_destroy(&attributes);
  if (failed != 0) {
    // A machine out of threads reads with the readers it got.
    --threadCount_;
    startFailed_ = true;
    return false;
  }
  threads_.push_back(thread);
  return true;
}

tReaderPool::~tReaderPool() {
  closing_ = true;
  // A start under way ends; none begins after it, so threads_ stays as it is.
  { const std::lock_guard<std::mutex> startLock(startMutex_); }
  {
    const std::lock_guard<std::mutex> lock(idleMutex_);
    for (tReader* reader : idle_) reader->wake.release();
    idle_.clear();
    sleeping_ = 0;
  }
  for (pthread_t thread : threads_) pthread_join(thread, nullptr);
}

std::size_t tReaderPool::Window() const {
  if (!windowFollowsLimit_) return slots_.size();
  return std::clamp(2 * limit_.load(), std::min(kSmallestWindow, slots_.size()), slots_.size());
}

bool tReaderPool::HasRoom() const {
  return submitted_ - recycled_ < Window() &&
         StateOf(slots_[submitted_ % slots_.size()]->ticket_) == kFree;
}

tReadSlot* tReaderPool::Submit(const std::string& path, std::shared_ptr<const tOpenFolder> folder) {
  const std::uint64_t number = submitted_++;
  tReadSlot* slot = slots_[number % slots_.size()].get();
  slot->path = path;
  slot->folder = std::move(folder);
  slot->error = nullptr;
  slot->store_ = LendStore();
  slot->ticket_ = number * kStates + kQueued;
  queued_ = number + 1;
  StartMoreReaders(false);
  // A reader awake goes on with the queue without being woken; sleeping
  // ones are woken for a run of files, not for each, while reads are fast.
  WakeReaders(slow_ ? 1 : wakeBacklog_);
  return slot;
}

tImageMetaData* tReaderPool::LendStore() {
  const std::lock_guard<std::mutex> lock(storesMutex_);
  // As many stores as slots, and a slot holds one only while not free.
  tImageMetaData* store = freeStores_.back();
  freeStores_.pop_back();
  return store;
}

void tReaderPool::ReturnStore(tReadSlot* slot) {
  const std::lock_guard<std::mutex> lock(storesMutex_);
  freeStores_.push_back(slot->store_);
  slot->store_ = nullptr;
}

void tReaderPool::Post(std::shared_ptr<tPoolJob> job) {
  {
    const std::lock_guard<std::mutex> lock(jobsMutex_);
    jobs_.push_back(std::move(job));
  }
  ++jobsQueued_;
  // One sleeping reader wakes for it, whatever the limit: a job is short.
  if (sleeping_ == 0) return;
  const std::lock_guard<std::mutex> lock(idleMutex_);
  if (idle_.empty()) return;
  idle_.back()->wake.release();
  idle_.pop_back();
  --sleeping_;
}

void tReaderPool::RunJobs() {
  while (jobsQueued_ > 0) {
    std::shared_ptr<tPoolJob> job;
    {
      const std::lock_guard<std::mutex> lock(jobsMutex_);
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      --jobsQueued_;
    }
    const auto start = std::chrono::steady_clock::now();
    if (job->RunOnce()) NoteJobTime(*job, std::chrono::steady_clock::now() - start);
  }
}

void tReaderPool::Finish(tPoolJob& job) {
  const auto start = std::chrono::steady_clock::now();
  if (job.Finish()) NoteJobTime(job, std::chrono::steady_clock::now() - start);
}

void tReaderPool::NoteJobTime(const tPoolJob& job, std::chrono::steady_clock::duration took) {
  NoteReadTime(took / static_cast<long>(std::max<std::size_t>(1, job.Requests())));
}

void tReaderPool::Wait(tReadSlot* slot, tReadSlot* later) {
  // While reads are fast, the run's thread reads the queued files itself
  // rather than sleep: the file it needs next, or one soon after it.
  while (StateOf(slot->ticket_) != kDone && !slow_) {
    tReadSlot* file = TryTake();
    if (file == nullptr) break;
    Read(file);
  }
  if (StateOf(slot->ticket_) == kDone) return;
  const auto inFlight = [](const tReadSlot* s) {
    const std::uint64_t state = StateOf(s->ticket_);
    return state == kQueued || state == kReading;
  };
  tReadSlot* target = later != nullptr && inFlight(later) ? later : slot;
  StartMoreReaders(false);
  WakeReaders(1);  // the files waited for may lie in the queue yet
  std::unique_lock<std::mutex> lock(doneMutex_);
  for (;;) {
    waitingFor_ = target;
    done_.wait(lock, [target] { return StateOf(target->ticket_) == kDone; });
    if (StateOf(slot->ticket_) == kDone) break;
    target = slot;  // the later file was read first
  }
  waitingFor_ = nullptr;
}

void tReaderPool::Recycle(tReadSlot* slot) {
  ++recycled_;
  std::uint64_t ticket = slot->ticket_;
  for (;;) {
    const std::uint64_t base = ticket - ticket % kStates;
    switch (ticket % kStates) {
      case kQueued:
      case kDone:
        // A file not yet taken is never read: the reader holding its ticket
        // finds the slot changed.
        if (slot->ticket_.compare_exchange_weak(ticket, base + kFree)) {
          ReturnStore(slot);
          return;
        }
        break;
      case kReading:
        // The reader frees the slot when its read ends.
        if (slot->ticket_.compare_exchange_weak(ticket, base + kDropped)) return;
        break;
      default: return;
    }
  }
}

void tReaderPool::WakeReaders(std::uint64_t backlog) {
  if (sleeping_ == 0) return;
  const std::uint64_t queued = queued_ - std::min(taken_.load(), queued_.load());
  if (queued < backlog) return;
  // The reader that went to sleep last is woken first: its caches are warm,
  // and the others sleep on undisturbed.
  const std::lock_guard<std::mutex> lock(idleMutex_);
  for (std::uint64_t woken = 0; woken < queued && !idle_.empty() && Awake() < limit_; ++woken) {
    idle_.back()->wake.release();
    idle_.pop_back();
    --sleeping_;
  }
}

std::size_t tReaderPool::Awake() const {
  return threadCount_ - std::min(sleeping_.load(), threadCount_.load());
}

tReadSlot* tReaderPool::TryTake() {
  for (;;) {
    std::uint64_t number = taken_;
    if (number >= queued_) return nullptr;
    if (!taken_.compare_exchange_weak(number, number + 1)) continue;
    tReadSlot* slot = slots_[number % slots_.size()].get();
    std::uint64_t expected = number * kStates + kQueued;
    if (slot->ticket_.compare_exchange_strong(expected, number * kStates + kReading)) return slot;
    // Given back before its read began: on to the next.
  }
}

tReadSlot* tReaderPool::TakeFile(tReader& self) {
  for (;;) {
    if (closing_) return nullptr;
    RunJobs();
    // Beyond the limit a reader goes to sleep even with files queued.
    if (Awake() <= limit_) {
      if (tReadSlot* slot = TryTake()) return slot;
    }
    {
      const std::lock_guard<std::mutex> lock(idleMutex_);
      // Counted as sleeping before the last look at the queue: a file
      // queued after that look finds the reader on the stack and wakes it.
      idle_.push_back(&self);
      ++sleeping_;
      // The last reader awake stays awake while files wait; none sleeps
      // while a job waits.
      if (closing_ || jobsQueued_ > 0 || (taken_ < queued_ && Awake() < limit_)) {
        idle_.pop_back();
        --sleeping_;
        continue;
      }
    }
    self.wake.acquire();
  }
}

void tReaderPool::Read(tReadSlot* slot) {
  const auto start = std::chrono::steady_clock::now();
  tImageMetaData& store = slot->Store();
  store.Clear();
  try {
    store.ReadJpegFile(slot->path, slot->folder ? slot->folder->Fd() : -1);
    if (readXmp_) store.ReadXmpEntries();
  } catch (...) {
    slot->error = std::current_exception();
  }
  ++read_;
  NoteReadTime(std::chrono::steady_clock::now() - start);

  // The file's number stays while it is read; only the state may change.
  const std::uint64_t ticket = slot->ticket_;
  const std::uint64_t base = ticket - ticket % kStates;
  std::uint64_t reading = base + kReading;
  if (!slot->ticket_.compare_exchange_strong(reading, base + kDone)) {
    // Dropped while it was read: the store goes back before the slot is free.
    ReturnStore(slot);
    slot->ticket_ = base + kFree;
    return;
  }
  // Only the read the run waits for wakes it.
  if (waitingFor_ == slot) {
    { const std::lock_guard<std::mutex> lock(doneMutex_); }
    done_.notify_one();
  }
}

void tReaderPool::ReaderLoop() {
  // Named, so that a profiler or debugger tells readers from the run.
  pthread_setname_np(pthread_self(), "orvalis-reader");
  // Readers beyond the cores are started when the storage is slow, each by
  // the one before, so that no reader and not the run's thread spends long
  // starting threads.
  if (slow_) {
    UseSlowReaderMemory();
    StartMoreReaders(true);
  } else {
    UseThreadCache();
  }
  tReader self;
  while (tReadSlot* slot = TakeFile(self)) Read(slot);
}

void tReaderPool::NoteReadTime(std::chrono::steady_clock::duration took) {
  const double microseconds = std::chrono::duration<double, std::micro>(took).count();
  // Readers may update the average at once; a lost update costs nothing.
  double average = averageReadMicroseconds_.load(std::memory_order_relaxed);
  average += (microseconds - average) * kReadTimeWeight;
  averageReadMicroseconds_.store(average, std::memory_order_relaxed);
  double share = slowShare_.load(std::memory_order_relaxed);
  share += ((microseconds >= slowRead_ ? 1.0 : 0.0) - share) * kSlowShareWeight;
  slowShare_.store(share, std::memory_order_relaxed);
  // Fast reads that stay fast change nothing and take no lock.
  if (!slow_ && share < tReaderLimit::kSlowShare) return;
  // One thread changes the limit; the others read on.
  std::unique_lock<std::mutex> lock(limitMutex_, std::try_to_lock);
  if (!lock.owns_lock()) return;
  const std::size_t before = limit_;
  limit_ = rule_->Update(share, average, read_, std::chrono::steady_clock::now());
  slow_ = rule_->Slow();
  // Readers beyond a lower limit go back to sleep as they finish; the
  // queued files wait for those a higher one lets read.
  if (limit_ > before) {
    StartMoreReaders(false);
    WakeReaders(1);
  }
}

}  // namespace orvalis
