// Statement splitter of the query language.
#include "query/query_statement.h"

#include <algorithm>
#include <optional>

#include "common/ascii_case.h"
#include "common/text.h"

namespace orvalis {

namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// Index helpers work 1-based, like the positions the splitter reports.
class Cursor {
 public:
  explicit Cursor(const std::string& text) : text_(text) {}
  int Length() const { return static_cast<int>(text_.size()); }
  char At(int pos) const {
    return (pos >= 1 && pos <= Length()) ? text_[static_cast<std::size_t>(pos - 1)] : '\0';
  }
  // Copy of count characters from pos (1-based); clipped to the text.
  std::string Copy(int pos, int count) const {
    if (pos < 1) {
      count += pos - 1;
      pos = 1;
    }
    if (count <= 0 || pos > Length()) return {};
    return text_.substr(static_cast<std::size_t>(pos - 1), static_cast<std::size_t>(count));
  }
  int SkipBlanksAndTabs(int pos) const {
    while (pos <= Length() && IsBlankOrTab(At(pos))) ++pos;
    return pos;
  }

 private:
  const std::string& text_;
};

}  // namespace

std::string NormalizeLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

int ParseQueryStatement(tOrvalis& query) {
  // A text that still holds bare LF or CR line ends is normalized here too;
  // for a normalized text this changes nothing.
  std::string work = NormalizeLineBreaks(query.QueryText);

  // Comments run from "--" to the carriage return that ends their line; the
  // line break stays. Quotes do not protect a "--". One pass, so a text full
  // of comments costs no more than any other.
  std::string uncommented;
  uncommented.reserve(work.size());
  for (size_t i = 0; i < work.size();) {
    if (work[i] == '-' && i + 1 < work.size() && work[i + 1] == '-') {
      while (i < work.size() && work[i] != '\r') ++i;
    } else {
      uncommented += work[i++];
    }
  }
  const std::string trimmed(Trim(uncommented));
  work.clear();
  for (size_t i = 0; i < trimmed.size(); ++i) {
    if (trimmed[i] == '\r' && i + 1 < trimmed.size() && trimmed[i + 1] == '\n') {
      work += ' ';
      ++i;
    } else {
      work += trimmed[i];
    }
  }
  query.WorkText = work;

  const std::string lower = AsciiLower(work);
  const Cursor text(query.WorkText);
  const int length = text.Length();

  if (lower.compare(0, 6, "select") != 0) return 1;

  // TOP n
  query.TopCount = -1;
  int itemsStart = 7;
  {
    int pos = text.SkipBlanksAndTabs(7);
    int end = pos;
    while (end <= length && !IsBlankOrTab(text.At(end))) ++end;
    if (AsciiLower(text.Copy(pos, end - pos)) == "top") {
      pos = text.SkipBlanksAndTabs(end);
      end = pos;
      while (end <= length && !IsBlankOrTab(text.At(end))) ++end;
      const std::string count = text.Copy(pos, end - pos);
      itemsStart = end + 1;
      const std::optional<std::int32_t> n = ParseInteger(count);
      if (!n || *n <= 0) return pos;
      query.TopCount = *n;
    }
  }

  const size_t fromAt = lower.find(" from ");
  if (fromAt == std::string::npos) return static_cast<int>(query.QueryText.size());
  const int fromBlank = static_cast<int>(fromAt) + 1;  // 1-based position of the blank

  query.SelectText = text.Copy(itemsStart, fromBlank - itemsStart);
  query.SelectStart = itemsStart;

  // FROM value: a double quote groups, otherwise the value ends at a blank.
  int pos = text.SkipBlanksAndTabs(fromBlank + 5);
  const int valueStart = pos;
  char endChar = ' ';
  const bool quoted = text.At(pos) == '"';
  if (quoted) {
    endChar = '"';
    ++pos;
  }
  while (pos < length && text.At(pos) != endChar) ++pos;
  std::string value = text.Copy(valueStart, pos - valueStart + 1);
  if (quoted) ++pos;
  if (!value.empty() && value.front() == '"') value.erase(0, 1);
  if (!value.empty() && value.back() == '"') value.pop_back();
  query.FromText = std::string(Trim(value));

  query.WithText.clear();
  query.WhereText = "true";
  query.WhereStart = 0;

  if (pos < length) {
    while (pos <= length) {
      pos = text.SkipBlanksAndTabs(pos);
      int end = pos;
      while (end <= length && text.At(end) != ' ') ++end;
      const std::string word(Trim(AsciiLower(text.Copy(pos, end - pos))));
      const int keywordEnd = end;  // the blank after the word (or past the end)
      pos = std::min(end + 1, length + 1);
      if (word == "with") {
        pos = text.SkipBlanksAndTabs(pos);
        end = pos;
        while (end <= length && text.At(end) != ' ') ++end;
        query.WithText = std::string(Trim(AsciiLower(text.Copy(pos, end - pos))));
        pos = std::min(end + 1, length + 1);
      } else if (word == "where") {
        pos = text.SkipBlanksAndTabs(pos);
        query.WhereStart = pos;
        while (query.WhereStart <= length &&
               static_cast<unsigned char>(text.At(query.WhereStart)) <= ' ') {
          ++query.WhereStart;
        }
        const size_t withAt = keywordEnd <= length
                                  ? lower.find(" with ", static_cast<size_t>(keywordEnd - 1))
                                  : std::string::npos;
        if (withAt == std::string::npos) {
          query.WhereText = std::string(Trim(text.Copy(pos, length - pos + 1)));
          pos = length + 1;
        } else {
          const int withBlank = static_cast<int>(withAt) + 1;
          query.WhereText = std::string(Trim(text.Copy(pos, withBlank - pos)));
          pos = withBlank + 1;
        }
      } else {
        return pos;
      }
    }
  }
  return 0;
}

std::vector<std::string> SplitFieldList(std::string_view text, char separator, char quote,
                                        tListEnd* end) {
  std::vector<std::string> items;
  bool inQuotes = false;
  std::size_t depth = 0;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == quote) {
      // A doubled quote inside a literal toggles twice and stays inside.
      inQuotes = !inQuotes;
    } else if (inQuotes) {
      continue;  // parentheses and separators of a literal do not count
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      // A stray ")" stays in its item, where the compiler reports it.
      if (depth > 0) --depth;
    } else if (c == separator && depth == 0) {
      items.push_back(std::string(Trim(text.substr(start, i - start))));
      start = i + 1;
    }
  }
  // The last item is kept whole even when the list ends inside a literal or
  // parentheses; the caller learns that from *end and refuses the list.
  if (!text.empty()) items.push_back(std::string(Trim(text.substr(start))));
  if (end != nullptr) {
    *end = inQuotes ? tListEnd::InQuotes : depth > 0 ? tListEnd::InParentheses : tListEnd::Closed;
  }
  return items;
}

}  // namespace orvalis
