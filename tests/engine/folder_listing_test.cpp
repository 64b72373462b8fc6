// Wildcard masks and the name order of folder listings.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/folder_listing.h"
#include "engine_fixtures.h"

namespace orvalis::test {
namespace {

TEST(MatchesWildcard, Masks) {
  struct Case {
    const char* name;
    const char* mask;
    bool match;
  } cases[] = {
      {"a.jpg", "*.jpg", true},
      {"A.JPG", "*.jpg", true},
      {"a.jpeg", "*.jpg", false},
      {"x.jpg.bak", "*.jpg", false},
      {".jpg", "*.jpg", true},
      {"a.jpg", "?.jpg", true},
      {"ab.jpg", "?.jpg", false},
      {".jpg", "?.jpg", false},
      {"IMG_0001.JPG", "img_????.jpg", true},
      {"abc", "*.*", true},
      {"abc.d", "*.*", true},
      {"photo", "photo.*", true},
      {"photos", "photo.*", false},
      {"Photos", "photos", true},
      {"aXbXc", "a*b*c", true},
      {"aXbXcX", "a*b*c", false},
      {"abc", "a*c*", true},
      {"abababc", "*ab*c", true},
      {"", "*", true},
      {"a", "", false},
      {"", "?", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.name, c.mask), c.match) << c.name << " ~ " << c.mask;
  }
}

TEST(MatchesWildcard, ManyStarsStayQuick) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(MatchesWildcard(name, "*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(MatchesWildcard(name, "*a*a*a*a*a*a*a*a*a*"));
}

TEST(NameLess, IgnoresLetterCaseAndIsStrict) {
  std::vector<std::string> names{"b.jpg", "A.jpg", "c.JPG", "a.jpg", "B", "ab", "a"};
  std::sort(names.begin(), names.end(), NameLess);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "A.jpg", "a.jpg", "ab", "B", "b.jpg", "c.JPG"}));
  EXPECT_FALSE(NameLess("x", "x"));
}

TEST(ListFolder, FilesAndSubfoldersSeparatedAndSorted) {
  ScratchFolder s;
  s.Write("b.jpg", "x");
  s.Write("A.jpg", "x");
  s.Write("note.txt", "x");
  s.Write(".hidden.jpg", "x");
  s.MakeFolder("Zed");
  s.MakeFolder("alpha.jpg");  // a folder is never a file, whatever its name
  s.MakeFolder(".git");
  const FolderListing listing = ListFolder(s.Path(), "*.jpg", true);
  EXPECT_EQ(listing.files, (std::vector<std::string>{"A.jpg", "b.jpg"}));
  EXPECT_EQ(listing.subfolders, (std::vector<std::string>{"alpha.jpg", "Zed"}));
  EXPECT_EQ(listing.entriesRead, 9u);  // with "." and ".."
  EXPECT_TRUE(ListFolder(s.Path(), "*.jpg", false).subfolders.empty());
  EXPECT_THROW(ListFolder(s.Path() + "missing/", "*", false), std::system_error);
}

}  // namespace
}  // namespace orvalis::test
