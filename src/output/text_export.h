// The delimited text export of result rows: quoting modes, column and line
// texts, delimiter words, header and footer. The desktop export dialog and
// the command line's rows format both write through it, so their files are
// byte for byte the same.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// In the order of the export dialog's list.
enum class QuotingMode {
  DoubleQuotes = 0,     // "Double existing quotes (Excel-like)"
  BackslashQuotes = 1,  // "Backslash quotes (Unix-like)"
  OtherQuote = 2,       // "Other one (' for ", " for ')"
  HexQuotes = 3,        // "Hex quote (e.g. 0x22)"
  None = 4,             // "Do nothing with quotes"
};

struct TextExportOptions {
  std::string delimiter = ",";  // as typed: "(tab)", "(cr)", "(crlf)" or literal text
  QuotingMode quoting = QuotingMode::DoubleQuotes;
  std::string fileHeader;  // trimmed; a line of its own when not empty
  std::string fileFooter;
  std::string lineBefore;  // trimmed texts around every row line
  std::string lineAfter;
  std::string colBefore;  // trimmed texts around every field
  std::string colAfter;
  // Files end every line with CR LF; the command line ends lines on standard
  // output with LF.
  std::string lineEnd = "\r\n";
};

// The value with the quoting mode applied. Mode 2 with both kinds of quote in
// the value: enclosed in double quotes with the inner double quotes doubled,
// the way spreadsheet programs read such a field back.
std::string ApplyQuoting(std::string_view value, QuotingMode mode);

// "(tab)", "(cr)" and "(crlf)" (exactly so, letter case included) stand for
// their control characters; any other text is used as typed, at most 255
// characters of it.
std::string TranslateDelimiter(std::string_view typed);

// One row line without its line end. fields[0] is the row's caption (first
// column), the rest its sub-items. The caption is always followed by the
// delimiter, so a one-column row ends with it.
std::string BuildTextExportLine(const std::vector<std::string>& fields,
                                const TextExportOptions& options);

// Streams an export: header, rows as they come, footer. The caller checks the
// stream for write failures.
class TextExportWriter {
 public:
  TextExportWriter(std::ostream& out, TextExportOptions options);

  void WriteHeader();
  void WriteRow(const std::vector<std::string>& fields);
  void WriteFooter();
  // Row lines written; header and footer do not count.
  std::size_t RowCount() const { return rows_; }

 private:
  std::ostream& out_;
  TextExportOptions options_;
  std::size_t rows_ = 0;
};

// A whole export as one text.
std::string TextExportToString(const std::vector<std::vector<std::string>>& rows,
                               const TextExportOptions& options);

struct TextExportResult {
  std::size_t rowCount = 0;
  std::string error;  // the system's message when creating or writing failed
  bool ok() const { return error.empty(); }
};

// Writes the export into a file, written whole beside it and renamed into
// place: on a failure an older file of the name stays as it was (and the
// count is 0); a device, pipe or folder of the name is refused.
TextExportResult WriteTextExportFile(const std::string& path,
                                     const std::vector<std::vector<std::string>>& rows,
                                     const TextExportOptions& options);

}  // namespace orvalis
