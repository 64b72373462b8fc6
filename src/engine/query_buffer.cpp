// The query buffer and its list file.
#include "engine/query_buffer.h"

#include "common/ascii_case.h"
#include "common/text.h"
#include "common/whole_file.h"
#include "i18n/file_messages.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace orvalis {

namespace {

// A list file larger than this is not ours.
constexpr std::size_t kMaxListFileBytes = 16u * 1024u * 1024u;

// ASCII letters compared without regard to case, every other byte by its value.
bool LessNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiLower(b[i]));
    if (ca != cb) return ca < cb;
  }
  return a.size() < b.size();
}

std::string SystemMessage(int code) { return std::strerror(code); }

}  // namespace

std::string StoredQueryText(std::string_view editorText) {
  std::string stored;
  stored.reserve(editorText.size());
  for (std::size_t i = 0; i < editorText.size(); ++i) {
    const char c = editorText[i];
    if (c == '\r' && i + 1 < editorText.size() && editorText[i + 1] == '\n') {
      stored += '|';
      ++i;
    } else if (c == '\n' || c == '\r') {
      // A lone line break would end the list file's line.
      stored += '|';
    } else {
      stored += c;
    }
  }
  return stored;
}

std::string RecalledQueryText(std::string_view stored) {
  std::string text;
  text.reserve(stored.size());
  for (const char c : stored) {
    if (c == '|') {
      text += "\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

void tQueryBuffer::ReadText(std::string_view text) {
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t number = lineNumber++;
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) {
      Insert({std::string(Trim(line.substr(0, equals))), std::string(line.substr(equals + 1))});
    } else {
      Insert({"Query #" + std::to_string(number), std::string(line)});
    }
  }
}

std::string tQueryBuffer::WriteText() const {
  std::vector<std::string> lines;
  lines.reserve(fEntries.size());
  for (const tQueryBufferEntry& entry : fEntries) lines.push_back(entry.Name + "=" + entry.Stored);
  std::stable_sort(lines.begin(), lines.end(),
                   [](const std::string& a, const std::string& b) { return LessNoCase(a, b); });
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

bool tQueryBuffer::Load(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int code = errno;
    if (code == ENOENT) return true;
    if (error) *error = SystemMessage(code);
    return false;
  }
  std::string text;
  char block[65536];
  while (text.size() <= kMaxListFileBytes && in.read(block, sizeof block).gcount() > 0) {
    text.append(block, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    if (error) *error = SystemMessage(errno);
    return false;
  }
  if (text.size() > kMaxListFileBytes) {
    // Not a list this program wrote; read in part it would be cut when saved.
    if (error) *error = SystemMessage(EFBIG);
    return false;
  }
  ReadText(text);
  return true;
}

bool tQueryBuffer::Save(const std::string& path, std::string* error) const {
  if (fEntries.empty()) return true;
  const tWholeWriteResult written = WriteFileWhole(path, WriteText());
  if (written.Outcome == tWholeWrite::Written) return true;
  if (error) *error = WriteFailureMessage(written);
  return false;
}

int tQueryBuffer::Find(std::string_view name) const {
  for (std::size_t i = 0; i < fEntries.size(); ++i) {
    if (EqualsNoCase(fEntries[i].Name, name)) return static_cast<int>(i);
  }
  return -1;
}

int tQueryBuffer::Put(std::string_view name, std::string_view stored) {
  const int existing = Find(name);
  if (existing >= 0) {
    fEntries[static_cast<std::size_t>(existing)].Stored = std::string(stored);
    return existing;
  }
  Insert({std::string(name), std::string(stored)});
  return Find(name);
}

void tQueryBuffer::Remove(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= fEntries.size()) return;
  fEntries.erase(fEntries.begin() + index);
}

void tQueryBuffer::Insert(tQueryBufferEntry entry) {
  const auto place = std::upper_bound(fEntries.begin(), fEntries.end(), entry,
                                      [](const tQueryBufferEntry& a, const tQueryBufferEntry& b) {
                                        return LessNoCase(a.Name, b.Name);
                                      });
  fEntries.insert(place, std::move(entry));
}

}  // namespace orvalis
