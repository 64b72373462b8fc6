#include "engine/query_driver.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <exception>
#include <limits>
#include <string_view>
#include <system_error>

#include "common/ascii_case.h"
#include "common/scope_guard.h"
#include "common/text.h"
#include "engine/folder_listing.h"
#include "engine/query_diagnostics.h"
#include "engine/reader_pool.h"
#include "i18n/catalogue.h"
#include "metadata/image_metadata.h"
#include "query/cell_text.h"
#include "query/function_handler.h"
#include "query/parser_factory.h"
#include "query/query_statement.h"
#include "query/statement_position.h"
#include "query/value_conversion.h"
#include "query/var_handler.h"

namespace orvalis {

namespace {

std::string CurrentFolder() {
  std::string buffer(4096, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return "./";
    buffer.resize(buffer.size() * 2);
  }
  buffer.resize(buffer.find('\0'));
  if (buffer.empty() || buffer.back() != '/') buffer += '/';
  return buffer;
}

// A message with its "%d" filled in.
std::string FillNumber(std::string message, std::size_t number) {
  if (const std::size_t at = message.find("%d"); at != std::string::npos) {
    message.replace(at, 2, std::to_string(number));
  }
  return message;
}

// Where in the query text a compile error lies: the part's start in the work
// text plus the error's column inside the part (the part's start when the
// compiler names no column).
int ErrorPosition(const std::string& queryText, int partStart, const tParser& parser) {
  const int column = parser.ErrorColumn > 0 ? parser.ErrorColumn : 1;
  return QueryTextPosition(queryText, partStart + column - 1);
}

}  // namespace

void SplitFromPath(const std::string& fromText, std::string& folder, std::string& mask) {
  std::string path = fromText;
  if (path.rfind("~/", 0) == 0) {
    if (const char* home = std::getenv("HOME"); home && *home) {
      path = std::string(home) + path.substr(1);
    }
  }
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    folder.clear();
    mask = path;
  } else {
    folder = path.substr(0, slash + 1);
    mask = path.substr(slash + 1);
  }
}

// Everything one run owns: statement, store, handlers and compiled parsers.
struct tQueryDriver::tRun {
  explicit tRun(const tRunSettings& s)
      : settings(s), varHandler(store), functionHandler(&store, s.Locale) {
    store.MergeIptcLists = 1;
    // Pictures of the results are read anew by the host; a run's store
    // need not keep them.
    store.KeepThumbnail = false;
  }

  const tRunSettings& settings;
  tOrvalis statement;
  tImageMetaData store;
  tMyVarHandler varHandler;
  tMyFunctionHandler functionHandler;
  std::unique_ptr<tParser> where;
  std::vector<std::unique_ptr<tParser>> columns;
  bool recurse = false;
  // A function's resource limit is reported once per run, at the first file.
  bool limitReported = false;
  bool evaluationLimitReported = false;
  std::string mask;
  // The walk: its plan, the readers (none for a run one file after the
  // other) and the steps taken from the plan but not yet by the run.
  std::unique_ptr<tWalkPlan> plan;
  std::unique_ptr<tReaderPool> pool;
  std::deque<tWalkStep> ahead;
  std::size_t window = 0;     // files in flight at most
  bool xmpOnReaders = false;  // the readers parse the XMP packets too
};

namespace {

// Steps looked ahead at most, folders included, so that a tree of empty
// folders is not listed far beyond the files in flight.
constexpr std::size_t kStepsAheadPerSlot = 4;

}  // namespace

tQueryDriver::tQueryDriver(tRunHost& host) : host_(host) {}
tQueryDriver::~tQueryDriver() = default;

void tQueryDriver::SetResultSet(const std::vector<std::string>& paths) {
  resultSet_ = std::make_shared<const tPathList>(paths);
}

void tQueryDriver::SetResultSet(tPathList paths) {
  resultSet_ = std::make_shared<const tPathList>(std::move(paths));
}

void tQueryDriver::Stop() {
  stop_ = true;
  host_.SetStatusPanel(1, Text(tText::StatusStopped));
}

tRunOutcome tQueryDriver::actExecQueryExecute(const std::string& queryText,
                                              const tRunSettings& settings) {
  if (running_) return tRunOutcome::Refused;
  const std::string text = NormalizeLineBreaks(queryText);
  if (Trim(text).empty()) {
    host_.ShowMessage(Text(tText::NoQueryText));
    return tRunOutcome::Refused;
  }
  if (queryText.size() > kMaxQueryLength) {
    host_.ShowMessage(FillNumber(Text(tText::QueryTooLong), kMaxQueryLength));
    return tRunOutcome::Refused;
  }

  host_.PrepareResultList(settings.ThumbnailWidth, settings.ThumbnailHeight);
  hitCount_ = 0;
  filesRead_ = 0;
  currentPath_.clear();
  host_.SetStatusPanel(0, "0" + Text(tText::StatusHits));
  host_.SetStatusPanel(1, "");
  host_.SetStatusPanel(3, "");
  stop_ = false;

  run_ = std::make_unique<tRun>(settings);
  tRun& run = *run_;
  // Whatever way the run ends, it releases everything it owns.
  const tScopeGuard release([this] { run_.reset(); });

  run.statement.QueryText = text;
  if (const int position = ParseQueryStatement(run.statement); position > 0) {
    const std::string hint = StatementErrorHint(run.statement, position);
    host_.ShowMessage(Text(tText::QuerySyntaxError) + " (" + std::to_string(position) + ")" +
                      (hint.empty() ? "" : " " + hint));
    host_.FocusQueryText(QueryTextPosition(text, position));
    return tRunOutcome::Refused;
  }
  run.recurse = AsciiLower(run.statement.WithText).find("subdirs") != std::string::npos;

  const char delimiter = settings.StrDelimDoubleQuote ? '"' : '\'';
  const tParserOptions parserOptions{delimiter, settings.Locale};
  auto newParser = [&](const std::string& expression) {
    return MakeParser(expression, parserOptions, run.varHandler, run.functionHandler);
  };
  run.where = newParser(run.statement.WhereText);

  tListEnd selectEnd = tListEnd::Closed;
  const std::vector<std::string> columnTexts =
      SplitFieldList(run.statement.SelectText, ',', delimiter, &selectEnd);
  if (selectEnd != tListEnd::Closed) {
    // An open literal or parenthesis would swallow the columns after it.
    host_.ShowMessage(Text(tText::SelectParseError) + Text(selectEnd == tListEnd::InQuotes
                                                               ? tText::SelectListOpenString
                                                               : tText::SelectListOpenParenthesis));
    host_.FocusQueryText(QueryTextPosition(text, run.statement.SelectStart));
    return tRunOutcome::Refused;
  }
  if (columnTexts.empty()) {
    // A statement without SELECT items would give rows without cells.
    host_.ShowMessage(Text(tText::SelectParseError) + Text(tText::EmptySelectList));
    host_.FocusQueryText(QueryTextPosition(text, run.statement.SelectStart));
    return tRunOutcome::Refused;
  }
  const std::vector<int> columnOffsets = FieldItemOffsets(run.statement.SelectText, columnTexts);
  host_.AddColumn(columnTexts[0]);
  for (std::size_t i = 0; i < columnTexts.size(); ++i) {
    run.columns.push_back(newParser(columnTexts[i]));
    if (!run.columns.back()->Compile()) {
      host_.ShowMessage(Text(tText::SelectParseError) + CompileErrorMessage(*run.columns.back()));
      host_.FocusQueryText(
          ErrorPosition(text, run.statement.SelectStart + columnOffsets[i], *run.columns.back()));
      return tRunOutcome::Refused;
    }
    if (i > 0) host_.AddColumn(columnTexts[i]);
  }
  if (!run.where->Compile()) {
    host_.ShowMessage(Text(tText::WhereParseError) + CompileErrorMessage(*run.where));
    host_.FocusQueryText(ErrorPosition(text, run.statement.WhereStart, *run.where));
    return tRunOutcome::Refused;
  }
  // SQL words compile to names no file has ("Make IS NULL" is the one name
  // MakeISNULL): refused with the language's own way of saying it.
  std::vector<const tParser*> parsers;
  for (std::size_t i = 0; i < run.columns.size(); ++i) {
    parsers.push_back(run.columns[i].get());
    int column = 0;
    if (const std::string hint = SqlWordProblem(*run.columns[i], column); !hint.empty()) {
      host_.ShowMessage(Text(tText::SelectParseError) + hint);
      host_.FocusQueryText(QueryTextPosition(
          text, run.statement.SelectStart + columnOffsets[i] + std::max(column, 1) - 1));
      return tRunOutcome::Refused;
    }
  }
  parsers.push_back(run.where.get());
  int whereColumn = 0;
  if (const std::string hint = SqlWordProblem(*run.where, whereColumn); !hint.empty()) {
    host_.ShowMessage(Text(tText::WhereParseError) + hint);
    host_.FocusQueryText(
        QueryTextPosition(text, run.statement.WhereStart + std::max(whereColumn, 1) - 1));
    return tRunOutcome::Refused;
  }
  // A name that is no field stays a field that every file lacks, but the
  // user hears of it: otherwise a typing error looks like an empty answer.
  for (const std::string& notice : UnknownNameNotices(parsers)) host_.ShowNotice(notice);

  running_ = true;
  // However the walk ends, the driver is idle again afterwards; otherwise an
  // error escaping the walk would refuse every later run.
  const tScopeGuard idle([this] { running_ = false; });
  // The list is hidden and Stop enabled in one host call; the event loop runs
  // after each of the two steps, as the window does it.
  host_.EnterRunningState();
  host_.ProcessEvents();
  host_.ProcessEvents();

  // Without a number given, the readers follow the storage's latency.
  const int readers = settings.Jobs > 0 ? settings.Jobs : DefaultReaderCount();
  if (readers > 1) {
    run.window = ReadWindow(readers);
    try {
      run.pool = std::make_unique<tReaderPool>(
          readers, run.window, tReaderPool::kSlowReadMicroseconds,
          settings.Jobs > 0 ? tGrowth::Fixed : tGrowth::FollowLatency);
    } catch (const std::system_error&) {
      // No thread to be had: the run reads one file after the other.
    }
  }
  if (EqualsNoCase(run.statement.FromText, "#results")) {
    // The result set changes only at the end of a run, after the walk.
    run.plan = std::make_unique<tWalkPlan>(resultSet_);
    while (!stop_ && PeekStep() != nullptr) {
      try {
        ProcessFile(TakeStep());
      } catch (const std::exception& e) {
        ShowFolderError(e.what());
      }
    }
  } else {
    std::string folder;
    SplitFromPath(run.statement.FromText, folder, run.mask);
    // Rows and the result set carry full paths, also for a relative FROM.
    if (folder.empty() || folder[0] != '/') folder = CurrentFolder() + folder;
    run.plan = std::make_unique<tWalkPlan>(folder, run.mask, run.recurse);
    run.plan->ListAheadIn(run.pool.get());
    if (PeekStep() != nullptr) ProcessDir(TakeStep());
  }
  // What was read ahead past the end of the walk is dropped unseen.
  for (tWalkStep& step : run.ahead) DropStep(step);
  run.ahead.clear();
  run.pool.reset();

  SetResultSet(host_.RowPaths());
  host_.FitColumnsToCaptions();
  host_.LeaveRunningState();
  running_ = false;
  if (settings.EnforceRefinement && hitCount_ >= settings.RefinementLimit) {
    host_.ShowMessage(FillNumber(Text(tText::HitLimitReached),
                                 static_cast<std::size_t>(settings.RefinementLimit)));
  }
  return tRunOutcome::Completed;
}

void tQueryDriver::ShowFolderError(const std::string& what) {
  ShowPathMessage(currentPath_, Text(tText::UnrecoverableError) + what);
}

// Among thousands of files a message must say which one it is about.
void tQueryDriver::ShowPathMessage(const std::string& path, const std::string& text) {
  host_.ShowMessage(path.empty() ? text : path + ": " + text);
}

tWalkStep* tQueryDriver::PeekStep() {
  tRun& run = *run_;
  if (run.pool) ReadAhead();
  if (run.ahead.empty()) {
    std::optional<tWalkStep> step = run.plan->Next();
    if (!step) return nullptr;
    run.ahead.push_back(std::move(*step));
  }
  return &run.ahead.front();
}

tWalkStep tQueryDriver::TakeStep() {
  PeekStep();
  tWalkStep step = std::move(run_->ahead.front());
  run_->ahead.pop_front();
  return step;
}

void tQueryDriver::ReadAhead() {
  tRun& run = *run_;
  // Nothing is read after a stop.
  if (stop_) return;
  // A file taken from the plan while the window was full waits at the front;
  // every file behind one in flight is in flight too.
  for (tWalkStep& step : run.ahead) {
    if (step.kind != tWalkStep::tKind::File) continue;
    if (step.slot != nullptr) break;
    if (!run.pool->HasRoom()) return;
    step.slot = run.pool->Submit(step.path, step.folder);
  }
  const std::size_t maxSteps = kStepsAheadPerSlot * run.window;
  while (run.ahead.size() < maxSteps && run.pool->HasRoom()) {
    // A folder still being listed is waited for only when nothing else is
    // left to do.
    if (!run.ahead.empty() && run.plan->WouldWait()) return;
    std::optional<tWalkStep> step = run.plan->Next();
    if (!step) return;
    if (step->kind == tWalkStep::tKind::File)
      step->slot = run.pool->Submit(step->path, step->folder);
    run.ahead.push_back(std::move(*step));
  }
}

tReadSlot* tQueryDriver::BatchEnd() const {
  // Half the window: the run's thread then sleeps once for that many files,
  // while the readers have the other half to go on with.
  const std::size_t batch = run_->pool->Window() / 2;
  tReadSlot* last = nullptr;
  std::size_t files = 0;
  for (const tWalkStep& step : run_->ahead) {
    if (step.slot == nullptr) continue;
    last = step.slot;
    if (++files >= batch) break;
  }
  return last;
}

void tQueryDriver::DropStep(tWalkStep& step) {
  if (step.slot != nullptr) run_->pool->Recycle(step.slot);
  step.slot = nullptr;
}

void tQueryDriver::SkipRestOfFolder(int depth) {
  tRun& run = *run_;
  while (!run.ahead.empty()) {
    tWalkStep step = std::move(run.ahead.front());
    run.ahead.pop_front();
    DropStep(step);
    if (step.kind == tWalkStep::tKind::FolderEnd && step.depth == depth) return;
  }
  // The folder's end was not looked at yet: the plan leaves the rest unlisted.
  run.plan->Abandon(depth);
}

void tQueryDriver::ProcessDir(const tWalkStep& folder) {
  try {
    currentPath_ = folder.path;
    host_.SetStatusPanel(3, folder.path);
    const tWalkStep listing = TakeStep();
    if (listing.error) std::rethrow_exception(listing.error);
    for (tWalkStep* next = PeekStep(); next != nullptr && next->kind == tWalkStep::tKind::File;
         next = PeekStep()) {
      if (stop_) return;
      ProcessFile(TakeStep());
    }
    host_.SetStatusPanel(3, "");
    // Subfolders follow the files (only with recurse), then the folder's end.
    while (!stop_) {
      const tWalkStep* next = PeekStep();
      if (next == nullptr) return;
      if (next->kind == tWalkStep::tKind::FolderEnd) {
        TakeStep();
        return;
      }
      ProcessDir(TakeStep());
    }
  } catch (const std::exception& e) {
    ShowFolderError(e.what());
    SkipRestOfFolder(folder.depth);
  }
}

void tQueryDriver::ProcessFile(tWalkStep file) {
  tRun& run = *run_;
  const tRunSettings& settings = run.settings;
  // However this file ends, its read goes back to the readers.
  struct tDropOnExit {
    tQueryDriver& driver;
    tWalkStep& step;
    ~tDropOnExit() { driver.DropStep(step); }
  } drop{*this, file};
  if (settings.EnforceRefinement) {
    if (hitCount_ >= settings.RefinementLimit) stop_ = true;
    host_.SetStatusPanel(0, std::to_string(hitCount_) + Text(tText::StatusHitLimit));
  }
  if (stop_) return;

  const std::string& path = file.path;
  // The store is emptied when the file's processing ends, also through an
  // error, so the next file never sees this file's entries. A reader's
  // store goes back to its slot whole: the reader that is lent it next
  // clears it, so memory is freed on the threads that allocate it.
  bool fromSlot = false;
  const tScopeGuard clear([&run, &file, &fromSlot] {
    // A question that needed the XMP packet had it parsed here, on the run's
    // thread; from now on the readers parse the packets of the files to come.
    if (run.pool && !run.xmpOnReaders && run.store.XmpEntriesRead()) {
      run.pool->ReadXmpToo();
      run.xmpOnReaders = true;
    }
    if (fromSlot)
      std::swap(run.store, file.slot->Store());
    else
      run.store.Clear();
  });
  currentPath_ = path;
  ++filesRead_;
  std::exception_ptr readError;
  if (file.slot != nullptr) {
    // The reader's store becomes the run's, which the parsers are bound to,
    // until the file is done.
    run.pool->Wait(file.slot, BatchEnd());
    std::swap(run.store, file.slot->Store());
    fromSlot = true;
    run.store.RowNumber = hitCount_;
    readError = file.slot->error;
  } else {
    try {
      run.store.ReadJpegFile(path, file.folder ? file.folder->Fd() : -1);
    } catch (...) {
      readError = std::current_exception();
    }
  }
  // A file damaged after its metadata, or cut off inside it, is reported and
  // still searched with the entries read before the damage.
  if (readError) {
    try {
      std::rethrow_exception(readError);
    } catch (const std::exception& e) {
      ShowPathMessage(path, Text(tText::MetadataReadError) + e.what());
    }
  } else if (!run.store.CutShort().empty()) {
    ShowPathMessage(path, Text(tText::MetadataReadError) + run.store.CutShort());
  }
  if (!run.store.LimitReached().empty())
    ShowPathMessage(path, Text(tText::FileLimitReached) + run.store.LimitReached());
  if (!run.store.IsPhoto()) return;
  // The XMP packet is parsed when a question first needs it; one dropped
  // then is damage like any other, reported once for the file.
  bool xmpReported = false;
  const auto reportXmp = [&] {
    if (xmpReported || run.store.XmpError().empty()) return;
    xmpReported = true;
    ShowPathMessage(path, Text(tText::MetadataReadError) + "XMP packet: " + run.store.XmpError());
  };

  const bool hit = run.where->Evaluate() && run.where->Result != nullptr &&
                   ValueToBoolean(run.where->Result->Value, settings.Locale);
  ReportFunctionLimit(path);
  reportXmp();
  host_.ProcessEvents();
  if (!hit) return;

  ++hitCount_;
  run.store.RowNumber = hitCount_;
  host_.SetStatusPanel(0, std::to_string(hitCount_) + Text(tText::StatusHits));
  const int row = host_.AddRow(path, run.store, settings.GeneratePreview);
  if (run.statement.TopCount > 0 && hitCount_ >= run.statement.TopCount) stop_ = true;
  for (std::size_t i = 0; i < run.columns.size(); ++i) {
    host_.ProcessEvents();
    tParser& column = *run.columns[i];
    std::string text;
    // A column that cannot be evaluated gives an empty text, which is no
    // empty value: the text stands.
    Value::Variety variety = Value::Variety::Text;
    if (column.Evaluate() && column.Result != nullptr) {
      text =
          CellText(column.Result->Value, settings.Locale, settings.UseNullText, settings.NullText);
      variety = column.Result->Value.variety();
    }
    host_.SetTypedCell(row, static_cast<int>(i), i == 0 ? text : SubItemText(text), variety);
  }
  ReportFunctionLimit(path);
  reportXmp();
}

void tQueryDriver::ReportFunctionLimit(const std::string& path) {
  tRun& run = *run_;
  if (!run.limitReported && !run.functionHandler.LimitReached().empty()) {
    run.limitReported = true;
    ShowPathMessage(path, TextWith(tText::MatchLimitReached, run.functionHandler.LimitReached()));
  }
  // A text grown past its bound, or memory that could not be had, fails the
  // evaluation; the user hears of it once rather than seeing empty cells.
  if (run.evaluationLimitReported) return;
  bool text = run.where->TextLimitReached;
  bool memory = run.where->MemoryLimitReached;
  for (const auto& column : run.columns) {
    text = text || column->TextLimitReached;
    memory = memory || column->MemoryLimitReached;
  }
  if (!text && !memory) return;
  run.evaluationLimitReported = true;
  ShowPathMessage(path, TextWith(tText::EvaluationLimitReached,
                                 Text(memory ? tText::OutOfMemory : tText::TextTooLong)));
}

}  // namespace orvalis
