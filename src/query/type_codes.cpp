// Mapping between values, token type codes and the type numbers of the
// handler interface.
#include "query/handlers.h"
#include "query/token.h"

namespace orvalis {

std::uint16_t TypeCodeOf(const Value& value) {
  switch (value.variety()) {
    case Value::Variety::Boolean: return token_code::kBoolean;
    case Value::Variety::Integer:
    case Value::Variety::Number: return token_code::kNumber;
    case Value::Variety::Text: return token_code::kString;
    case Value::Variety::Empty: break;
  }
  return token_code::kNull;
}

std::uint16_t ParamTypeToCode(std::uint16_t typeNumber) {
  switch (typeNumber) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20: return token_code::kNumber;
    case type_number::kText: return token_code::kString;
    case type_number::kBoolean: return token_code::kBoolean;
    case type_number::kAny:
    case type_number::kAnyAlias: return 0;
    default: return token_code::kNull;
  }
}

}  // namespace orvalis
