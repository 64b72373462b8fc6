#include "cli/terminal_output.h"

#include <unistd.h>

namespace orvalis::cli {

namespace {
constexpr unsigned char kC1Lead = 0xC2;
}  // namespace

tTerminalEscapingBuffer::~tTerminalEscapingBuffer() { FlushPending(); }

bool tTerminalEscapingBuffer::Escape(unsigned char c) {
  static const char* kHex = "0123456789ABCDEF";
  const char text[4] = {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
  return target_->sputn(text, 4) == 4;
}

void tTerminalEscapingBuffer::FlushPending() {
  if (!pendingLead_) return;
  pendingLead_ = false;
  target_->sputc(static_cast<char>(kC1Lead));
}

bool tTerminalEscapingBuffer::Put(unsigned char c) {
  if (pendingLead_) {
    pendingLead_ = false;
    if (c >= 0x80 && c <= 0x9F) return Escape(kC1Lead) && Escape(c);
    if (target_->sputc(static_cast<char>(kC1Lead)) == traits_type::eof()) return false;
  }
  if (c == kC1Lead) {
    pendingLead_ = true;
    return true;
  }
  if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) return Escape(c);
  return target_->sputc(static_cast<char>(c)) != traits_type::eof();
}

tTerminalEscapingBuffer::int_type tTerminalEscapingBuffer::overflow(int_type ch) {
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  return Put(static_cast<unsigned char>(traits_type::to_char_type(ch))) ? ch : traits_type::eof();
}

std::streamsize tTerminalEscapingBuffer::xsputn(const char* s, std::streamsize n) {
  for (std::streamsize i = 0; i < n; ++i)
    if (!Put(static_cast<unsigned char>(s[i]))) return i;
  return n;
}

int tTerminalEscapingBuffer::sync() {
  // A lead byte at the end of a flush waits for its partner; the
  // destructor writes it if none comes.
  return target_->pubsync();
}

tTerminalGuard::tTerminalGuard(std::ostream& stream, int fd) : stream_(stream) {
  if (::isatty(fd) == 0) return;
  original_ = stream.rdbuf();
  escaping_ = std::make_unique<tTerminalEscapingBuffer>(original_);
  stream.rdbuf(escaping_.get());
}

tTerminalGuard::~tTerminalGuard() {
  if (escaping_ == nullptr) return;
  stream_.flush();
  stream_.rdbuf(original_);
  escaping_.reset();
  stream_.flush();
}

}  // namespace orvalis::cli
