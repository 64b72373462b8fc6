// Field and variable binding of expression names to the current file.
#include "query/var_handler.h"

#include <optional>

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
}  // namespace

bool tMyVarHandler::IsIdentifier(const std::string&) { return true; }

bool tMyVarHandler::GetValue(const std::string& name, Value& value) {
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
