// Output for a terminal: file names and metadata may hold escape sequences
// that would move the cursor, retitle the window or worse. When standard
// output or standard error is a terminal, control characters reach it
// escaped; files and pipes get the bytes unchanged.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>

namespace orvalis::cli {

// Passes bytes on to target, with control characters as "\xHH": bytes below
// 32 except LF and TAB, DEL, and the C1 controls U+0080..U+009F in UTF-8.
class tTerminalEscapingBuffer : public std::streambuf {
 public:
  explicit tTerminalEscapingBuffer(std::streambuf* target) : target_(target) {}
  ~tTerminalEscapingBuffer() override;

 protected:
  int_type overflow(int_type ch) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool Put(unsigned char c);
  bool Escape(unsigned char c);
  void FlushPending();

  std::streambuf* target_;
  bool pendingLead_ = false;  // a 0xC2 whose next byte decides
};

// While it lives, the stream writes through an escaping buffer when fd is
// a terminal; afterwards the stream has its own buffer back.
class tTerminalGuard {
 public:
  tTerminalGuard(std::ostream& stream, int fd);
  ~tTerminalGuard();
  tTerminalGuard(const tTerminalGuard&) = delete;
  tTerminalGuard& operator=(const tTerminalGuard&) = delete;

 private:
  std::ostream& stream_;
  std::streambuf* original_ = nullptr;
  std::unique_ptr<tTerminalEscapingBuffer> escaping_;
};

}  // namespace orvalis::cli
