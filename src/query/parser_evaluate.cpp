// Evaluation of a compiled expression: the postfix walk with a value stack,
// argument collection, and the operators with their coercion rules.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "query/exceptions.h"
#include "query/parser.h"
#include "query/value_conversion.h"

namespace orvalis {

namespace {

bool IsOperator(const tToken& token) {
  return token.Kind == token_kind::kPrefixOperator || token.Kind == token_kind::kInfixOperator;
}

// Value arithmetic of "-", "*" and the unary minus: two integers stay
// integers (falling back to floating point on overflow); anything else is
// computed in floating point.
Value Arithmetic(const Value& a, const Value& b, bool multiply, const LocaleInfo& locale) {
  if (a.IsInteger() && b.IsInteger()) {
    std::int64_t r = 0;
    const bool overflow = multiply ? __builtin_mul_overflow(a.AsInteger(), b.AsInteger(), &r)
                                   : __builtin_sub_overflow(a.AsInteger(), b.AsInteger(), &r);
    if (!overflow) return Value::Integer(r);
  }
  const double x = ValueToNumber(a, locale);
  const double y = ValueToNumber(b, locale);
  return Value::Number(multiply ? x * y : x - y);
}

double AsFloat(const Value& v) {
  return v.IsInteger() ? static_cast<double>(v.AsInteger()) : v.AsNumber();
}

int CompareNumbers(const Value& a, const Value& b) {
  if (a.IsInteger() && b.IsInteger()) {
    return a.AsInteger() < b.AsInteger() ? -1 : (a.AsInteger() > b.AsInteger() ? 1 : 0);
  }
  const double x = AsFloat(a);
  const double y = AsFloat(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

int CompareTexts(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  if (c != 0) return c < 0 ? -1 : 1;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int CompareBooleans(bool a, bool b) { return a == b ? 0 : (a ? 1 : -1); }

Value BooleanAsNumber(const Value& v) { return Value::Integer(v.AsBoolean() ? -1 : 0); }

// The comparison table of the language: numbers with texts compare
// numerically, texts with booleans as booleans, texts with texts by
// character codes.
int CompareValues(const Value& a, const Value& b, const LocaleInfo& locale) {
  if (a.IsNumeric()) {
    if (b.IsNumeric()) return CompareNumbers(a, b);
    if (b.IsText()) return CompareNumbers(a, Value::Number(ValueToNumber(b, locale)));
    return CompareNumbers(a, BooleanAsNumber(b));
  }
  if (a.IsText()) {
    if (b.IsNumeric()) return CompareNumbers(Value::Number(ValueToNumber(a, locale)), b);
    if (b.IsText()) return CompareTexts(a.AsText(), b.AsText());
    return CompareBooleans(ValueToBoolean(a, locale), b.AsBoolean());
  }
  // a is boolean
  if (b.IsNumeric()) return CompareNumbers(BooleanAsNumber(a), b);
  if (b.IsText()) return CompareBooleans(a.AsBoolean(), ValueToBoolean(b, locale));
  return CompareBooleans(a.AsBoolean(), b.AsBoolean());
}

}  // namespace

bool tParser::ResolveIdentifier(tToken& token) {
  if (IdentifierHandler == nullptr) return false;
  const bool found = IdentifierHandler->GetValue(token.Text, token.Value);
  token.Code = TypeCodeOf(token.Value);
  return found;
}

void tParser::PopArguments(tToken& op) {
  std::size_t count = 0;
  std::vector<std::uint16_t> paramTypes;
  if (op.Kind == token_kind::kPrefixOperator) {
    count = 1;
  } else if (op.Kind == token_kind::kInfixOperator) {
    count = 2;
  } else if (FunctionHandler != nullptr) {
    count = static_cast<std::size_t>(std::max(0, FunctionHandler->GetArgCount(op.Text)));
    FunctionHandler->GetParamTypes(op.Text, paramTypes);
  }
  if (Stack.size() < count) throw EEvaluationException("Stack underflow");
  Arguments.assign(Stack.end() - static_cast<std::ptrdiff_t>(count), Stack.end());
  Stack.resize(Stack.size() - count);
  if (op.Kind != token_kind::kFunction) return;
  for (std::size_t i = 0; i < Arguments.size() && i < paramTypes.size(); ++i) {
    const std::uint16_t wanted = ParamTypeToCode(paramTypes[i]);
    if (wanted != 0 && Arguments[i]->Code != wanted) {
      throw EEvaluationException("Datatype mismatch");
    }
  }
}

void tParser::ComputeOperator(const tToken& op, tToken& result) {
  const Value& a = Arguments[0]->Value;
  const Value& b = Arguments.size() > 1 ? Arguments[1]->Value : a;
  const LocaleInfo& loc = Locale;
  Value r;
  switch (op.Code) {
    case token_code::kAdd:
      if (Arguments[0]->Code == token_code::kString) {
        r = Value::Text(ValueToText(a, loc) + ValueToText(b, loc));
      } else {
        r = Value::Number(ValueToNumber(a, loc) + ValueToNumber(b, loc));
      }
      break;
    case token_code::kSubtract:
    case token_code::kMultiply: {
      const Value v = Arithmetic(a, b, op.Code == token_code::kMultiply, loc);
      r = Value::Number(v.IsInteger() ? static_cast<double>(v.AsInteger()) : v.AsNumber());
      break;
    }
    case token_code::kDivide: {
      const double y = ValueToNumber(b, loc);
      const double x = ValueToNumber(a, loc);
      if (y == 0) throw EEvaluationException("Floating point division by zero");
      r = Value::Number(x / y);
      break;
    }
    case token_code::kRemainder: {
      const std::int64_t x = ValueToInteger(a, loc);
      const std::int64_t y = ValueToInteger(b, loc);
      if (y == 0) throw EEvaluationException("Division by zero");
      r = Value::Number(y == -1 ? 0.0 : static_cast<double>(x % y));
      break;
    }
    case token_code::kConcat: r = Value::Text(ValueToText(a, loc) + ValueToText(b, loc)); break;
    case token_code::kContains: {
      const std::string needle = ValueToText(b, loc);
      r = Value::Boolean(!needle.empty() && ValueToText(a, loc).find(needle) != std::string::npos);
      break;
    }
    case token_code::kEqual: r = Value::Boolean(CompareValues(a, b, loc) == 0); break;
    case token_code::kNotEqual: r = Value::Boolean(CompareValues(a, b, loc) != 0); break;
    case token_code::kLess: r = Value::Boolean(CompareValues(a, b, loc) < 0); break;
    case token_code::kLessEqual: r = Value::Boolean(CompareValues(a, b, loc) <= 0); break;
    case token_code::kGreater: r = Value::Boolean(CompareValues(a, b, loc) > 0); break;
    case token_code::kGreaterEqual: r = Value::Boolean(CompareValues(a, b, loc) >= 0); break;
    case token_code::kAnd:
    case token_code::kOr: {
      const bool isAnd = op.Code == token_code::kAnd;
      const bool logical =
          (a.IsBoolean() && (b.IsBoolean() || b.IsText())) || (b.IsBoolean() && a.IsText());
      if (logical) {
        const bool x = ValueToBoolean(a, loc);
        const bool y = ValueToBoolean(b, loc);
        r = Value::Boolean(isAnd ? (x && y) : (x || y));
      } else {
        const std::int64_t x = ValueToInteger(a, loc);
        const std::int64_t y = ValueToInteger(b, loc);
        r = Value::Boolean((isAnd ? (x & y) : (x | y)) != 0);
      }
      break;
    }
    case token_code::kNot:
      if (a.IsBoolean()) {
        r = Value::Boolean(!a.AsBoolean());
      } else {
        r = Value::Integer(~ValueToInteger(a, loc));
      }
      break;
    case token_code::kUnaryMinus: r = Arithmetic(a, Value::Integer(-1), true, loc); break;
    default: throw EEvaluationException("Invalid operator: " + op.Text);
  }
  result.Value = std::move(r);
}

void tParser::ComputeFunction(const tToken& fn, tToken& result) {
  std::vector<Value> values;
  values.reserve(Arguments.size());
  // A computed argument is not needed again: its text moves, not copies.
  for (tToken* argument : Arguments) {
    values.push_back(argument->IsResultToken ? std::move(argument->Value) : argument->Value);
  }
  Value r;
  FunctionHandler->Execute(fn.Text, values, r);
  result.Value = std::move(r);
}

bool tParser::Evaluate() {
  Stack.clear();
  Arguments.clear();
  resultTokens_.clear();
  Result = nullptr;
  ErrorText.clear();
  try {
    if (Output.empty()) throw EEvaluationException("Empty expression");
    for (tToken* token : Output) {
      CurrentToken = token;
      if (token->Kind == token_kind::kConstant) {
        Stack.push_back(token);
      } else if (token->Kind == token_kind::kIdentifier) {
        if (!ResolveIdentifier(*token)) {
          token->Value = Value();
          token->Code = token_code::kNull;
        }
        Stack.push_back(token);
      } else if (IsOperator(*token) || token->Kind == token_kind::kFunction) {
        auto result = std::make_unique<tToken>();
        result->IsResultToken = true;
        result->Kind = token_kind::kConstant;
        result->Text = token->Text;
        result->Column = token->Column;
        PopArguments(*token);
        const bool isFunction = token->Kind == token_kind::kFunction;
        const bool anyEmpty = std::any_of(Arguments.begin(), Arguments.end(),
                                          [](const tToken* t) { return t->Value.IsEmpty(); });
        if (anyEmpty && !isFunction) {
          result->Value = Value();
        } else if (isFunction) {
          if (FunctionHandler == nullptr)
            throw EEvaluationException("Invalid symbol: " + token->Text);
          ComputeFunction(*token, *result);
        } else {
          ComputeOperator(*token, *result);
        }
        // Values taken by this step are freed now, so that a long chain of
        // operators holds only what is still to be used.
        for (tToken* argument : Arguments) {
          if (argument->IsResultToken) argument->Value = Value();
        }
        if (result->Value.IsText() && result->Value.AsText().size() > kMaxTextValue) {
          TextLimitReached = true;
          throw EEvaluationException("Text too long");
        }
        result->Code = TypeCodeOf(result->Value);
        Stack.push_back(result.get());
        resultTokens_.push_back(std::move(result));
      } else {
        // Separators and parentheses never reach the output of a successful compile.
        throw EEvaluationException("Invalid symbol: " + token->Text);
      }
    }
    Result = Stack.back();
    Stack.pop_back();
    Stack.clear();
    CurrentToken = nullptr;
    return true;
  } catch (const std::bad_alloc&) {
    MemoryLimitReached = true;
    ErrorText = "Out of memory";
    Stack.clear();
    Arguments.clear();
    resultTokens_.clear();
    Result = nullptr;
    CurrentToken = nullptr;
    return false;
  } catch (const std::exception& e) {
    ErrorText = e.what();
    Stack.clear();
    Arguments.clear();
    Result = nullptr;
    CurrentToken = nullptr;
    return false;
  }
}

}  // namespace orvalis
