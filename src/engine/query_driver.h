// The query run: from the query text over the folder tree to the filled result
// list. It splits and compiles the statement, walks the folders, reads every
// matching file's metadata, evaluates WHERE and, for each hit, adds a row with
// one cell per SELECT column. All contact with the windows (or the terminal)
// goes through tRunHost.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/run_host.h"
#include "engine/settings.h"
#include "engine/walk_plan.h"
#include "common/locale_info.h"

namespace orvalis {

class tImageMetaData;
class tParser;
struct tOrvalis;

// The settings a run reads.
struct tRunSettings {
  bool StrDelimDoubleQuote = false;
  bool EnforceRefinement = true;
  std::int32_t RefinementLimit = kDefaultRefinementLimit;
  bool UseNullText = true;
  std::string NullText = kDefaultNullText;
  std::int32_t ThumbnailWidth = kDefaultThumbnailWidth;
  std::int32_t ThumbnailHeight = kDefaultThumbnailHeight;
  bool GeneratePreview = false;
  LocaleInfo Locale;
  // Readers working in parallel: 1 reads one file after the other on the
  // run's thread, 0 chooses for the machine. Results are the same for every
  // number.
  std::int32_t Jobs = 0;
};

enum class tRunOutcome {
  Refused,    // no query text, a syntax error, or a part that does not compile
  Completed,  // the walk ran (to its end, to TOP, to the hit limit or to Stop)
};

class tQueryDriver {
 public:
  explicit tQueryDriver(tRunHost& host);
  ~tQueryDriver();
  tQueryDriver(const tQueryDriver&) = delete;
  tQueryDriver& operator=(const tQueryDriver&) = delete;

  // The whole run of the query text as typed in the editor.
  tRunOutcome actExecQueryExecute(const std::string& queryText, const tRunSettings& settings);

  // The Stop command: ends a running walk at the next file or folder entry.
  void Stop();
  bool Running() const { return running_; }

  // Full paths of the hits of the last completed run, in row order; the
  // source of FROM "#results". The command line presets it from a list.
  std::vector<std::string> ResultSet() const { return resultSet_->ToVector(); }
  void SetResultSet(const std::vector<std::string>& paths);
  void SetResultSet(tPathList paths);

  // Progress of the current run.
  std::int32_t HitCount() const { return hitCount_; }
  std::int64_t FilesRead() const { return filesRead_; }

 private:
  struct tRun;

  void ProcessDir(const tWalkStep& folder);
  void ProcessFile(tWalkStep file);
  // The walk's next step without taking it (null at the end); with readers,
  // tops up the files in flight first.
  tWalkStep* PeekStep();
  tWalkStep TakeStep();
  // Hands the coming files to the readers while the window has room.
  void ReadAhead();
  // After an error in the folder at depth: drops its remaining steps, read
  // ahead or not.
  void SkipRestOfFolder(int depth);
  // The read a wait for the next file also waits for: a run of files ahead
  // in flight, so that the run's thread does not sleep for each of them.
  tReadSlot* BatchEnd() const;
  // Gives a step's read back to the readers unused.
  void DropStep(tWalkStep& step);
  // Reports an error that ended the walk of a folder, naming the file or
  // folder being read when it happened.
  void ShowFolderError(const std::string& what);
  // Reports, once per run, that a function gave up at a resource limit.
  void ReportFunctionLimit(const std::string& path);
  // Shows a message about one file or folder: "<path>: <text>".
  void ShowPathMessage(const std::string& path, const std::string& text);

  tRunHost& host_;
  // Shared with the walk of FROM "#results", which reads it while it runs.
  std::shared_ptr<const tPathList> resultSet_ = std::make_shared<const tPathList>();
  std::unique_ptr<tRun> run_;  // valid during actExecQueryExecute only
  bool stop_ = false;
  bool running_ = false;
  std::int32_t hitCount_ = 0;
  std::int64_t filesRead_ = 0;
  // The file or folder the walk is reading, for messages about it.
  std::string currentPath_;
};

// The folder part of a FROM path (up to and including its last "/") and the
// mask after it. A leading "~/" stands for the home folder.
void SplitFromPath(const std::string& fromText, std::string& folder, std::string& mask);

}  // namespace orvalis
