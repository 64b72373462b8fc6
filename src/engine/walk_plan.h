// The order of a query run's walk as a stream of steps: enter a folder, its
// listing, its files, its end. The driver takes the steps one by one; with
// readers it looks ahead in the same stream, so the files to come are read
// while earlier ones are evaluated. Alone, the plan lists a folder when the
// step after its entry is taken; given a reader pool, it has the next known
// folders of the walk listed there ahead of time, while the files before
// them are read. The steps come in the same order either way.
#pragma once

#include <cstddef>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/folder_listing.h"
#include "engine/list_readers.h"

namespace orvalis {

struct tReadSlot;
class tReaderPool;
class tListingJob;

struct tWalkStep {
  enum class tKind {
    Folder,   // a folder is entered (path ends with "/")
    Listing,  // its listing was taken; error says why it could not be
    File,     // a file of the folder (or of the result set)
    FolderEnd,
  };
  tKind kind = tKind::File;
  int depth = 0;  // the start folder is 0
  std::string path;
  std::exception_ptr error;
  std::shared_ptr<const tOpenFolder> folder;  // a file's folder, open; may be null
  tReadSlot* slot = nullptr;                  // the file's read, when handed to a reader
};

class tWalkPlan {
 public:
  // The folder walk from start: files (matching mask) before subfolders,
  // each subfolder walked whole before the next, when recurse is set.
  tWalkPlan(std::string start, std::string mask, bool recurse);
  // The given files in their order, no folders; the list is shared, not copied.
  explicit tWalkPlan(std::shared_ptr<const tPathList> files);
  // Listings not yet needed are dropped unread.
  ~tWalkPlan();
  tWalkPlan(const tWalkPlan&) = delete;
  tWalkPlan& operator=(const tWalkPlan&) = delete;

  // Folders known to come are listed in pool, up to kFoldersListedAhead of
  // them; the pool must outlive the walk's use of the plan.
  static constexpr std::size_t kFoldersListedAhead = 16;
  void ListAheadIn(tReaderPool* pool) { pool_ = pool; }

  // The next step, or none at the end of the walk.
  std::optional<tWalkStep> Next();
  // Leaves the rest of the folder at depth (and all below it) unwalked.
  void Abandon(int depth);
  // True when the next step is a listing still under way elsewhere.
  bool WouldWait() const;

 private:
  struct tFrame {
    std::string folder;
    int depth = 0;
    bool listed = false;
    FolderListing listing;
    std::size_t file = 0;
    std::size_t subfolder = 0;
    std::shared_ptr<tListingJob> job;  // this folder's listing, when begun ahead
    // The subfolders' listings begun ahead, by the subfolder's place.
    std::vector<std::shared_ptr<tListingJob>> ahead;
  };

  // Has the next known folders of the walk listed in the pool.
  void ListAhead();
  // Drops the listings begun ahead for the frame and below it.
  static void DropListings(tFrame& frame);

  std::optional<std::string> start_;  // not yet entered
  std::string mask_;
  bool recurse_ = false;
  std::vector<tFrame> frames_;
  std::shared_ptr<const tPathList> files_;  // the file list of the second form
  std::size_t nextFile_ = 0;
  tReaderPool* pool_ = nullptr;
};

}  // namespace orvalis
