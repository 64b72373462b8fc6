// The modes of orvalis-cli, one file each; main() picks one by the first
// argument and hands it the rest.
#pragma once

#include <string>
#include <vector>

namespace orvalis::cli {

using Arguments = std::vector<std::string>;

// Exit statuses of the command-line contract.
constexpr int kExitOk = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// /LCID:n and /debug (or -debug) belong to the desktop program's command
// line; the command line accepts them anywhere so both take the same
// arguments.
bool IsProgramOption(const std::string& arg);

// Prints the short usage text to standard error and returns kExitUsage.
int UsageError(const std::string& why);
void PrintUsage(bool toStdout);

// --explain [--double-quote] QUERY: shows how QUERY is split and compiled.
int RunExplain(const Arguments& args);

// --eval [--double-quote] EXPR [FILE]: evaluates one expression once.
int RunEval(const Arguments& args);

// Escapes a text for one TAB-separated output line: backslash, TAB, CR, LF,
// other bytes below 32 and 127.
std::string EscapeField(const std::string& text);

// --dump [--merged] FILE...: lists every metadata entry of each file.
int RunDump(const Arguments& args);
int RunQuery(const Arguments& args);

}  // namespace orvalis::cli
