// The table of the built-in functions.
#include "query/builtin_functions.h"

#include "common/ascii_case.h"
#include "query/handlers.h"
#include "query/text_functions.h"
#include "query/value_conversion.h"

namespace orvalis {

std::string tFunctionCall::Text(std::size_t i) const { return ValueToText(args[i], locale); }

const std::vector<BuiltinFunction>& BuiltinFunctions() {
  using namespace type_number;
  // clang-format off
  static const std::vector<BuiltinFunction> table = {
      {"upper", 1, {kText}, kText,
       [](const tFunctionCall& c) { return Value::Text(AsciiUpper(c.Text(0))); }},
      {"lower", 1, {kText}, kText,
       [](const tFunctionCall& c) { return Value::Text(AsciiLower(c.Text(0))); }},
      {"datepart", 2, {kText, kText}, kInteger,
       [](const tFunctionCall& c) { return DatePart(c.Text(0), c.Text(1)); }},
      {"pad", 2, {kText, kFloat}, kText,
       [](const tFunctionCall& c) {
         return Value::Text(PadText(c.Text(0), ValueToInteger(c.args[1], c.locale)));
       }},
      {"isnull", 2, {kAny, kAny}, kAny,
       [](const tFunctionCall& c) { return c.args[0].IsEmpty() ? c.args[1] : c.args[0]; }},
      {"if", 3, {kBoolean, kAny, kAny}, kAny,
       [](const tFunctionCall& c) {
         return (c.args[0].IsBoolean() && c.args[0].AsBoolean()) ? c.args[1] : c.args[2];
       }},
      {"ascii", 1, {kFloat}, kText,
       [](const tFunctionCall& c) {
         return Value::Text(AsciiChar(ValueToInteger(c.args[0], c.locale)));
       }},
      {"match", 2, {kText, kText}, kBoolean,
       [](const tFunctionCall& c) { return Value::Boolean(MatchRegex(c.Text(0), c.Text(1))); }},
      {"hassegment", 1, {kText}, kBoolean,
       [](const tFunctionCall& c) { return Value::Text(HasSegmentText(c.store, c.Text(0))); }},
      {"contains", 1, {kText}, kText,
       [](const tFunctionCall& c) { return Value::Text(ContainsText(c.store, c.Text(0))); }},
      {"dateformat", 2, {kText, kText}, kText,
       [](const tFunctionCall& c) {
         return Value::Text(FormatDateText(c.Text(0), c.Text(1), c.locale));
       }},
      // "&" joins texts; the bits of a coded number (Flash: bit 0 fired)
      // are tested with band(Flash#, 1) == 1.
      {"band", 2, {kFloat, kFloat}, kInteger,
       [](const tFunctionCall& c) {
         return Value::Integer(ValueToInteger(c.args[0], c.locale) &
                               ValueToInteger(c.args[1], c.locale));
       }},
      {"numformat", 2, {kAny, kText}, kText,
       [](const tFunctionCall& c) {
         return Value::Text(FormatNumberValue(c.args[0], c.Text(1), c.locale));
       }},
  };
  // clang-format on
  return table;
}

const BuiltinFunction* FindBuiltinFunction(const std::string& name) {
  for (const BuiltinFunction& f : BuiltinFunctions()) {
    if (EqualsNoCase(name, f.name)) return &f;
  }
  return nullptr;
}

}  // namespace orvalis
