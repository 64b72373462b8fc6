// JSON output of result rows.
#include "output/json_writer.h"

#include "output/display_text.h"

namespace orvalis {
namespace {

std::string JsonArray(const std::vector<std::string>& texts) {
  std::string array = "[";
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) array += ", ";
    array += JsonString(texts[i]);
  }
  array += ']';
  return array;
}

// The JSON grammar of a number: -?(0|[1-9]d*)(.d+)?([eE][+-]?d+)?
bool IsJsonNumber(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i > start;
  };
  if (i < text.size() && text[i] == '-') ++i;
  if (i < text.size() && text[i] == '0') {
    ++i;
  } else if (!digits()) {
    return false;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (!digits()) return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (!digits()) return false;
  }
  return i == text.size();
}

std::string JsonCell(const std::string& text, Value::Variety variety) {
  switch (variety) {
    case Value::Variety::Empty: return "null";
    case Value::Variety::Boolean: return text == "0" ? "false" : "true";
    case Value::Variety::Integer:
    case Value::Variety::Number:
      if (IsJsonNumber(text)) return text;
      break;
    case Value::Variety::Text: break;
  }
  return JsonString(text);
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  const std::string utf8 = ToDisplayUtf8(bytes);
  std::string literal = "\"";
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': literal += "\\\""; break;
      case '\\': literal += "\\\\"; break;
      case '\b': literal += "\\b"; break;
      case '\f': literal += "\\f"; break;
      case '\n': literal += "\\n"; break;
      case '\r': literal += "\\r"; break;
      case '\t': literal += "\\t"; break;
      default:
        if (u < 0x20 || u == 0x7F) {
          literal += "\\u00";
          literal += kHex[u >> 4];
          literal += kHex[u & 0x0F];
        } else {
          literal += c;
        }
    }
  }
  literal += '"';
  return literal;
}

JsonWriter::JsonWriter(std::ostream& out) : out_(out) {}

void JsonWriter::Begin(const std::vector<std::string>& captions) {
  out_ << "{\"columns\": " << JsonArray(captions) << ", \"rows\": [";
}

void JsonWriter::WriteRow(std::string_view path, const std::vector<std::string>& cells,
                          const std::vector<Value::Variety>& varieties) {
  std::string array = "[";
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) array += ", ";
    array += JsonCell(cells[i], i < varieties.size() ? varieties[i] : Value::Variety::Text);
  }
  array += ']';
  out_ << (anyRow_ ? ",\n" : "\n") << "{\"path\": " << JsonString(path) << ", \"cells\": " << array
       << '}';
  anyRow_ = true;
}

void JsonWriter::End() { out_ << (anyRow_ ? "\n]}\n" : "]}\n"); }

}  // namespace orvalis
