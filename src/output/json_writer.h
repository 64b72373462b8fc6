// JSON output of result rows for the command line:
// {"columns": [captions], "rows": [{"path": "...", "cells": ["...", 2.8, true, null]}, ...]}
// written as the hits come, one row per line, texts as UTF-8; numbers,
// booleans and empty values keep their JSON types.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/value.h"

namespace orvalis {

// A JSON string literal (with its quotes) of a core byte string, through
// ToDisplayUtf8.
std::string JsonString(std::string_view bytes);

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out);

  void Begin(const std::vector<std::string>& captions);
  // varieties: what kind of value each cell's text stands for; a cell
  // without one is a text. A number whose text is no JSON number (an
  // infinity) is written as a text.
  void WriteRow(std::string_view path, const std::vector<std::string>& cells,
                const std::vector<Value::Variety>& varieties = {});
  void End();

 private:
  std::ostream& out_;
  bool anyRow_ = false;
};

}  // namespace orvalis
