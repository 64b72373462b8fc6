// The built-in functions of the query language, dispatched by name.
#include "query/function_handler.h"

#include "common/ascii_case.h"
#include "query/builtin_functions.h"
#include "query/text_functions.h"
#include "query/value_conversion.h"

namespace orvalis {

tMyFunctionHandler::tMyFunctionHandler(tImageMetaData* store, LocaleInfo locale)
    : store_(store), locale_(std::move(locale)) {}

bool tMyFunctionHandler::IsFunction(const std::string& name) {
  return FindBuiltinFunction(name) != nullptr;
}

std::uint16_t tMyFunctionHandler::GetResultType(const std::string& name) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  return f ? f->resultType : type_number::kNoType;
}

int tMyFunctionHandler::GetArgCount(const std::string& name) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  return f ? f->argCount : 255;
}

void tMyFunctionHandler::GetParamTypes(const std::string& name,
                                       std::vector<std::uint16_t>& types) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  types = f ? f->paramTypes : std::vector<std::uint16_t>{};
}

void tMyFunctionHandler::Execute(const std::string& name, const std::vector<Value>& args,
                                 Value& result) {
  const BuiltinFunction* f = FindBuiltinFunction(name);
  result = Value();
  if (f == nullptr || args.size() < static_cast<size_t>(f->argCount)) return;
  const std::string fn = f->name;
  const auto text = [&](size_t i) { return ValueToText(args[i], locale_); };
  if (fn == "upper") {
    result = Value::Text(AsciiUpper(text(0)));
  } else if (fn == "lower") {
    result = Value::Text(AsciiLower(text(0)));
  } else if (fn == "datepart") {
    result = DatePart(text(0), text(1));
  } else if (fn == "pad") {
    result = Value::Text(PadText(text(0), ValueToInteger(args[1], locale_)));
  } else if (fn == "isnull") {
    result = args[0].IsEmpty() ? args[1] : args[0];
  } else if (fn == "if") {
    result = (args[0].IsBoolean() && args[0].AsBoolean()) ? args[1] : args[2];
  } else if (fn == "ascii") {
    result = Value::Text(AsciiChar(ValueToInteger(args[0], locale_)));
  } else if (fn == "match") {
    result = Value::Boolean(MatchRegex(text(0), text(1)));
  } else if (fn == "hassegment") {
    result = Value::Text(HasSegment(text(0)));
  } else if (fn == "contains") {
    result = Value::Text(Contains(text(0)));
  } else if (fn == "dateformat") {
    result = Value::Text(FormatDateText(text(0), text(1), locale_));
  } else if (fn == "numformat") {
    result = Value::Text(FormatNumberValue(args[0], text(1), locale_));
  }
}

}  // namespace orvalis
