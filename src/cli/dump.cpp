// orvalis-cli --dump: every metadata entry of each file, one TAB-separated
// line per entry in store order, then a line per item the reader passed over.
#include <exception>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "metadata/image_metadata.h"
#include "metadata/number_text.h"
#include "output/display_text.h"

namespace orvalis::cli {

namespace {

std::string ValueText(const Value& v) {
  switch (v.variety()) {
    case Value::Variety::Empty: return "";
    case Value::Variety::Boolean: return v.AsBoolean() ? "true" : "false";
    case Value::Variety::Integer: return std::to_string(v.AsInteger());
    case Value::Variety::Number: return NumberText(v.AsNumber());
    case Value::Variety::Text: return v.AsText();
  }
  return "";
}

void PrintEntries(const tImageMetaData& store, std::ostream& out) {
  for (const tMetaEntry& e : store.Entries()) {
    out << static_cast<int>(e.Group) << '\t' << e.Tag << '\t' << tImageMetaData::TagName(e) << '\t'
        << static_cast<int>(e.Kind) << '\t' << EscapeField(ToDisplayUtf8(e.Text)) << '\t'
        << EscapeField(ToDisplayUtf8(ValueText(e.Value))) << '\n';
  }
  // Then why segments, entries or bytes were passed over.
  for (const std::string& reason : store.Dropped())
    out << "! " << EscapeField(ToDisplayUtf8(reason)) << '\n';
}

}  // namespace

int RunDump(const Arguments& args) {
  std::size_t first = 0;
  bool merged = false;
  if (!args.empty() && args[0] == "--merged") {
    merged = true;
    first = 1;
  }
  if (first >= args.size()) return UsageError("--dump needs at least one file");

  tImageMetaData store;
  store.MergeIptcLists = merged ? 1 : 0;
  int status = kExitOk;
  for (std::size_t i = first; i < args.size(); ++i) {
    store.Clear();
    std::cout << "# " << args[i] << '\n';
    try {
      store.ReadJpegFile(args[i]);
      if (!store.IsPhoto()) {
        std::cout << "! not a photo file\n";
        continue;
      }
      PrintEntries(store, std::cout);
    } catch (const std::exception& e) {
      PrintEntries(store, std::cout);
      std::cout << "! " << e.what() << '\n';
      status = kExitRefused;
    }
  }
  std::cout.flush();
  return status;
}

}  // namespace orvalis::cli
