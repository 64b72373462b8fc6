#include "engine/query_diagnostics.h"

#include <algorithm>
#include <set>
#include <utility>

#include "common/ascii_case.h"
#include "common/text.h"
#include "i18n/catalogue.h"
#include "metadata/image_metadata.h"
#include "metadata/tag_table.h"
#include "query/builtin_functions.h"
#include "query/parser.h"
#include "query/query_statement.h"

namespace orvalis {

namespace {

std::vector<std::string> UpperWords(std::string_view source) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : source) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(AsciiUpper(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(AsciiUpper(word));
  return words;
}

bool HasWord(const std::vector<std::string>& words, std::string_view word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

// Whether first is directly followed by second among the words.
bool HasWordPair(const std::vector<std::string>& words, std::string_view first,
                 std::string_view second) {
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i] == first && words[i + 1] == second) return true;
  }
  return false;
}

// The SQL hint for the words of one name; callOpens: a "(" follows the name.
std::string SqlHint(const std::vector<std::string>& words, bool callOpens) {
  if (HasWordPair(words, "ORDER", "BY")) return Text(tText::SqlOrderByHint);
  if (HasWord(words, "LIKE")) return Text(tText::SqlLikeHint);
  if (HasWord(words, "BETWEEN")) return Text(tText::SqlBetweenHint);
  if (HasWord(words, "LIMIT")) return Text(tText::SqlLimitHint);
  if (HasWord(words, "NULL")) return Text(tText::SqlIsNullHint);
  if (callOpens && words.size() > 1 && words.back() == "IN") return Text(tText::SqlInHint);
  return {};
}

// Optimal string alignment distance, letter case ignored.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = AsciiLower(a[i - 1]) == AsciiLower(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && AsciiLower(a[i - 1]) == AsciiLower(b[j - 2]) &&
          AsciiLower(a[i - 2]) == AsciiLower(b[j - 1])) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += ", ";
    out += name;
  }
  return out;
}

std::string WithSuggestions(std::string message, const std::vector<std::string>& names) {
  if (!names.empty()) message += TextWith(tText::MaybeMeant, JoinNames(names));
  return message;
}

// Where the words ORDER BY stand in an expression outside its string
// literals (1-based), or 0. After an operand the scanner reads the "OR" of
// ORDER as an operator, so these words are looked for in the text itself.
int OrderByAt(const tParser& parser) {
  const std::string& text = parser.Expression;
  std::vector<std::pair<std::string, std::size_t>> words;
  bool inString = false;
  std::string word;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    if (c == parser.StringDelimiter) inString = !inString;
    const bool letter = !inString && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'));
    if (letter) {
      word += c;
    } else if (!word.empty()) {
      words.emplace_back(AsciiUpper(word), i - word.size());
      word.clear();
    }
  }
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i].first == "ORDER" && words[i + 1].first == "BY") {
      return static_cast<int>(words[i].second) + 1;
    }
  }
  return 0;
}

}  // namespace

bool IsKnownName(std::string_view name) {
  if (!name.empty() && name.back() == '#') name.remove_suffix(1);
  return EqualsNoCase(name, "rownum") || tImageMetaData::FieldIndex(name) >= 0;
}

std::vector<std::string> NearestNames(std::string_view name, bool functions) {
  const bool stored = !name.empty() && name.back() == '#';
  if (stored) name.remove_suffix(1);
  // Short names allow one edit, long ones up to three.
  const std::size_t allowed = name.size() <= 4 ? 1 : name.size() <= 11 ? 2 : 3;
  std::vector<std::pair<std::size_t, std::string>> found;
  std::set<std::string> seen;
  const auto consider = [&](std::string_view candidate, bool addMark) {
    const std::size_t distance = EditDistance(name, candidate);
    if (distance == 0 || distance > allowed) return;
    std::string text(candidate);
    if (addMark) text += '#';
    if (seen.insert(AsciiLower(text)).second) found.emplace_back(distance, std::move(text));
  };
  for (const BuiltinFunction& f : BuiltinFunctions()) consider(f.name, false);
  if (!functions) {
    for (const tTagRow& row : TagTable) consider(row.Name, stored);
    consider("rownum", false);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (std::size_t i = 0; i < found.size() && i < 3; ++i) names.push_back(found[i].second);
  return names;
}

std::string SqlWordProblem(const tParser& parser, int& column) {
  if (const int at = OrderByAt(parser); at > 0) {
    column = at;
    return Text(tText::SqlOrderByHint);
  }
  for (std::size_t i = 0; i < parser.Tokens.size(); ++i) {
    const tToken& token = *parser.Tokens[i];
    if (!token.IsIdentifierToken || IsKnownName(token.Text)) continue;
    const bool callOpens =
        i + 1 < parser.Tokens.size() && parser.Tokens[i + 1]->Kind == token_kind::kOpenParen;
    std::string hint = SqlHint(UpperWords(token.SourceText), callOpens);
    if (!hint.empty()) {
      column = token.SourceStart;
      return hint;
    }
  }
  return {};
}

std::string CompileErrorMessage(const tParser& parser) {
  int column = 0;
  if (std::string hint = SqlWordProblem(parser, column); !hint.empty()) return hint;
  switch (parser.ErrorKind) {
    case tCompileError::MissingOperator:
      return TextWith(tText::MissingOperator, parser.ErrorSymbol);
    case tCompileError::UnknownFunction:
      return WithSuggestions(TextWith(tText::UnknownFunction, parser.ErrorSymbol),
                             NearestNames(parser.ErrorSymbol, true));
    case tCompileError::OpenString:
      return TextWith(tText::OpenStringLiteral, std::to_string(parser.ErrorColumn));
    case tCompileError::InvalidSymbol:
      if (parser.ErrorSymbol == "=" || parser.ErrorSymbol == "<>") {
        return parser.ErrorText + " " + Text(tText::EqualityOperatorHint);
      }
      return parser.ErrorText;
    default: return parser.ErrorText;
  }
}

std::vector<std::string> UnknownNameNotices(const std::vector<const tParser*>& parsers) {
  std::vector<std::string> notices;
  std::set<std::string> named;
  for (const tParser* parser : parsers) {
    for (const auto& token : parser->Tokens) {
      if (!token->IsIdentifierToken || IsKnownName(token->Text)) continue;
      if (!named.insert(AsciiLower(token->Text)).second) continue;
      notices.push_back(WithSuggestions(TextWith(tText::UnknownFieldName, token->Text),
                                        NearestNames(token->Text, false)));
    }
  }
  return notices;
}

std::string StatementErrorHint(const tOrvalis& statement, int position) {
  if (position < 2 || static_cast<std::size_t>(position) > statement.WorkText.size() + 1) return {};
  const std::vector<std::string> words = UpperWords(
      std::string_view(statement.WorkText).substr(0, static_cast<std::size_t>(position - 1)));
  if (words.empty()) return {};
  if (words.back() == "ORDER") return Text(tText::SqlOrderByHint);
  if (words.back() == "LIMIT") return Text(tText::SqlLimitHint);
  return {};
}

}  // namespace orvalis
