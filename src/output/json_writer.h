// JSON output of result rows for the command line:
// {"columns": [captions], "rows": [{"path": "...", "cells": ["...", ...]}, ...]}
// written as the hits come, one row per line, texts as UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace orvalis {

// A JSON string literal (with its quotes) of a core byte string, through
// ToDisplayUtf8.
std::string JsonString(std::string_view bytes);

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out);

  void Begin(const std::vector<std::string>& captions);
  void WriteRow(std::string_view path, const std::vector<std::string>& cells);
  void End();

 private:
  std::ostream& out_;
  bool anyRow_ = false;
};

}  // namespace orvalis
