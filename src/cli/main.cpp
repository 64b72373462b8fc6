// orvalis-cli: the command-line twin of the desktop program. Picks the mode
// from the first argument; each mode lives in a file of its own.
#include <unistd.h>

#include <iostream>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "cli/commands.h"
#include "cli/terminal_output.h"
#include "i18n/localizer.h"
#include "i18n/messages.h"

using namespace orvalis::cli;

namespace {

// With /LCID:n the messages come from the language file for that locale in
// "lang/" beside the program or, installed, in "../share/orvalis/lang/", as
// the desktop program finds its files. Without it they stay German whatever
// the user's locale, so scripts that read them get the same text everywhere.
void UseLanguageOption(const Arguments& args) {
  const std::optional<int> localeId = orvalis::LocaleOption(args);
  if (!localeId) return;
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return;
  const std::filesystem::path beside = program.parent_path() / "lang";
  const std::filesystem::path installed = program.parent_path() / ".." / "share" / "orvalis" / "lang";
  const bool useInstalled =
      !std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error);
  static const orvalis::TLocalizerClass localizer((useInstalled ? installed : beside).string() + "/",
                                                  *localeId);
  orvalis::SetMessageSource(localizer.Messages());
}

}  // namespace

int main(int argc, char** argv) {
  // Rows, paths and messages on a terminal show control characters escaped.
  const tTerminalGuard terminalOut(std::cout, STDOUT_FILENO);
  const tTerminalGuard terminalErr(std::cerr, STDERR_FILENO);
  Arguments args(argv + 1, argv + argc);
  UseLanguageOption(args);
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
