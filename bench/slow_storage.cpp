// Slow storage for the search benchmark, preloaded into the searching
// program (LD_PRELOAD): every open, stat by path and read waits a fixed time
// before it runs, as on a network share or a USB disc where each request
// takes a round trip. The facts of a file already open (fstat, or statx and
// fstatat on a descriptor with an empty path) come without a wait: a network
// file system answers them from the reply to the open. The wait is
// ORVALIS_SLOW_US microseconds (default 1000).
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>

namespace {

long DelayMicroseconds() {
  static const long delay = [] {
    const char* text = std::getenv("ORVALIS_SLOW_US");
    return text != nullptr ? std::strtol(text, nullptr, 10) : 1000L;
  }();
  return delay;
}

void Wait() {
  const long us = DelayMicroseconds();
  if (us <= 0) return;
  timespec t{us / 1000000, (us % 1000000) * 1000};
  while (nanosleep(&t, &t) != 0) {
  }
}

template <class F>
F Real(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

// The mode argument of open is there only when a file may be created.
mode_t ModeOf(int flags, va_list args) {
  return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(args, int)) : 0;
}

// A stat call that names a descriptor, not a path.
bool OnDescriptor(const char* path, int flags) {
  return (flags & AT_EMPTY_PATH) != 0 && path != nullptr && *path == '\0';
}

}  // namespace

// The C library declares the stat family as not throwing; the definitions
// here must say the same.
extern "C" {

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeOf(flags, args);
  va_end(args);
  static auto real = Real<int (*)(const char*, int, ...)>("open");
  Wait();
  return real(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const mode_t mode = ModeOf(flags, args);
  va_end(args);
  static auto real = Real<int (*)(int, const char*, int, ...)>("openat");
  Wait();
  return real(dir, path, flags, mode);
}

DIR* opendir(const char* path) {
  static auto real = Real<DIR* (*)(const char*)>("opendir");
  Wait();
  return real(path);
}

int stat(const char* path, struct stat* out) noexcept {
  static auto real = Real<int (*)(const char*, struct stat*)>("stat");
  Wait();
  return real(path, out);
}

int lstat(const char* path, struct stat* out) noexcept {
  static auto real = Real<int (*)(const char*, struct stat*)>("lstat");
  Wait();
  return real(path, out);
}

int fstat(int fd, struct stat* out) noexcept {
  static auto real = Real<int (*)(int, struct stat*)>("fstat");
  return real(fd, out);
}

int fstatat(int dir, const char* path, struct stat* out, int flags) noexcept {
  static auto real = Real<int (*)(int, const char*, struct stat*, int)>("fstatat");
  if (!OnDescriptor(path, flags)) Wait();
  return real(dir, path, out, flags);
}

int statx(int dir, const char* path, int flags, unsigned int mask, struct statx* out) noexcept {
  static auto real = Real<int (*)(int, const char*, int, unsigned int, struct statx*)>("statx");
  if (!OnDescriptor(path, flags)) Wait();
  return real(dir, path, flags, mask, out);
}

ssize_t read(int fd, void* buffer, size_t count) {
  static auto real = Real<ssize_t (*)(int, void*, size_t)>("read");
  Wait();
  return real(fd, buffer, count);
}

ssize_t pread(int fd, void* buffer, size_t count, off_t offset) {
  static auto real = Real<ssize_t (*)(int, void*, size_t, off_t)>("pread");
  Wait();
  return real(fd, buffer, count, offset);
}

ssize_t pread64(int fd, void* buffer, size_t count, off_t offset) {
  static auto real = Real<ssize_t (*)(int, void*, size_t, off_t)>("pread64");
  Wait();
  return real(fd, buffer, count, offset);
}

}  // extern "C"
