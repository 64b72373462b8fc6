// Temporary: lets the tests link until the pattern languages and the store
// are in this branch.
#include <optional>
#include <string>

#include "query/date_format.h"
#include "query/function_handler.h"
#include "query/number_format.h"

namespace orvalis {
std::string tMyFunctionHandler::HasSegment(const std::string&) const { return "false"; }
std::string tMyFunctionHandler::Contains(const std::string&) const { return ""; }
}  // namespace orvalis
