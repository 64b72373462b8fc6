// orvalis-cli: the command-line twin of the desktop program. Picks the mode
// from the first argument; each mode lives in a file of its own.
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include "cli/commands.h"
#include "cli/terminal_output.h"
#include "engine/help_log.h"
#include "i18n/localizer.h"
#include "i18n/program_args.h"
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
  const std::filesystem::path installed =
      program.parent_path() / ".." / "share" / "orvalis" / "lang";
  const bool useInstalled =
      !std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error);
  static const orvalis::TLocalizerClass localizer(
      (useInstalled ? installed : beside).string() + "/", *localeId);
  orvalis::SetMessageSource(localizer.Messages());
}

// With /debug, or a file "debug.debug" beside the program, the help log is
// written as the desktop program writes it: its header names this run.
void StartHelpLogIfAsked(const Arguments& args, const std::string& programPath) {
  const std::filesystem::path program(programPath);
  std::error_code error;
  Arguments withProgram{programPath};
  withProgram.insert(withProgram.end(), args.begin(), args.end());
  if (!orvalis::TArgsClass(std::move(withProgram)).DebugRequested() &&
      !std::filesystem::exists(program.parent_path() / orvalis::kDebugSwitchFile, error))
    return;
  std::string parameters;
  for (const std::string& arg : args) parameters += (parameters.empty() ? "" : " ") + arg;
  char date[32] = "";
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local)) std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
  const std::string folder = program.parent_path().string();
  orvalis::HelpLog().Start(orvalis::THelpLog::ChooseFolder(folder),
                           {{"Filename:", orvalis::kHelpLogName},
                            {"Date:", date},
                            {"EXE Path =", programPath},
                            {"Cmdline Param(s) =", parameters},
                            {"_RunDir =", std::filesystem::current_path(error).string()},
                            {"_ModuleDir =", folder}},
                           2);
}

}  // namespace

int main(int argc, char** argv) {
  // Rows, paths and messages on a terminal show control characters escaped.
  const tTerminalGuard terminalOut(std::cout, STDOUT_FILENO);
  const tTerminalGuard terminalErr(std::cerr, STDERR_FILENO);
  Arguments args(argv + 1, argv + argc);
  UseLanguageOption(args);
  std::error_code error;
  StartHelpLogIfAsked(args, std::filesystem::read_symlink("/proc/self/exe", error).string());
  // The desktop program's options (/LCID:n, /debug) may stand anywhere; the
  // mode is the first other argument.
  args.erase(std::remove_if(args.begin(), args.end(), IsProgramOption), args.end());
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
