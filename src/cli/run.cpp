// orvalis-cli QUERY and -f FILE: runs a query with the same driver as the
// desktop program and writes the hits as rows, CSV, JSON, XML or paths.
// Messages of the run go to standard error, never into the output.
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/system_locale.h"
#include "engine/list_readers.h"
#include "engine/query_driver.h"
#include "engine/settings.h"
#include "output/csv_writer.h"
#include "output/display_text.h"
#include "output/json_writer.h"
#include "output/row_order.h"
#include "output/text_export.h"
#include "output/xml_export.h"
#include "common/ascii_case.h"
#include "common/text.h"
#include "query/query_statement.h"

namespace orvalis::cli {

namespace {

enum class tFormat { Rows, Csv, Json, Xml, Paths };

struct tRunOptions {
  std::string query;
  tFormat format = tFormat::Rows;
  std::optional<std::string> outputFile;
  std::optional<std::string> resultsFile;
  // -0: paths are written and read NUL-separated.
  bool nullSeparated = false;
  bool progress = ::isatty(STDERR_FILENO) != 0;
  // --sort values as given; resolved against the SELECT columns.
  std::vector<std::string> sort;
  tRunSettings settings;
};

// The run's host on a terminal: rows are written as soon as their last cell
// is known, so memory holds only the hits' paths; progress and messages go
// to standard error.
class tCliHost : public tRunHost {
 public:
  // rowsOnTerminal: rows share the terminal with the progress line.
  tCliHost(std::ostream& out, tFormat format, const std::string& lineEnd, bool nullSeparated,
           bool progress, bool rowsOnTerminal)
      : out_(out),
        format_(format),
        lineEnd_(lineEnd),
        pathEnd_(nullSeparated ? std::string(1, '\0') : lineEnd),
        progress_(progress),
        rowsOnTerminal_(rowsOnTerminal) {
    TextExportOptions rows;
    rows.lineEnd = lineEnd;
    textWriter_ = std::make_unique<TextExportWriter>(out_, rows);
    csvWriter_ = std::make_unique<CsvWriter>(out_, lineEnd);
    jsonWriter_ = std::make_unique<JsonWriter>(out_);
  }

  void SetDriver(const tQueryDriver* driver) { driver_ = driver; }
  // With keys the rows are held and written sorted when the run ends.
  void SetSort(std::vector<tSortKey> keys, std::string nullText) {
    sortKeys_ = std::move(keys);
    nullText_ = std::move(nullText);
  }
  // Called when the query has compiled and the walk begins.
  void SetRunStart(std::function<void()> runStart) { runStart_ = std::move(runStart); }

  void PrepareResultList(int, int) override {
    captions_.clear();
    paths_.clear();
  }
  void AddColumn(const std::string& caption) override { captions_.push_back(caption); }
  int AddRow(const std::string& path, tImageMetaData&, bool) override {
    BeginOutput();
    paths_.push_back(path);
    cells_.assign(captions_.size(), std::string());
    varieties_.assign(captions_.size(), Value::Variety::Text);
    return static_cast<int>(paths_.size()) - 1;
  }
  void SetCell(int row, int column, const std::string& text) override {
    SetTypedCell(row, column, text, Value::Variety::Text);
  }
  void SetTypedCell(int row, int column, const std::string& text, Value::Variety variety) override {
    if (row != static_cast<int>(paths_.size()) - 1 || column < 0 ||
        column >= static_cast<int>(cells_.size())) {
      return;
    }
    cells_[static_cast<std::size_t>(column)] = text;
    varieties_[static_cast<std::size_t>(column)] = variety;
    if (column + 1 != static_cast<int>(cells_.size())) return;
    if (sortKeys_.empty()) {
      WriteRow(paths_.back(), cells_, varieties_);
    } else {
      heldRows_.push_back(cells_);
      heldVarieties_.push_back(varieties_);
    }
  }
  std::vector<std::string> RowPaths() const override { return paths_; }
  void FitColumnsToCaptions() override {}
  void EnterRunningState() override {
    if (runStart_) runStart_();
  }
  void LeaveRunningState() override { ClearProgress(); }
  void FocusQueryText(int) override {}
  void SetStatusPanel(int panel, const std::string& text) override {
    if (panel == 3 && !text.empty()) {
      folder_ = text;
      ShowProgress(false);
    }
  }
  void ShowMessage(const std::string& text) override {
    ClearProgress();
    std::cerr << ToDisplayUtf8(text) << '\n';
  }
  void ShowNotice(const std::string& text) override { ShowMessage(text); }
  void ProcessEvents() override { ShowProgress(false); }

  // Ends the document; called after a completed run.
  void Finish() {
    BeginOutput();
    if (!heldRows_.empty()) {
      for (const std::size_t row : SortedRowOrder(heldRows_, sortKeys_, nullText_)) {
        WriteRow(paths_[row], heldRows_[row], heldVarieties_[row]);
      }
      heldRows_.clear();
      heldVarieties_.clear();
    }
    switch (format_) {
      case tFormat::Json: jsonWriter_->End(); break;
      case tFormat::Xml: xmlWriter_->WriteFooter(); break;
      default: break;
    }
    out_.flush();
  }

 private:
  void BeginOutput() {
    if (begun_) return;
    begun_ = true;
    // The header, like a row, starts a line of its own on the screen.
    if (rowsOnTerminal_) ClearProgress();
    switch (format_) {
      case tFormat::Csv: csvWriter_->WriteHeader(captions_); break;
      case tFormat::Json: jsonWriter_->Begin(captions_); break;
      case tFormat::Xml: {
        XmlExportOptions xml;
        xml.lineEnd = lineEnd_;
        xmlWriter_ = std::make_unique<XmlExportWriter>(out_, xml);
        xmlWriter_->WriteHeader();
        break;
      }
      default: break;
    }
  }

  void WriteRow(const std::string& path, const std::vector<std::string>& cells,
                const std::vector<Value::Variety>& varieties) {
    // Otherwise the row would continue the progress line on the screen.
    if (rowsOnTerminal_) ClearProgress();
    switch (format_) {
      case tFormat::Rows: {
        // The terminal and the files of this platform take UTF-8; a text
        // stored in another code page is shown the way the windows show it.
        std::vector<std::string> utf8;
        utf8.reserve(cells.size());
        for (const std::string& cell : cells) utf8.push_back(ToDisplayUtf8(cell));
        textWriter_->WriteRow(utf8);
        break;
      }
      case tFormat::Csv: csvWriter_->WriteRow(cells); break;
      case tFormat::Json: jsonWriter_->WriteRow(path, cells, varieties); break;
      case tFormat::Paths: out_ << path << pathEnd_; break;
      case tFormat::Xml:
        // Each hit is read anew, as the window's export reads it; damage
        // after the metadata was reported by the run, and the element holds
        // what was read. One that has gone since is reported and left out,
        // and the document stays whole.
        try {
          xmlWriter_->WriteFile(path);
        } catch (const std::exception& e) {
          ShowMessage(path + ": " + e.what());
        }
        break;
    }
    ShowProgress(false);
  }

  void ShowProgress(bool force) {
    if (!progress_ || driver_ == nullptr) return;
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastProgress_ < std::chrono::milliseconds(200)) return;
    lastProgress_ = now;
    std::string line = ToDisplayUtf8(folder_);
    if (line.size() > 50) line = "..." + line.substr(line.size() - 47);
    std::fprintf(stderr, "\r\033[K%s  %lld files  %d hits", line.c_str(),
                 static_cast<long long>(driver_->FilesRead()), driver_->HitCount());
    std::fflush(stderr);
    shown_ = true;
  }
  void ClearProgress() {
    if (shown_) {
      std::fputs("\r\033[K", stderr);
      std::fflush(stderr);
    }
    shown_ = false;
  }

  std::ostream& out_;
  tFormat format_;
  std::string lineEnd_;
  std::string pathEnd_;
  bool progress_;
  bool rowsOnTerminal_;
  const tQueryDriver* driver_ = nullptr;
  std::function<void()> runStart_;
  std::vector<std::string> captions_;
  std::vector<std::string> paths_;
  std::vector<std::string> cells_;
  std::vector<Value::Variety> varieties_;  // of the cells, for JSON
  std::vector<tSortKey> sortKeys_;
  std::string nullText_;
  std::vector<std::vector<std::string>> heldRows_;
  std::vector<std::vector<Value::Variety>> heldVarieties_;
  std::unique_ptr<TextExportWriter> textWriter_;
  std::unique_ptr<CsvWriter> csvWriter_;
  std::unique_ptr<JsonWriter> jsonWriter_;
  std::unique_ptr<XmlExportWriter> xmlWriter_;
  bool begun_ = false;
  std::string folder_;
  std::chrono::steady_clock::time_point lastProgress_{};
  bool shown_ = false;
};

}  // namespace

bool IsProgramOption(const std::string& arg) {
  const std::string lower = AsciiLower(arg);
  return lower == "/debug" || lower == "-debug" || lower.rfind("/lcid:", 0) == 0;
}

namespace {

// No option holds a blank or a line break; an argument that does is a query
// text, even when it starts with "-" (a "--" comment line before SELECT).
bool LooksLikeQuery(const std::string& arg) {
  return arg.find_first_of(" \t\r\n") != std::string::npos;
}

// More readers than this only wait for each other.
constexpr std::int32_t kMaxJobs = 256;

}  // namespace

int RunQuery(const Arguments& args) {
  tRunOptions options;
  std::optional<std::string> queryFile;
  std::vector<std::string> positional;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // After "--" every argument is the query, so a query may start with "-"
    // (a first line that is a "--" comment).
    if (optionsEnded) {
      positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string v;
    if (arg == "-f") {
      if (!value(v)) return UsageError("-f needs a file");
      queryFile = v;
    } else if (arg == "--format") {
      if (!value(v)) return UsageError("--format needs rows, csv, json or xml");
      if (v == "rows")
        options.format = tFormat::Rows;
      else if (v == "csv")
        options.format = tFormat::Csv;
      else if (v == "json")
        options.format = tFormat::Json;
      else if (v == "xml")
        options.format = tFormat::Xml;
      else
        return UsageError("unknown format: " + v);
    } else if (arg == "-o") {
      if (!value(v)) return UsageError("-o needs a file");
      options.outputFile = v;
    } else if (arg == "--limit") {
      const std::optional<std::int32_t> n = value(v) ? ParseInteger(v) : std::nullopt;
      if (!n || !IsValidHitLimit(*n)) {
        return UsageError("--limit needs a whole number of at least 1");
      }
      options.settings.EnforceRefinement = true;
      options.settings.RefinementLimit = *n;
    } else if (arg == "--jobs") {
      const std::optional<std::int32_t> n = value(v) ? ParseInteger(v) : std::nullopt;
      if (!n || *n < 1 || *n > kMaxJobs) {
        return UsageError("--jobs needs a whole number from 1 to " + std::to_string(kMaxJobs));
      }
      options.settings.Jobs = *n;
    } else if (arg == "--no-limit") {
      options.settings.EnforceRefinement = false;
    } else if (arg == "--null-text") {
      if (!value(v)) return UsageError("--null-text needs a text");
      options.settings.UseNullText = true;
      options.settings.NullText = v;
    } else if (arg == "--no-null-text") {
      options.settings.UseNullText = false;
    } else if (arg == "--double-quote") {
      options.settings.StrDelimDoubleQuote = true;
    } else if (arg == "--progress") {
      options.progress = true;
    } else if (arg == "--paths") {
      options.format = tFormat::Paths;
    } else if (arg == "-0" || arg == "--null") {
      options.nullSeparated = true;
    } else if (arg == "--sort") {
      if (!value(v)) return UsageError("--sort needs a column: N, N:desc or a header");
      options.sort.push_back(v);
    } else if (arg == "--results") {
      if (!value(v)) return UsageError("--results needs a file");
      options.resultsFile = v;
    } else if (IsProgramOption(arg)) {
      // /LCID:n and /debug belong to the desktop program's command line.
    } else if (arg.size() > 1 && arg[0] == '-' && !LooksLikeQuery(arg)) {
      return UsageError("unknown option: " + arg);
    } else {
      positional.push_back(arg);
    }
  }
  if (queryFile) {
    if (!positional.empty()) return UsageError("give either a query or -f FILE");
    std::string error;
    if (ReadQueryFile(*queryFile, options.query, error) != tListRead::Read) {
      std::cerr << "orvalis-cli: cannot read the query file " << *queryFile << ": " << error
                << "\n";
      return kExitUsage;
    }
  } else {
    if (positional.size() != 1) return UsageError("give exactly one query");
    options.query = positional[0];
  }
  options.settings.Locale = platform::SystemLocale();

  // The result set of FROM "#results": the --results file, else standard
  // input when it is not a terminal. Read only when the query asks for it.
  tPathList resultSet;
  tOrvalis probe;
  probe.QueryText = NormalizeLineBreaks(options.query);
  const bool statementSplit = ParseQueryStatement(probe) == 0;
  {
    if (statementSplit && EqualsNoCase(probe.FromText, "#results")) {
      const char separator = options.nullSeparated ? '\0' : '\n';
      const std::string source = options.resultsFile ? *options.resultsFile : "(standard input)";
      std::string error;
      tListRead read = tListRead::Read;
      if (options.resultsFile) {
        std::ifstream in(*options.resultsFile, std::ios::binary);
        read = in ? ReadPathList(in, separator, resultSet, error) : tListRead::Unreadable;
        if (!in && error.empty()) error = std::strerror(errno);
      } else if (!::isatty(STDIN_FILENO)) {
        read = ReadPathList(std::cin, separator, resultSet, error);
      }
      if (read != tListRead::Read) {
        std::cerr << "orvalis-cli: cannot read the result list " << source << ": " << error << "\n";
        return kExitUsage;
      }
    }
  }

  std::vector<tSortKey> sortKeys;
  if (!options.sort.empty() && statementSplit) {
    // The columns are the SELECT items as the run will make them.
    const char delimiter = options.settings.StrDelimDoubleQuote ? '"' : '\'';
    const std::vector<std::string> headers = SplitFieldList(probe.SelectText, ',', delimiter);
    for (const std::string& value : options.sort) {
      const std::optional<tSortKey> key = ParseSortKey(value, headers);
      if (!key) return UsageError("--sort: the query has no column " + value);
      sortKeys.push_back(*key);
    }
  }

  // The output file is checked now but emptied only when the run starts, so
  // a refused query leaves an existing file as it was.
  std::ofstream file;
  bool createdOutput = false;
  if (options.outputFile) {
    createdOutput = ::access(options.outputFile->c_str(), F_OK) != 0;
    std::ofstream fileProbe(*options.outputFile, std::ios::binary | std::ios::app);
    if (!fileProbe) {
      std::cerr << "orvalis-cli: cannot write " << *options.outputFile << ": "
                << std::strerror(errno) << "\n";
      // Like an unreadable query file: a bad file argument, not a refused query.
      return kExitUsage;
    }
  }
  std::ostream& out = options.outputFile ? static_cast<std::ostream&>(file) : std::cout;
  // Files get the exports' CR LF; the terminal gets LF.
  const std::string lineEnd = options.outputFile ? "\r\n" : "\n";

  tCliHost host(out, options.format, lineEnd, options.nullSeparated, options.progress,
                !options.outputFile && ::isatty(STDOUT_FILENO) != 0);
  host.SetSort(std::move(sortKeys), options.settings.UseNullText ? options.settings.NullText : "");
  tQueryDriver driver(host);
  host.SetDriver(&driver);
  if (options.outputFile) {
    host.SetRunStart([&] { file.open(*options.outputFile, std::ios::binary | std::ios::trunc); });
  }
  driver.SetResultSet(std::move(resultSet));
  if (driver.actExecQueryExecute(options.query, options.settings) != tRunOutcome::Completed) {
    if (createdOutput) std::remove(options.outputFile->c_str());
    return kExitRefused;
  }
  host.Finish();
  if (!out) {
    // Like an output file that cannot be opened: a bad file argument (a full
    // disc, /dev/full), not a refused query.
    std::cerr << "orvalis-cli: writing the output failed";
    if (options.outputFile) std::cerr << ": " << *options.outputFile;
    std::cerr << "\n";
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace orvalis::cli
