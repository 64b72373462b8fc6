// A tiny JSON reader for the test that compares our entries with ExifTool's
// reading of the sample photos; enough for ExifTool's -j output.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "output/display_text.h"

namespace orvalis::test {

struct JsonValue {
  enum class Type { Null, Boolean, Number, String, Array, Object } type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string text;  // strings as UTF-8; numbers as written
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue> members;

  const JsonValue* Member(const std::string& key) const {
    const auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
  }
};

class JsonReader {
 public:
  explicit JsonReader(std::string text) : s_(std::move(text)) {}

  JsonValue Parse() {
    JsonValue v = Value();
    Blank();
    if (p_ != s_.size()) Fail("trailing text");
    return v;
  }

 private:
  [[noreturn]] void Fail(const char* why) {
    throw std::runtime_error(std::string("JSON: ") + why + " at " + std::to_string(p_));
  }
  void Blank() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\n' || s_[p_] == '\r' || s_[p_] == '\t'))
      ++p_;
  }
  char Peek() {
    Blank();
    if (p_ >= s_.size()) Fail("unexpected end");
    return s_[p_];
  }
  void Expect(char c) {
    if (Peek() != c) Fail("unexpected character");
    ++p_;
  }
  bool Word(const char* w) {
    const std::string word(w);
    if (s_.compare(p_, word.size(), word) != 0) return false;
    p_ += word.size();
    return true;
  }

  unsigned Hex4() {
    if (p_ + 4 > s_.size()) Fail("short escape");
    const unsigned v = static_cast<unsigned>(std::stoul(s_.substr(p_, 4), nullptr, 16));
    p_ += 4;
    return v;
  }

  std::string String() {
    Expect('"');
    std::string out;
    while (true) {
      if (p_ >= s_.size()) Fail("open string");
      const char c = s_[p_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (p_ >= s_.size()) Fail("open escape");
      const char e = s_[p_++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
          unsigned cp = Hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && s_.compare(p_, 2, "\\u") == 0) {
            p_ += 2;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (Hex4() - 0xDC00);
          }
          AppendUtf8(out, cp);
          break;
        }
        default: out += e;
      }
    }
  }

  JsonValue Value() {
    JsonValue v;
    const char c = Peek();
    if (c == '{') {
      ++p_;
      v.type = JsonValue::Type::Object;
      if (Peek() == '}') return ++p_, v;
      while (true) {
        std::string key = String();
        Expect(':');
        v.members[key] = Value();
        if (Peek() == ',') {
          ++p_;
          continue;
        }
        Expect('}');
        return v;
      }
    }
    if (c == '[') {
      ++p_;
      v.type = JsonValue::Type::Array;
      if (Peek() == ']') return ++p_, v;
      while (true) {
        v.items.push_back(Value());
        if (Peek() == ',') {
          ++p_;
          continue;
        }
        Expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.type = JsonValue::Type::String;
      v.text = String();
      return v;
    }
    if (Word("true")) {
      v.type = JsonValue::Type::Boolean;
      v.boolean = true;
      return v;
    }
    if (Word("false")) {
      v.type = JsonValue::Type::Boolean;
      return v;
    }
    if (Word("null")) return v;
    const std::size_t start = p_;
    while (p_ < s_.size() && std::string("+-0123456789.eE").find(s_[p_]) != std::string::npos) ++p_;
    if (p_ == start) Fail("unexpected character");
    v.type = JsonValue::Type::Number;
    v.text = s_.substr(start, p_ - start);
    v.number = std::stod(v.text);
    return v;
  }

  std::string s_;
  std::size_t p_ = 0;
};

}  // namespace orvalis::test
