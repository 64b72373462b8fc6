// orvalis-cli: the command-line twin of the desktop program. Picks the mode
// from the first argument; each mode lives in a file of its own.
#include <unistd.h>

#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/terminal_output.h"

using namespace orvalis::cli;

int main(int argc, char** argv) {
  // Rows, paths and messages on a terminal show control characters escaped.
  const tTerminalGuard terminalOut(std::cout, STDOUT_FILENO);
  const tTerminalGuard terminalErr(std::cerr, STDERR_FILENO);
  Arguments args(argv + 1, argv + argc);
  if (args.empty()) return UsageError("no query given");
  const std::string& first = args[0];
  if (first == "--help" || first == "-h") {
    PrintUsage(true);
    return kExitOk;
  }
  const Arguments rest(args.begin() + 1, args.end());
  if (first == "--explain") return RunExplain(rest);
  if (first == "--eval") return RunEval(rest);
  if (first == "--dump") return RunDump(rest);
  return RunQuery(args);
}
