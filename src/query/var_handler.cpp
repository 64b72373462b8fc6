// Field and variable binding of expression names to the current file.
#include "query/var_handler.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "metadata/image_metadata.h"
#include "common/ascii_case.h"

namespace orvalis {

namespace {
bool IsRowNumber(const std::string& name) { return EqualsNoCase(name, "rownum"); }

// The file size and the JFIF densities keep their decimal text as value; as
// number entries they bind as the number that text spells.
std::optional<double> DigitsNumber(const Value& v) {
  if (!v.IsText()) return std::nullopt;
  const std::string& s = v.AsText();
  if (s.empty() || s.size() > 20) return std::nullopt;
  double n = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}
// The number an entry stores behind its text: the code of a coded field
// (Orientation 6 for "right-top"), the quotient of a fraction ("1/250" gives
// 0.004), the number of a number field; none for texts and dates.
std::optional<double> StoredNumber(const tMetaEntry& entry) {
  const Value& v = entry.Value;
  if (v.IsNumber()) return v.AsNumber();
  if (v.IsInteger()) return static_cast<double>(v.AsInteger());
  if (!v.IsText()) return std::nullopt;
  if (const auto digits = DigitsNumber(v)) return digits;
  const std::string& s = v.AsText();
  const std::size_t slash = s.find('/');
  if (slash == std::string::npos || slash == 0 || slash + 1 >= s.size()) return std::nullopt;
  double numerator = 0;
  double denominator = 0;
  const auto n = std::from_chars(s.data() + (s[0] == '-' ? 1 : 0), s.data() + slash, numerator);
  const auto d = std::from_chars(s.data() + slash + 1, s.data() + s.size(), denominator);
  if (n.ec != std::errc() || n.ptr != s.data() + slash || d.ec != std::errc() ||
      d.ptr != s.data() + s.size() || denominator == 0) {
    return std::nullopt;
  }
  return (s[0] == '-' ? -numerator : numerator) / denominator;
}
}  // namespace

bool tMyVarHandler::IsIdentifier(const std::string&) { return true; }

bool tMyVarHandler::GetValue(const std::string& name, Value& value) {
  if (!name.empty() && name.back() == '#') {
    const tMetaEntry* entry = store_.FindEntry(std::string_view(name).substr(0, name.size() - 1));
    if (entry == nullptr) return false;
    const std::optional<double> number = StoredNumber(*entry);
    if (!number) return false;
    value = Value::Number(*number);
    return true;
  }
  if (IsRowNumber(name)) {
    value = Value::Integer(static_cast<std::uint32_t>(store_.RowNumber));
    return true;
  }
  const tMetaEntry* entry = store_.FindEntry(name);
  if (entry == nullptr) return false;
  if (entry->Kind == kind::kNumber) {
    const Value& v = entry->Value;
    if (v.IsNumber()) {
      value = v;
    } else if (v.IsInteger()) {
      value = Value::Number(static_cast<double>(v.AsInteger()));
    } else if (v.IsBoolean()) {
      value = Value::Number(v.AsBoolean() ? -1 : 0);
    } else if (const auto digits = DigitsNumber(v)) {
      value = Value::Number(*digits);
    } else {
      // A number entry without a numeric value has only its text to offer.
      value = Value::Text(WholeText(*entry));
    }
    return true;
  }
  value = Value::Text(WholeText(*entry));
  return true;
}

std::uint16_t tMyVarHandler::GetValueType(const std::string& name) {
  if (IsRowNumber(name)) return type_number::kUnsigned32;
  const tMetaEntry* entry = store_.FindEntry(name);
  if (entry == nullptr) return 0;
  switch (entry->Value.variety()) {
    case Value::Variety::Empty: return 0;
    case Value::Variety::Boolean: return type_number::kBoolean;
    case Value::Variety::Integer: return type_number::kInteger;
    case Value::Variety::Number: return type_number::kFloat;
    case Value::Variety::Text: return type_number::kText;
  }
  return 0;
}

}  // namespace orvalis
