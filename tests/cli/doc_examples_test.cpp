// Every query the documentation shows is run: the examples of the README,
// of the help pages (marked class="example", German and English) and of the
// manual page compile without a notice about an unknown name, expressions
// evaluate on at least one sample photo, and where the README shows what a
// search over samples/ prints, the search prints exactly that.
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_spawn.h"

namespace orvalis::test {
namespace {

const std::string kSource = ORVALIS_SOURCE_DIR;
const std::string kSamples = kSource + "/samples";

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool StartsWithSelect(const std::string& text) {
  const std::size_t at = text.find_first_not_of(" \t");
  return at != std::string::npos && text.size() >= at + 7 &&
         (text.compare(at, 7, "SELECT ") == 0 || text.compare(at, 7, "select ") == 0);
}

// The words of a shell command line: blanks separate, double quotes group.
Strings ShellWords(const std::string& line) {
  Strings words;
  std::string word;
  bool quoted = false;
  bool any = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// A query compiles as a run would take it, and names only known fields.
void ExpectQueryCompiles(const std::string& query, const std::string& where) {
  static std::set<std::string> checked;
  if (!checked.insert(query).second) return;
  const CliRun run = RunCli({"--explain", query});
  EXPECT_EQ(run.exit, 0) << where << ": " << query << "\n" << run.out << run.err;
  EXPECT_EQ(run.out.find("notice:"), std::string::npos) << where << ": " << query << "\n"
                                                        << run.out;
}

// An expression compiles and evaluates without error on some photo of
// samples/ or, for fields the samples lack (Flash), of the shared corpus.
void ExpectExpressionWorks(const std::string& expression, const std::string& where) {
  // The two languages share most examples; each is run once.
  static std::set<std::string> checked;
  if (!checked.insert(expression).second) return;
  ExpectQueryCompiles("SELECT " + expression + " FROM x", where);
  std::string last;
  for (const std::string& folder : {kSamples, std::string(ORVALIS_CORPUS_DIR) + "/exif-samples"}) {
    if (!std::filesystem::is_directory(folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() != ".jpg") continue;
      const CliRun run = RunCli({"--eval", expression, entry.path().string()});
      if (run.exit == 0 && run.out.rfind("error:", 0) != 0) return;
      last = run.out + run.err;
    }
  }
  // Without the shared corpus, fields only its photos have cannot be tried.
  if (!std::filesystem::is_directory(std::string(ORVALIS_CORPUS_DIR) + "/exif-samples")) return;
  ADD_FAILURE() << where << ": " << expression << " fails on every photo: " << last;
}

std::string Unescape(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (std::size_t at; (at = text.find(entity)) != std::string::npos;) {
      text.replace(at, std::string(entity).size(), character);
    }
  }
  return text;
}

// One example of a help page: statements (comment lines dropped, blank lines
// between them, "FROM ..." standing for any folder), WHERE lines, or an
// expression.
void CheckHelpExample(const std::string& example, const std::string& where) {
  std::vector<std::string> chunks(1);
  for (const std::string& line : Lines(example)) {
    if (line.rfind("--", 0) == 0) continue;
    if (line.find_first_not_of(" \t") == std::string::npos) {
      chunks.emplace_back();
      continue;
    }
    chunks.back() += (chunks.back().empty() ? "" : "\n") + line;
  }
  for (std::string chunk : chunks) {
    if (chunk.empty()) continue;
    if (StartsWithSelect(chunk)) {
      chunk = std::regex_replace(chunk, std::regex("FROM \\.\\.\\."), "FROM x");
      ExpectQueryCompiles(chunk, where);
    } else if (chunk.rfind("WHERE ", 0) == 0) {
      for (const std::string& line : Lines(chunk)) ExpectExpressionWorks(line.substr(6), where);
    } else {
      ExpectExpressionWorks(chunk, where);
    }
  }
}

TEST(DocExamples, HelpPagesInBothLanguages) {
  const std::regex example("<(pre|code) class=\"example\">([\\s\\S]*?)</\\1>");
  int found = 0;
  for (const char* language : {"de", "en"}) {
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(kSource + "/help/" + language)) {
      if (entry.path().extension() != ".htm") continue;
      const std::string page = ReadText(entry.path().string());
      for (std::sregex_iterator m(page.begin(), page.end(), example), end; m != end; ++m) {
        ++found;
        CheckHelpExample(Unescape((*m)[2].str()), entry.path().filename().string());
      }
    }
  }
  EXPECT_GT(found, 40);
}

TEST(DocExamples, ManualPage) {
  int found = 0;
  for (std::string line : Lines(ReadText(kSource + "/data/man/orvalis-cli.1"))) {
    if (line.find("orvalis-cli") == std::string::npos || line.find("\"SELECT") == std::string::npos)
      continue;
    for (std::size_t at; (at = line.find("\\-")) != std::string::npos;) line.erase(at, 1);
    for (const std::string& word : ShellWords(line)) {
      if (StartsWithSelect(word)) {
        ++found;
        ExpectQueryCompiles(word, "orvalis-cli.1");
      }
    }
  }
  EXPECT_GE(found, 3);
}

// Every page of ours that a manual page names under SEE ALSO is installed.
TEST(DocExamples, ManualPagesNameOnlyInstalledPages) {
  const std::string install = ReadText(kSource + "/cmake/install.cmake");
  const std::regex reference(R"(^\.BR (orvalis[a-z-]*) \(1\))");
  int found = 0;
  for (const auto& page : std::filesystem::directory_iterator(kSource + "/data/man")) {
    for (const std::string& line : Lines(ReadText(page.path().string()))) {
      std::smatch name;
      if (!std::regex_search(line, name, reference)) continue;
      ++found;
      EXPECT_NE(install.find("data/man/" + name[1].str() + ".1"), std::string::npos)
          << page.path() << " names " << name[1] << "(1)";
    }
  }
  EXPECT_GE(found, 1);
}

// README: "$ orvalis-cli ..." lines in code blocks run inside samples/ and
// print exactly the lines below them; other queries in code blocks compile.
TEST(DocExamples, Readme) {
  const std::vector<std::string> lines = Lines(ReadText(kSource + "/README.md"));
  bool inBlock = false;
  int runs = 0;
  int queries = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("```", 0) == 0) {
      inBlock = !inBlock;
      continue;
    }
    if (!inBlock) continue;
    if (line.rfind("$ orvalis-cli ", 0) == 0) {
      Strings args = ShellWords(line.substr(14));
      std::string expected;
      while (i + 1 < lines.size() && !lines[i + 1].empty() && lines[i + 1].rfind("$ ", 0) != 0 &&
             lines[i + 1].rfind("```", 0) != 0) {
        expected += lines[++i] + "\n";
      }
      SpawnOptions options;
      options.locale = "C.UTF-8";
      options.workDir = kSamples;
      const CliRun run = RunCli(args, options);
      EXPECT_EQ(run.exit, 0) << line;
      EXPECT_EQ(run.err, "") << line;
      EXPECT_EQ(run.out, expected) << line;
      ++runs;
    } else if (StartsWithSelect(line) && line.find(" [") == std::string::npos) {
      // A statement goes on over the indented lines below it.
      std::string query = line;
      while (i + 1 < lines.size() && (lines[i + 1].rfind("  ", 0) == 0)) query += "\n" + lines[++i];
      ExpectQueryCompiles(query, "README.md");
      ++queries;
    } else if (line.find("orvalis-cli") != std::string::npos) {
      for (const std::string& word : ShellWords(line)) {
        if (!StartsWithSelect(word)) continue;
        ExpectQueryCompiles(word, "README.md");
        ++queries;
      }
    }
  }
  EXPECT_GE(runs, 8);
  EXPECT_GE(queries, 8);
}

}  // namespace
}  // namespace orvalis::test
