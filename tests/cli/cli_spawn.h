// Runs orvalis-cli (or another program) as a process, without a shell, and
// captures standard output, standard error and the exit status, or what it
// writes to a terminal. The one spawner of the command-line tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvalis::test {

using Strings = std::vector<std::string>;

struct CliRun {
  int exit = -1;  // -1: not started or ended by a signal
  std::string out;
  std::string err;
};

struct SpawnOptions {
  // Set: LC_ALL is this, and the other LC_*, LANG and LANGUAGE are removed.
  // Unset: the test's own environment is passed on.
  std::optional<std::string> locale;
  std::string stdinFile = "/dev/null";
  Strings extraEnv;     // NAME=value entries added to the environment
  std::string workDir;  // set: the program starts in this folder
};

// Runs argv[0] with argv. Output goes through files, so neither stream can
// fill a pipe and block the child.
CliRun Spawn(Strings argv, const SpawnOptions& options = {});

// Runs orvalis-cli with args.
CliRun RunCli(const Strings& args, const SpawnOptions& options = {});

// What orvalis-cli writes to standard output (and standard error, where
// errorsToo is set) when that is a terminal: a pseudo terminal in raw mode,
// so the bytes arrive as written. exit, where given, gets the exit status.
std::string RunOnTerminal(const Strings& args, bool errorsToo = false, int* exit = nullptr);

}  // namespace orvalis::test
