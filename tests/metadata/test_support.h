// Small helpers shared by the metadata tests: reading a fixture into a store
// and describing an entry's typed value in one short text.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "metadata/image_metadata.h"
#include "metadata/number_text.h"

namespace orvalis::test {

inline void Load(tImageMetaData& store, const std::string& name, const Bytes& bytes) {
  store.Clear();
  store.ReadJpegFile(WriteFile(name, bytes));
}

// The first entry of (group, tag), or null.
inline const tMetaEntry* Find(const tImageMetaData& store, std::uint8_t group, std::uint16_t tag) {
  for (const tMetaEntry& e : store.Entries())
    if (e.Group == group && e.Tag == tag) return &e;
  return nullptr;
}

inline int CountOf(const tImageMetaData& store, std::uint8_t group, std::uint16_t tag) {
  int n = 0;
  for (const tMetaEntry& e : store.Entries()) n += e.Group == group && e.Tag == tag;
  return n;
}

// "-" empty, "i:6" integer, "n:2.8" number, "t:abc" text.
inline std::string Describe(const Value& v) {
  if (v.IsEmpty()) return "-";
  if (v.IsInteger()) return "i:" + std::to_string(v.AsInteger());
  if (v.IsNumber()) return "n:" + NumberText(v.AsNumber());
  if (v.IsText()) return "t:" + v.AsText();
  return v.AsBoolean() ? "b:true" : "b:false";
}

// Checks an entry against a table row's kind, text and Describe'd value;
// kind -1 means there must be no entry.
inline void ExpectEntry(const tMetaEntry* e, int kind, const std::string& text,
                        const std::string& value) {
  if (kind < 0) {
    EXPECT_EQ(e, nullptr);
    return;
  }
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Kind, kind);
  EXPECT_EQ(e->Text, text);
  EXPECT_EQ(Describe(e->Value), value);
}

}  // namespace orvalis::test
