// RFC 4180 output of result rows.
#include "output/csv_writer.h"

#include <utility>

#include "output/display_text.h"

namespace orvalis {

std::string CsvField(std::string_view utf8) {
  if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(utf8);
  std::string field = "\"";
  for (const char c : utf8) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

CsvWriter::CsvWriter(std::ostream& out, std::string lineEnd)
    : out_(out), lineEnd_(std::move(lineEnd)) {}

void CsvWriter::WriteHeader(const std::vector<std::string>& captions) { WriteLine(captions); }

void CsvWriter::WriteRow(const std::vector<std::string>& cells) { WriteLine(cells); }

void CsvWriter::WriteLine(const std::vector<std::string>& texts) {
  std::string line;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(ToDisplayUtf8(texts[i]));
  }
  out_ << line << lineEnd_;
}

}  // namespace orvalis
