// Delimited text export of result rows.
#include "output/text_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <utility>

#include "common/text.h"
#include "common/whole_file.h"

namespace orvalis {
namespace {

constexpr std::size_t kMaxDelimiterLength = 255;

void ReplaceEach(std::string& text, char what, std::string_view with) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c == what) {
      result += with;
    } else {
      result += c;
    }
  }
  text = std::move(result);
}

}  // namespace

std::string ApplyQuoting(std::string_view value, QuotingMode mode) {
  std::string text(value);
  switch (mode) {
    case QuotingMode::DoubleQuotes:
      ReplaceEach(text, '"', "\"\"");
      ReplaceEach(text, '\'', "''");
      return text;
    case QuotingMode::BackslashQuotes:
      ReplaceEach(text, '"', "\\\"");
      ReplaceEach(text, '\'', "\\'");
      return text;
    case QuotingMode::OtherQuote: {
      const bool hasDouble = text.find('"') != std::string::npos;
      const bool hasSingle = text.find('\'') != std::string::npos;
      if (!hasDouble) return "\"" + text + "\"";
      if (!hasSingle) return "'" + text + "'";
      ReplaceEach(text, '"', "\"\"");
      return "\"" + text + "\"";
    }
    case QuotingMode::HexQuotes:
      ReplaceEach(text, '"', "0x22");
      ReplaceEach(text, '\'', "0x27");
      return text;
    case QuotingMode::None: return text;
  }
  return text;
}

std::string TranslateDelimiter(std::string_view typed) {
  if (typed == "(tab)") return "\t";
  if (typed == "(cr)") return "\r";
  if (typed == "(crlf)") return "\r\n";
  return std::string(typed.substr(0, kMaxDelimiterLength));
}

std::string BuildTextExportLine(const std::vector<std::string>& fields,
                                const TextExportOptions& options) {
  const std::string delimiter = TranslateDelimiter(options.delimiter);
  const std::string before(Trim(options.colBefore));
  const std::string after(Trim(options.colAfter));
  const auto field = [&](const std::string& value) {
    return before + ApplyQuoting(value, options.quoting) + after;
  };
  // A result row always has a caption; a row without any field is written
  // as one with an empty caption.
  std::string line = field(fields.empty() ? std::string() : fields[0]) + delimiter;
  for (std::size_t k = 1; k < fields.size(); ++k) {
    line += field(fields[k]);
    if (k + 1 < fields.size()) line += delimiter;
  }
  return std::string(Trim(options.lineBefore)) + line + std::string(Trim(options.lineAfter));
}

TextExportWriter::TextExportWriter(std::ostream& out, TextExportOptions options)
    : out_(out), options_(std::move(options)) {}

void TextExportWriter::WriteHeader() {
  const std::string header(Trim(options_.fileHeader));
  if (!header.empty()) out_ << header << options_.lineEnd;
}

void TextExportWriter::WriteRow(const std::vector<std::string>& fields) {
  out_ << BuildTextExportLine(fields, options_) << options_.lineEnd;
  ++rows_;
}

void TextExportWriter::WriteFooter() {
  const std::string footer(Trim(options_.fileFooter));
  if (!footer.empty()) out_ << footer << options_.lineEnd;
}

std::string TextExportToString(const std::vector<std::vector<std::string>>& rows,
                               const TextExportOptions& options) {
  std::ostringstream out;
  TextExportWriter writer(out, options);
  writer.WriteHeader();
  for (const auto& row : rows) writer.WriteRow(row);
  writer.WriteFooter();
  return out.str();
}

TextExportResult WriteTextExportFile(const std::string& path,
                                     const std::vector<std::vector<std::string>>& rows,
                                     const TextExportOptions& options) {
  TextExportResult result;
  // Written beside the file and renamed into place when whole: a failure
  // leaves an older file as it was, and no device or pipe is replaced.
  tWholeFileWriter whole(path);
  std::FILE* file = whole.File();
  if (file == nullptr) {
    result.error = WholeWriteError(whole.Result());
    return result;
  }
  const auto writeLine = [&](const std::string& line) {
    const std::string text = line + options.lineEnd;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
      result.error = std::strerror(errno);
      return false;
    }
    return true;
  };
  const std::string header(Trim(options.fileHeader));
  bool good = header.empty() || writeLine(header);
  for (std::size_t i = 0; good && i < rows.size(); ++i) {
    good = writeLine(BuildTextExportLine(rows[i], options));
    if (good) ++result.rowCount;
  }
  const std::string footer(Trim(options.fileFooter));
  if (good && !footer.empty()) good = writeLine(footer);
  if (good && whole.Commit().Outcome != tWholeWrite::Written) {
    result.error = WholeWriteError(whole.Result());
  }
  if (!result.ok()) result.rowCount = 0;
  return result;
}

}  // namespace orvalis
