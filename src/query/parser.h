// One compiled expression of the query language (tParser): a scanner state
// machine cuts the text into tokens, a classifier gives each its kind, and a
// compiler puts them into postfix order; Evaluate walks that order per file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "query/handlers.h"
#include "common/locale_info.h"
#include "query/token.h"

namespace orvalis {

// Why a compile failed, for callers that explain it in the user's language
// (ErrorText keeps the parser's own English words).
enum class tCompileError {
  None,
  Syntax,           // a character no scanner state accepts
  InvalidSymbol,    // a text the classifier rejects ("=", "<>", "^")
  Unbalanced,       // parentheses that do not pair up
  MissingOperator,  // two operands side by side (ErrorSymbol: the second)
  UnknownFunction,  // a name followed by "(" that is no function
  OpenString,       // a string literal that is never closed
  TooLong,
};

class tParser {
 public:
  // Longest expression text accepted; longer texts are refused when compiled
  // (token columns are 16-bit, and nobody types more).
  static constexpr std::size_t kMaxExpressionLength = 32000;

  tParser() = default;
  tParser(const tParser&) = delete;
  tParser& operator=(const tParser&) = delete;

  // Configuration, set before Compile.
  std::string Expression;
  char StringDelimiter = '\'';
  char ArgumentSeparator = ',';
  tIdentifierClass* IdentifierHandler = nullptr;
  tFunctionClass* FunctionHandler = nullptr;
  // The user's locale for converting texts to numbers and numbers to texts.
  LocaleInfo Locale;

  // True: Output holds the postfix form. False: ErrorText says why.
  bool Compile();
  // True: Result refers to the token holding the value. False: ErrorText says why.
  bool Evaluate();

  // Longest text an evaluation may make; a longer one fails the evaluation,
  // so that a short query cannot take the memory of the machine.
  static constexpr std::size_t kMaxTextValue = 1 << 20;
  // The resource limits an evaluation of this expression has reached so far:
  // a text longer than kMaxTextValue, or memory that could not be had.
  bool TextLimitReached = false;
  bool MemoryLimitReached = false;

  // Scanner and compiler state, readable for diagnostics and tests.
  std::uint16_t State = 0;
  std::int32_t Position = 0;
  tToken* CurrentToken = nullptr;
  tToken* TopToken = nullptr;
  std::string Buffer;
  std::int32_t ParenDepth = 0;
  std::int32_t FunctionDepth = 0;
  std::vector<std::unique_ptr<tToken>> Tokens;
  std::vector<tToken*> Output;
  std::vector<tToken*> Stack;
  std::int32_t ErrorColumn = 0;
  std::string ErrorChar;
  std::string ErrorText;
  tCompileError ErrorKind = tCompileError::None;
  // The text the error is about (the symbol, the operand, the name).
  std::string ErrorSymbol;
  tTokenArray Arguments;
  tToken* Result = nullptr;

  // The postfix form as text: tokens separated by one blank, a string
  // literal with its delimiters, the unary minus as -UNARY.
  std::string PostfixText() const;

 private:
  // Scanner character operations (Position is 1-based).
  char NextChar();
  char PeekChar(int n) const;
  void BackChar() { --Position; }
  void SkipChar() { ++Position; }
  char CharAt(std::int32_t pos) const;

  void Scan();
  void AddToken(const std::string& text);
  void AppendToBuffer(char c);
  bool NotOperatorAhead() const;
  // Whether the characters from Position on spell upperWord in any case.
  bool WordAhead(std::string_view upperWord) const;
  // After the first letter of a word operator (AND, NOT, OR): its token and
  // the scanner past it, or the error state when the word is not complete.
  void ScanWordOperator(std::string_view upperWord);

  // Operands side by side and names called like functions are refused:
  // they would otherwise be evaluated as something nobody typed.
  bool CheckOperandOrder();
  bool Fail(tCompileError kind, const std::string& text, const std::string& symbol,
            std::int32_t column);

  bool ResolveIdentifier(tToken& token);
  void PopArguments(tToken& op);
  void ComputeOperator(const tToken& op, tToken& result);
  void ComputeFunction(const tToken& fn, tToken& result);

  // Where the name, number or string being scanned started (1-based).
  std::int32_t tokenStart_ = 0;
  // Result tokens made by the last evaluation.
  std::vector<std::unique_ptr<tToken>> resultTokens_;
};

}  // namespace orvalis
