// The messages about a file the program could not write, in the user's
// language and naming the file; the system's own error text follows.
#pragma once

#include "common/whole_file.h"

#include <string>

namespace orvalis {

// Empty when the write succeeded.
std::string WriteFailureMessage(const tWholeWriteResult& result);

// "cannot read file" or "cannot write file" naming the file, followed by the
// system's (or a reader's) own text of the failure.
std::string ReadFailureMessage(const std::string& file, const std::string& why);
std::string WriteFailureMessage(const std::string& file, const std::string& why);

}  // namespace orvalis
