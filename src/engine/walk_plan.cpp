#include "engine/walk_plan.h"

#include <utility>

namespace orvalis {

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

std::optional<tWalkStep> tWalkPlan::Next() {
  if (start_) {
    frames_.push_back(tFrame{*start_, 0, false, {}, 0, 0});
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
    try {
      frame.listing = ListFolder(frame.folder, mask_, recurse_);
    } catch (...) {
      // The driver reports it where it would have listed the folder.
      step.error = std::current_exception();
      frame.listing = FolderListing{};
    }
    return step;
  }
  if (frame.file < frame.listing.files.size()) {
    tWalkStep step = Step(tWalkStep::tKind::File, frame.depth, frame.folder + frame.listing.files[frame.file++]);
    step.folder = frame.listing.folder;
    return step;
  }
  if (recurse_ && frame.subfolder < frame.listing.subfolders.size()) {
    const int depth = frame.depth + 1;
    std::string folder = WithSlash(frame.folder + frame.listing.subfolders[frame.subfolder++]);
    frames_.push_back(tFrame{folder, depth, false, {}, 0, 0});
    return Step(tWalkStep::tKind::Folder, depth, std::move(folder));
  }
  const int depth = frame.depth;
  frames_.pop_back();
  return Step(tWalkStep::tKind::FolderEnd, depth);
}

void tWalkPlan::Abandon(int depth) {
  while (!frames_.empty() && frames_.back().depth >= depth) frames_.pop_back();
}

}  // namespace orvalis
