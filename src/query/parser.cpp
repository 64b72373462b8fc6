// Scanner, classifier and compiler of tParser.
#include "query/parser.h"

#include <algorithm>
#include <cstring>

#include "common/ascii_case.h"
#include "common/text.h"
#include "query/exceptions.h"

namespace orvalis {

namespace {

// Scanner states.
constexpr std::uint16_t kError = 0;
constexpr std::uint16_t kOperandExpected = 1;
constexpr std::uint16_t kOperandComplete = 2;
constexpr std::uint16_t kNumber = 3;
constexpr std::uint16_t kString = 4;
constexpr std::uint16_t kName = 5;
constexpr std::uint16_t kOperatorExpected = 6;
constexpr std::uint16_t kNameComplete = 7;
constexpr std::uint16_t kAfterCloseParen = 8;
// Stops the scanner loop.
constexpr std::uint16_t kStop = 0xFFFF;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct OperatorRow {
  const char* text;    // as handed over by the scanner
  const char* stored;  // the token's Text
  std::uint8_t kind;
  std::uint16_t code;
  std::uint16_t priority;
};

// Checked in this order, compared exactly.
constexpr OperatorRow kOperators[] = {
    {"(", "(", token_kind::kOpenParen, token_code::kOpenParen, 1},
    {")", ")", token_kind::kCloseParen, token_code::kCloseParen, 1},
    {"+", "+", token_kind::kInfixOperator, token_code::kAdd, 60},
    {"-", "-", token_kind::kInfixOperator, token_code::kSubtract, 60},
    {"*", "*", token_kind::kInfixOperator, token_code::kMultiply, 70},
    {"/", "/", token_kind::kInfixOperator, token_code::kDivide, 70},
    {"%", "%", token_kind::kInfixOperator, token_code::kRemainder, 70},
    {"-UNARY", "-", token_kind::kPrefixOperator, token_code::kUnaryMinus, 80},
    {"&", "&", token_kind::kInfixOperator, token_code::kConcat, 60},
    {"~", "~", token_kind::kInfixOperator, token_code::kContains, 40},
    {"<", "<", token_kind::kInfixOperator, token_code::kLess, 40},
    {"<=", "<=", token_kind::kInfixOperator, token_code::kLessEqual, 40},
    {">", ">", token_kind::kInfixOperator, token_code::kGreater, 40},
    {">=", ">=", token_kind::kInfixOperator, token_code::kGreaterEqual, 40},
    {"!=", "!=", token_kind::kInfixOperator, token_code::kNotEqual, 40},
    {"==", "==", token_kind::kInfixOperator, token_code::kEqual, 40},
};

constexpr OperatorRow kWordOperators[] = {
    {"and", "and", token_kind::kInfixOperator, token_code::kAnd, 20},
    {"or", "or", token_kind::kInfixOperator, token_code::kOr, 10},
    {"not", "not", token_kind::kPrefixOperator, token_code::kNot, 30},
};

void SetOperator(tToken& token, const OperatorRow& row) {
  token.Kind = row.kind;
  token.Code = row.code;
  token.Priority = row.priority;
  token.Text = row.stored;
}

// Digits with at most one ".", at least one digit; "." is the decimal
// separator whatever the user's locale.
bool ReadsAsNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  int dots = 0;
  int digits = 0;
  for (char c : text) {
    if (c == '.') {
      ++dots;
    } else if (IsDigit(c)) {
      ++digits;
    } else {
      return false;
    }
  }
  if (dots > 1 || digits == 0) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);  // digits and "." only: no locale dependence
  return end == text.c_str() + text.size() && value <= 1.7976931348623157e308;
}

// Letters and "_", optionally ending in "#" (the stored number of a field).
bool AllNameCharacters(const std::string& text) {
  const std::size_t letters = !text.empty() && text.back() == '#' ? text.size() - 1 : text.size();
  if (letters == 0) return false;
  for (std::size_t i = 0; i < letters; ++i) {
    if (!IsAsciiLetter(text[i]) && text[i] != '_') return false;
  }
  return true;
}

bool EndsOperand(const tToken& t) {
  return t.Kind == token_kind::kConstant || t.Kind == token_kind::kIdentifier ||
         t.Kind == token_kind::kCloseParen;
}

bool StartsOperand(const tToken& t) {
  return t.Kind == token_kind::kConstant || t.Kind == token_kind::kIdentifier ||
         t.Kind == token_kind::kOpenParen || t.Kind == token_kind::kFunction ||
         t.Kind == token_kind::kPrefixOperator;
}

}  // namespace

char tParser::CharAt(std::int32_t pos) const {
  if (pos < 1 || pos > static_cast<std::int32_t>(Expression.size())) return '\0';
  return Expression[static_cast<size_t>(pos - 1)];
}

char tParser::NextChar() {
  ++Position;
  if (State != kString) {
    const auto length = static_cast<std::int32_t>(Expression.size());
    while (Position <= length && (CharAt(Position) == ' ' || CharAt(Position) == '\t')) {
      ++Position;
    }
  }
  return CharAt(Position);
}

char tParser::PeekChar(int n) const { return CharAt(Position + n); }

void tParser::AppendToBuffer(char c) {
  if (Buffer.size() < kMaxTokenText) Buffer += c;
}

// Where an operand is expected, the word "not" followed by a blank or tab is
// the prefix operator, not the start of a name (a name would swallow the
// blank and the next word).
bool tParser::NotOperatorAhead() const {
  if (!WordAhead("NOT")) return false;
  const char after = PeekChar(3);
  return after == ' ' || after == '\t';
}

bool tParser::WordAhead(std::string_view upperWord) const {
  for (std::size_t i = 0; i < upperWord.size(); ++i) {
    if (AsciiUpper(PeekChar(static_cast<int>(i))) != upperWord[i]) return false;
  }
  return true;
}

void tParser::ScanWordOperator(std::string_view upperWord) {
  if (!WordAhead(upperWord)) {
    State = kError;
    return;
  }
  AddToken(std::string(upperWord));
  Position += static_cast<std::int32_t>(upperWord.size()) - 1;
  State = kOperandExpected;
}

void tParser::AddToken(const std::string& text) {
  auto token = std::make_unique<tToken>();
  token->Column = static_cast<std::int16_t>(Position - static_cast<std::int32_t>(text.size()));
  token->IsIdentifierToken = false;
  token->IsFunctionToken = false;

  bool valid = false;
  for (const OperatorRow& row : kOperators) {
    if (text == row.text) {
      SetOperator(*token, row);
      valid = true;
      break;
    }
  }
  if (!valid) {
    const std::string lower = AsciiLower(text);
    for (const OperatorRow& row : kWordOperators) {
      if (lower == row.text) {
        SetOperator(*token, row);
        valid = true;
        break;
      }
    }
  }
  double number = 0;
  if (valid) {
  } else if (text.size() == 1 && text[0] == ArgumentSeparator) {
    token->Kind = token_kind::kSeparator;
    token->Code = token_code::kSeparator;
    token->Priority = 0;
    token->Text = text;
    valid = true;
  } else if (ReadsAsNumber(text, number)) {
    token->Kind = token_kind::kConstant;
    token->Code = token_code::kNumber;
    token->Value = Value::Number(number);
    token->Text = text;
    valid = true;
  } else if (!text.empty() && text[0] == StringDelimiter) {
    token->Kind = token_kind::kConstant;
    token->Code = token_code::kString;
    token->Value = Value::Text(text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string());
    token->Text = text;
    valid = true;
  } else if (AllNameCharacters(text)) {
    const std::string lower = AsciiLower(text);
    token->Text = text;
    if (lower == "true" || lower == "false") {
      token->Kind = token_kind::kConstant;
      token->Code = token_code::kBoolean;
      token->Value = Value::Boolean(lower == "true");
      valid = true;
    } else if (FunctionHandler != nullptr && FunctionHandler->IsFunction(text)) {
      token->Kind = token_kind::kFunction;
      token->Code = token_code::kFunction;
      token->Priority = 50;
      token->IsFunctionToken = true;
      valid = true;
    } else if (IdentifierHandler != nullptr && IdentifierHandler->IsIdentifier(text)) {
      token->Kind = token_kind::kIdentifier;
      token->Code = token_code::kNull;
      token->IsIdentifierToken = true;
      valid = true;
    }
  }
  if (!valid) {
    ErrorColumn = Position;
    ErrorKind = tCompileError::InvalidSymbol;
    ErrorSymbol = text;
    throw EParsingException("Invalid symbol: " + text, Position);
  }
  if (State == kName || State == kNumber || State == kString) {
    token->SourceStart = tokenStart_;
    if (token->IsIdentifierToken || token->IsFunctionToken) {
      const auto start = static_cast<std::size_t>(tokenStart_ - 1);
      // Position is on the character after the name (or after its "#").
      const auto end =
          std::min<std::size_t>(static_cast<std::size_t>(Position - 1), Expression.size());
      if (start < end) token->SourceText = Expression.substr(start, end - start);
    }
  }
  Tokens.push_back(std::move(token));
  Buffer.clear();
}

void tParser::Scan() {
  const auto length = static_cast<std::int32_t>(Expression.size());
  State = kOperandExpected;
  Position = 0;
  Buffer.clear();
  while (State != kStop) {
    switch (State) {
      case kOperandExpected: {
        const char c = AsciiUpper(NextChar());
        if (c == '\0' && Position > length) {
          State = kStop;
        } else if (c == '(') {
          ++ParenDepth;
          AddToken("(");
        } else if (c == ')') {
          BackChar();
          State = kAfterCloseParen;
        } else if (c == '-') {
          AddToken("-UNARY");
        } else if (IsDigit(c)) {
          BackChar();
          tokenStart_ = Position + 1;
          State = kNumber;
        } else if (c == 'N' && NotOperatorAhead()) {
          Position += 3;  // on the blank after the word, as after any scanned word
          AddToken("not");
          BackChar();
        } else if (IsAsciiLetter(c) || c == '_') {
          BackChar();
          tokenStart_ = Position + 1;
          State = kName;
        } else if (CharAt(Position) == StringDelimiter && c != '\0') {
          Buffer.clear();
          tokenStart_ = Position;
          State = kString;
        } else if (c == ArgumentSeparator && c != '\0' && FunctionDepth >= 1) {
          AddToken(std::string(1, ArgumentSeparator));
          State = kOperandExpected;
        } else {
          State = kError;
        }
        break;
      }
      case kOperandComplete: State = kOperatorExpected; break;
      case kNumber: {
        const char c = NextChar();
        if (c == '.' || IsDigit(c)) {
          AppendToBuffer(c);
        } else {
          AddToken(Buffer);
          BackChar();
          State = kOperandComplete;
        }
        break;
      }
      case kString: {
        const char c = NextChar();
        if (Position > length) {
          // A literal never closed would take the rest of the text with it.
          ErrorColumn = tokenStart_;
          ErrorKind = tCompileError::OpenString;
          throw EParsingException("Unterminated string literal", tokenStart_);
        }
        if (c == StringDelimiter) {
          std::string text = std::string(1, StringDelimiter) + Buffer + StringDelimiter;
          if (text.size() > kMaxTokenText) text.resize(kMaxTokenText);
          AddToken(text);
          State = kOperandComplete;
        } else {
          AppendToBuffer(c);
        }
        break;
      }
      case kName: {
        const char c = NextChar();
        if (IsAsciiLetter(c) || c == '_') {
          AppendToBuffer(c);
        } else if (c == '#') {
          // "Orientation#": the field's stored number; "#" ends the name.
          AppendToBuffer(c);
          SkipChar();
          AddToken(Buffer);
          BackChar();
          State = kNameComplete;
        } else {
          AddToken(Buffer);
          BackChar();
          State = kNameComplete;
        }
        break;
      }
      case kOperatorExpected: {
        const char c = AsciiUpper(NextChar());
        switch (c) {
          case '=':
            if (PeekChar(1) == '=') {
              AddToken("==");
              SkipChar();
            } else {
              AddToken("=");
            }
            State = kOperandExpected;
            break;
          case '!':
            if (PeekChar(1) == '=') {
              AddToken("!=");
              SkipChar();
              State = kOperandExpected;
            } else {
              State = kError;
            }
            break;
          case '%':
          case '&':
          case '*':
          case '+':
          case '-':
          case '/':
          case '^':
          case '~':
            AddToken(std::string(1, c));
            State = kOperandExpected;
            break;
          case '<':
            if (PeekChar(1) == '=') {
              AddToken("<=");
              SkipChar();
            } else if (PeekChar(1) == '>') {
              AddToken("<>");
              SkipChar();
            } else {
              AddToken("<");
            }
            State = kOperandExpected;
            break;
          case '>':
            if (PeekChar(1) == '=') {
              AddToken(">=");
              SkipChar();
            } else {
              AddToken(">");
            }
            State = kOperandExpected;
            break;
          case 'A': ScanWordOperator("AND"); break;
          case 'N': ScanWordOperator("NOT"); break;
          case 'O': ScanWordOperator("OR"); break;
          default:
            BackChar();
            State = kOperandExpected;
            break;
        }
        break;
      }
      case kNameComplete:
        if (!Tokens.empty() && Tokens.back()->IsFunctionToken) ++FunctionDepth;
        State = kOperandComplete;
        break;
      case kAfterCloseParen: {
        const char c = AsciiUpper(NextChar());
        if (c == '\0' && Position > length) {
          State = kStop;
        } else if (c != '\0' && std::strchr("!%&*+-/<=>ANO^~", c) != nullptr) {
          BackChar();
          State = kOperatorExpected;
        } else if (c == ')') {
          if (ParenDepth > 0) {
            --ParenDepth;
            AddToken(")");
          } else {
            State = kError;
          }
        } else if (c == ArgumentSeparator && c != '\0' && FunctionDepth >= 1) {
          AddToken(std::string(1, ArgumentSeparator));
          State = kOperandExpected;
        } else {
          State = kError;
        }
        break;
      }
      case kError:
      default: {
        BackChar();
        const char c = NextChar();
        ErrorColumn = Position;
        ErrorChar = c == '\0' ? std::string() : std::string(1, c);
        // A letter beyond ASCII is named whole, as typed, not by its first byte.
        if ((static_cast<unsigned char>(c) & 0xC0) == 0xC0) {
          for (std::int32_t next = Position + 1;
               (static_cast<unsigned char>(CharAt(next)) & 0xC0) == 0x80 && ErrorChar.size() < 4;
               ++next) {
            ErrorChar += CharAt(next);
          }
        }
        State = kStop;
        // Position stays on the offending character, which marks the failure.
        if (Position > length) Position = length;
        return;
      }
    }
    if (State != kStop && Position > length) break;
  }
}

bool tParser::Compile() {
  ErrorText.clear();
  ErrorChar.clear();
  ErrorSymbol.clear();
  ErrorKind = tCompileError::None;
  ErrorColumn = 0;
  Tokens.clear();
  Output.clear();
  Stack.clear();
  Result = nullptr;
  resultTokens_.clear();
  ParenDepth = 0;
  FunctionDepth = 0;

  if (Expression.size() > kMaxExpressionLength) {
    ErrorText = "Expression too long";
    ErrorKind = tCompileError::TooLong;
    return false;
  }

  try {
    Scan();
  } catch (const EParsingException& e) {
    ErrorText = e.what();
    return false;
  }
  if (Position <= static_cast<std::int32_t>(Expression.size())) {
    ErrorKind = tCompileError::Syntax;
    ErrorSymbol = ErrorChar;
    ErrorText = "Could not read complete input, invalid char \"" + ErrorChar + "\" at column " +
                std::to_string(ErrorColumn);
    return false;
  }
  if (!CheckOperandOrder()) return false;

  const auto unbalanced = [this] {
    ErrorText = "Unbalanced ()";
    ErrorKind = tCompileError::Unbalanced;
    Output.clear();
    Stack.clear();
    return false;
  };
  for (const auto& owned : Tokens) {
    tToken* token = owned.get();
    switch (token->Kind) {
      case token_kind::kConstant:
      case token_kind::kIdentifier: Output.push_back(token); break;
      case token_kind::kSeparator:
        while (!Stack.empty() && Stack.back()->Kind != token_kind::kOpenParen) {
          Output.push_back(Stack.back());
          Stack.pop_back();
        }
        if (Stack.empty()) return unbalanced();
        break;
      case token_kind::kOpenParen:
      case token_kind::kFunction: Stack.push_back(token); break;
      case token_kind::kCloseParen: {
        bool found = false;
        while (!Stack.empty()) {
          tToken* top = Stack.back();
          Stack.pop_back();
          if (top->Kind == token_kind::kOpenParen) {
            found = true;
            break;
          }
          Output.push_back(top);
        }
        if (!found) return unbalanced();
        if (!Stack.empty() && Stack.back()->IsFunctionToken) {
          Output.push_back(Stack.back());
          Stack.pop_back();
        }
        break;
      }
      default:  // prefix and infix operators
        if (!Stack.empty()) {
          TopToken = Stack.back();
          // One pop only: an operator of equal or lower priority moves just
          // the top of the stack to the output.
          if (token->Priority <= TopToken->Priority) {
            Output.push_back(TopToken);
            Stack.pop_back();
          }
        }
        Stack.push_back(token);
        break;
    }
  }
  while (!Stack.empty()) {
    tToken* top = Stack.back();
    Stack.pop_back();
    if (top->Kind == token_kind::kOpenParen) return unbalanced();
    Output.push_back(top);
  }
  return true;
}

bool tParser::Fail(tCompileError kind, const std::string& text, const std::string& symbol,
                   std::int32_t column) {
  ErrorKind = kind;
  ErrorText = text;
  ErrorSymbol = symbol;
  ErrorColumn = column;
  return false;
}

bool tParser::CheckOperandOrder() {
  for (std::size_t i = 1; i < Tokens.size(); ++i) {
    const tToken& before = *Tokens[i - 1];
    const tToken& token = *Tokens[i];
    if (!EndsOperand(before) || !StartsOperand(token)) continue;
    if (before.Kind == token_kind::kIdentifier && token.Kind == token_kind::kOpenParen) {
      return Fail(tCompileError::UnknownFunction, "Unknown function: " + before.Text, before.Text,
                  before.SourceStart > 0 ? before.SourceStart : before.Column + 1);
    }
    const std::string symbol =
        token.SourceText.empty() ? token.Text : std::string(Trim(token.SourceText));
    return Fail(tCompileError::MissingOperator, "Missing operator before \"" + symbol + "\"",
                symbol, token.SourceStart > 0 ? token.SourceStart : token.Column + 1);
  }
  return true;
}

std::string tParser::PostfixText() const {
  std::string out;
  for (const tToken* token : Output) {
    if (!out.empty()) out += ' ';
    out += token->Code == token_code::kUnaryMinus ? std::string("-UNARY") : token->Text;
  }
  return out;
}

}  // namespace orvalis
