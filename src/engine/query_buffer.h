// The query buffer: named queries kept between program runs in the list file
// "Querylist.txt" of the data folder. A stored text is the query with every
// CR LF replaced by "|", so each entry is one line "name=text" of the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

struct tQueryBufferEntry {
  std::string Name;
  std::string Stored;  // the query with "|" for its line breaks
};

inline constexpr std::string_view kQueryBufferFileName = "Querylist.txt";

// The editor's text (lines ending with CR LF, or LF) as a stored text.
std::string StoredQueryText(std::string_view editorText);
// A stored text back as editor text: every "|" becomes CR LF.
std::string RecalledQueryText(std::string_view stored);

class tQueryBuffer {
 public:
  // Entries sorted by name, ASCII letters without regard to case; entries of
  // the same name keep the order they came in.
  const std::vector<tQueryBufferEntry>& Entries() const { return fEntries; }
  std::size_t Size() const { return fEntries.size(); }
  bool Empty() const { return fEntries.empty(); }

  // Adds the lines of a list file: blank lines and lines starting with ";"
  // are passed over; "name=text" names an entry; any other line is the text
  // of an entry named "Query #n" with n its line number counted from 0.
  // Lines end with LF or CR LF; any bytes are taken as they are.
  void ReadText(std::string_view text);
  // One "name=text" line per entry, sorted over the whole line without
  // regard to case, each ending with CR LF.
  std::string WriteText() const;

  // Reads the list file; a missing file leaves the buffer empty. Returns
  // false (with the system's message) when an existing file cannot be read
  // or is far larger than any list (16 MiB); nothing of it is taken then.
  bool Load(const std::string& path, std::string* error = nullptr);
  // Writes the list file whole into a temporary file next to it and renames
  // that into place. An empty buffer leaves the file untouched.
  bool Save(const std::string& path, std::string* error = nullptr) const;

  // Index of the entry with this name (without regard to case), or -1.
  int Find(std::string_view name) const;
  // Files a text under a name: a new name goes to its sorted place, an
  // existing entry gets the new text. Returns the entry's index.
  int Put(std::string_view name, std::string_view stored);
  void Remove(int index);

 private:
  void Insert(tQueryBufferEntry entry);

  std::vector<tQueryBufferEntry> fEntries;
};

}  // namespace orvalis
