// RFC 4180 comma-separated output of result rows for the command line: a
// header line of column captions, then one line per hit, texts as UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// A field enclosed in double quotes (inner ones doubled) when it holds a
// comma, a double quote, CR or LF; otherwise as it is.
std::string CsvField(std::string_view utf8);

class CsvWriter {
 public:
  // lineEnd: CR LF as the RFC has it for files, LF on standard output.
  explicit CsvWriter(std::ostream& out, std::string lineEnd = "\r\n");

  void WriteHeader(const std::vector<std::string>& captions);
  void WriteRow(const std::vector<std::string>& cells);

 private:
  void WriteLine(const std::vector<std::string>& texts);

  std::ostream& out_;
  std::string lineEnd_;
};

}  // namespace orvalis
