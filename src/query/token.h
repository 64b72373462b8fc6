// One token of a compiled expression (tToken) with the kind, operator and
// type codes the scanner, compiler and evaluator share.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/value.h"

namespace orvalis {

// Token kinds (4 is not used).
namespace token_kind {
constexpr std::uint8_t kConstant = 0;
constexpr std::uint8_t kIdentifier = 1;
constexpr std::uint8_t kSeparator = 2;
constexpr std::uint8_t kPrefixOperator = 3;
constexpr std::uint8_t kInfixOperator = 5;
constexpr std::uint8_t kOpenParen = 6;
constexpr std::uint8_t kFunction = 7;
constexpr std::uint8_t kCloseParen = 8;
}  // namespace token_kind

// Operator codes and the type codes of the other tokens.
namespace token_code {
constexpr std::uint16_t kAdd = 1;
constexpr std::uint16_t kSubtract = 2;
constexpr std::uint16_t kMultiply = 3;
constexpr std::uint16_t kDivide = 4;
constexpr std::uint16_t kLess = 5;
constexpr std::uint16_t kGreater = 6;
constexpr std::uint16_t kEqual = 7;
constexpr std::uint16_t kNotEqual = 8;
constexpr std::uint16_t kLessEqual = 9;
constexpr std::uint16_t kGreaterEqual = 10;
constexpr std::uint16_t kOr = 11;
constexpr std::uint16_t kAnd = 12;
constexpr std::uint16_t kNot = 13;
constexpr std::uint16_t kUnaryMinus = 14;
constexpr std::uint16_t kContains = 15;
constexpr std::uint16_t kRemainder = 17;
constexpr std::uint16_t kConcat = 18;

constexpr std::uint16_t kNull = 247;
constexpr std::uint16_t kBoolean = 248;
constexpr std::uint16_t kString = 249;
constexpr std::uint16_t kNumber = 250;
constexpr std::uint16_t kSeparator = 251;
constexpr std::uint16_t kFunction = 252;
constexpr std::uint16_t kOpenParen = 253;
constexpr std::uint16_t kCloseParen = 254;
}  // namespace token_code

// Longest token text; longer names, numbers and string literals are cut.
constexpr std::size_t kMaxTokenText = 255;

struct tToken {
  std::uint8_t Kind = token_kind::kConstant;
  std::string Text;
  std::uint16_t Priority = 0;
  ::orvalis::Value Value;
  std::uint16_t Code = token_code::kNull;
  std::int16_t Column = 0;
  bool IsIdentifierToken = false;
  bool IsFunctionToken = false;
  // A name as it stood in the text, blanks included ("Make IS NULL" for the
  // name MakeISNULL), so that diagnostics can tell the words apart.
  std::string SourceText;
  // Where a name, number or string literal starts in the text (1-based).
  std::int32_t SourceStart = 0;
  // A value computed during evaluation (not a token of the text): freed as
  // soon as the operator or function that takes it has run.
  bool IsResultToken = false;
};

using tTokenArray = std::vector<tToken*>;

// The type code a value gets when it is stored in a token.
std::uint16_t TypeCodeOf(const Value& value);

}  // namespace orvalis
