#include "cli_spawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

extern char** environ;

namespace orvalis::test {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A new empty file in the temporary folder; its name.
std::string TemporaryFile() {
  const char* tmp = std::getenv("TMPDIR");
  std::string name =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/orvalis-cli-test-XXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return std::string();
  ::close(fd);
  return name;
}

bool IsLocaleVariable(const std::string& entry) {
  return entry.rfind("LC_", 0) == 0 || entry.rfind("LANG=", 0) == 0 ||
         entry.rfind("LANGUAGE=", 0) == 0;
}

}  // namespace

CliRun Spawn(Strings argv, const SpawnOptions& options) {
  CliRun run;
  if (argv.empty()) return run;
  Strings env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (options.locale && IsLocaleVariable(entry)) continue;
    env.push_back(entry);
  }
  if (options.locale) env.push_back("LC_ALL=" + *options.locale);
  env.insert(env.end(), options.extraEnv.begin(), options.extraEnv.end());

  const std::string outFile = TemporaryFile();
  const std::string errFile = TemporaryFile();
  if (outFile.empty() || errFile.empty()) return run;

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, options.stdinFile.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_TRUNC, 0);
  if (!options.workDir.empty())
    posix_spawn_file_actions_addchdir_np(&actions, options.workDir.c_str());
  std::vector<char*> args;
  std::vector<char*> envp;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc == 0) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(outFile);
    run.err = ReadAll(errFile);
  }
  ::unlink(outFile.c_str());
  ::unlink(errFile.c_str());
  return run;
}

CliRun RunCli(const Strings& args, const SpawnOptions& options) {
  Strings argv{ORVALIS_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  return Spawn(std::move(argv), options);
}

std::string RunOnTerminal(const Strings& args, bool errorsToo, int* exit) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return "(no terminal)";
  const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
  termios raw{};
  ::tcgetattr(slave, &raw);
  ::cfmakeraw(&raw);
  ::tcsetattr(slave, TCSANOW, &raw);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, slave, 1);
  if (errorsToo)
    ::posix_spawn_file_actions_adddup2(&actions, slave, 2);
  else
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Strings all{ORVALIS_CLI_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(slave);
  std::string out;
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n > 0)
        out.append(buffer, static_cast<std::size_t>(n));
      else if (n < 0 && errno == EINTR)
        continue;
      else
        break;  // EIO: the program has ended and closed the terminal
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (exit != nullptr) *exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  ::close(master);
  return out;
}

}  // namespace orvalis::test
