// The messages about a file the program could not write, in the user's
// language and naming the file; the system's own error text follows.
#pragma once

#include "common/whole_file.h"

#include <string>

namespace orvalis {

// Empty when the write succeeded.
std::string WriteFailureMessage(const tWholeWriteResult& result);

}  // namespace orvalis
