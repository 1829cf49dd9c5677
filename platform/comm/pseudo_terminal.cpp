#include "platform/comm/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace platform::comm {

PseudoTerminal::PseudoTerminal() {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    error_ = errno;
    return;
  }
  termios t{};
  if (::tcgetattr(slave, &t) == 0) {
    ::cfmakeraw(&t);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(slave, TCSANOW, &t);
  }
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(slave, F_SETFD, FD_CLOEXEC);
  master_ = master;
  slave_ = slave;
  slave_path_ = name;
}

PseudoTerminal::~PseudoTerminal() {
  CloseMaster();
  if (slave_ >= 0) ::close(slave_);
}

void PseudoTerminal::CloseMaster() {
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

long PseudoTerminal::Read(std::uint8_t* buffer, std::size_t max) {
  if (master_ < 0) return -1;
  if (max == 0) return 0;
  const ssize_t n = ::read(master_, buffer, max);
  if (n >= 0) return static_cast<long>(n);
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
  return -1;
}

bool PseudoTerminal::Write(const std::uint8_t* data, std::size_t count) {
  std::size_t done = 0;
  while (done < count && master_ >= 0) {
    const ssize_t n = ::write(master_, data + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
    pollfd p{master_, POLLOUT, 0};
    if (::poll(&p, 1, 1000) <= 0) return false;
  }
  return done == count;
}

bool PseudoTerminal::WaitReadable(int timeout_ms) {
  if (master_ < 0) return false;
  pollfd p{master_, POLLIN, 0};
  const int r = ::poll(&p, 1, timeout_ms);
  return r > 0 && (p.revents & POLLIN);
}

}  // namespace platform::comm
