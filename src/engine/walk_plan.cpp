#include "engine/walk_plan.h"

#include <utility>

#include "engine/reader_pool.h"

namespace orvalis {

// A folder's listing taken in the reader pool.
class tListingJob : public tPoolJob {
 public:
  tListingJob(std::string folder, const std::string& mask, bool recurse)
      : folder_(std::move(folder)), mask_(mask), recurse_(recurse) {}
  FolderListing listing;
  std::exception_ptr error;  // why the folder could not be listed

  std::size_t Requests() const override { return requests_; }
  // A folder's entries come a few hundred to a request.
  static constexpr std::size_t kEntriesPerRequest = 256;

 protected:
  void Run() override {
    try {
      listing = ListFolder(folder_, mask_, recurse_);
    } catch (...) {
      error = std::current_exception();
    }
    // Kept apart from the listing, which its taker moves away.
    requests_ = 1 + listing.entriesRead / kEntriesPerRequest;
  }

 private:
  std::string folder_;
  std::string mask_;
  bool recurse_;
  std::size_t requests_ = 1;
};

namespace {

std::string WithSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

tWalkStep Step(tWalkStep::tKind kind, int depth, std::string path = {}) {
  tWalkStep step;
  step.kind = kind;
  step.depth = depth;
  step.path = std::move(path);
  return step;
}

}  // namespace

tWalkPlan::tWalkPlan(std::string start, std::string mask, bool recurse)
    : start_(WithSlash(std::move(start))), mask_(std::move(mask)), recurse_(recurse) {}

tWalkPlan::tWalkPlan(std::shared_ptr<const tPathList> files) : files_(std::move(files)) {}

tWalkPlan::~tWalkPlan() {
  for (tFrame& frame : frames_) DropListings(frame);
}

void tWalkPlan::DropListings(tFrame& frame) {
  if (frame.job) frame.job->Cancel();
  for (const auto& job : frame.ahead)
    if (job) job->Cancel();
}

bool tWalkPlan::WouldWait() const {
  if (start_ || frames_.empty()) return false;
  const tFrame& frame = frames_.back();
  return !frame.listed && frame.job && !frame.job->Done();
}

void tWalkPlan::ListAhead() {
  // The folders known to come, in the walk's order: the subfolders not yet
  // entered of the innermost folder, then of the one around it, and so on.
  std::size_t known = 0;
  for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
    for (std::size_t i = frame->subfolder; i < frame->ahead.size(); ++i) {
      if (known++ == kFoldersListedAhead) return;
      if (frame->ahead[i]) continue;
      frame->ahead[i] = std::make_shared<tListingJob>(
          WithSlash(frame->folder + frame->listing.subfolders[i]), mask_, recurse_);
      pool_->Post(frame->ahead[i]);
    }
  }
}

std::optional<tWalkStep> tWalkPlan::Next() {
  if (start_) {
    frames_.push_back(tFrame{*start_, 0, false, {}, 0, 0, nullptr, {}});
    start_.reset();
    return Step(tWalkStep::tKind::Folder, 0, frames_.back().folder);
  }
  if (frames_.empty()) {
    if (files_ && nextFile_ < files_->Size()) {
      return Step(tWalkStep::tKind::File, 0, std::string((*files_)[nextFile_++]));
    }
    return std::nullopt;
  }
  tFrame& frame = frames_.back();
  if (!frame.listed) {
    frame.listed = true;
    tWalkStep step = Step(tWalkStep::tKind::Listing, frame.depth, frame.folder);
    // With a pool a listing not begun ahead is a job as well, so that its
    // time tells the pool how fast the storage answers.
    if (!frame.job && pool_ != nullptr)
      frame.job = std::make_shared<tListingJob>(frame.folder, mask_, recurse_);
    if (frame.job) {
      pool_->Finish(*frame.job);
      step.error = frame.job->error;
      frame.listing = std::move(frame.job->listing);
      frame.job.reset();
    } else {
      try {
        frame.listing = ListFolder(frame.folder, mask_, recurse_);
      } catch (...) {
        step.error = std::current_exception();
      }
    }
    // The driver reports an error where it would have listed the folder.
    if (step.error) frame.listing = FolderListing{};
    if (pool_ != nullptr && recurse_) {
      frame.ahead.resize(frame.listing.subfolders.size());
      ListAhead();
    }
    return step;
  }
  if (frame.file < frame.listing.files.size()) {
    tWalkStep step =
        Step(tWalkStep::tKind::File, frame.depth, frame.folder + frame.listing.files[frame.file++]);
    step.folder = frame.listing.folder;
    return step;
  }
  if (recurse_ && frame.subfolder < frame.listing.subfolders.size()) {
    const int depth = frame.depth + 1;
    std::shared_ptr<tListingJob> job;
    if (frame.subfolder < frame.ahead.size()) job = std::move(frame.ahead[frame.subfolder]);
    std::string folder = WithSlash(frame.folder + frame.listing.subfolders[frame.subfolder++]);
    frames_.push_back(tFrame{folder, depth, false, {}, 0, 0, std::move(job), {}});
    return Step(tWalkStep::tKind::Folder, depth, std::move(folder));
  }
  const int depth = frame.depth;
  frames_.pop_back();
  return Step(tWalkStep::tKind::FolderEnd, depth);
}

void tWalkPlan::Abandon(int depth) {
  while (!frames_.empty() && frames_.back().depth >= depth) {
    DropListings(frames_.back());
    frames_.pop_back();
  }
}

}  // namespace orvalis
