#include "platform/comm/termios_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace platform::comm {
namespace {

speed_t SpeedOf(std::uint32_t baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return 0;
  }
}

std::uint32_t BaudOf(speed_t speed) {
  switch (speed) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
  }
}

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

TermiosPort::TermiosPort(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

TermiosPort::~TermiosPort() {
  if (fd_ < 0) return;
  // The exclusive mode outlives this descriptor while anyone else holds the terminal open (a pseudo-terminal's
  // server does): clear it, or every later open by a user who is not root fails with EBUSY.
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);  // also releases the flock
}

TermiosPort::OpenResult TermiosPort::Open(const std::string& path) {
  OpenResult result;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  if (!::isatty(fd)) {
    ::close(fd);
    result.error = ENOTTY;
    return result;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    result.error = (e == EWOULDBLOCK) ? EBUSY : e;
    return result;
  }
  ::ioctl(fd, TIOCEXCL);  // keeps other (non-root) openers out; the flock covers root
  std::unique_ptr<TermiosPort> port(new TermiosPort(fd, path));

  serial_icounter_struct counters{};
  if (::ioctl(fd, TIOCGICOUNT, &counters) == 0) {
    port->has_counters_ = true;
    port->base_brk_ = counters.brk;
    port->base_frame_ = counters.frame;
    port->base_overrun_ = counters.overrun;
    port->base_buf_overrun_ = counters.buf_overrun;
    port->base_parity_ = counters.parity;
  }
  serial_struct serial{};
  if (::ioctl(fd, TIOCGSERIAL, &serial) == 0 && (serial.flags & ASYNC_LOW_LATENCY) == 0) {
    serial.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(fd, TIOCSSERIAL, &serial);  // drivers that do not take it keep their latency
  }
  result.port = std::move(port);
  return result;
}

bool TermiosPort::Fail() {
  errno_ = errno;
  if (errno_ == EIO) pending_io_error_ = true;
  return false;
}

bool TermiosPort::GetSettings(LineSettings* out) {
  termios t{};
  if (::tcgetattr(fd_, &t) != 0) return Fail();
  LineSettings s;
  s.baud = BaudOf(cfgetospeed(&t));
  switch (t.c_cflag & CSIZE) {
    case CS5: s.data_bits = 5; break;
    case CS6: s.data_bits = 6; break;
    case CS7: s.data_bits = 7; break;
    default: s.data_bits = 8; break;
  }
  s.parity = (t.c_cflag & PARENB) ? ((t.c_cflag & PARODD) ? Parity::kOdd : Parity::kEven) : Parity::kNone;
  s.parity_check = (t.c_iflag & INPCK) != 0;
  s.stop_bits = (t.c_cflag & CSTOPB) ? 2 : 1;
  s.xon_xoff_out = (t.c_iflag & IXON) != 0;
  s.xon_xoff_in = (t.c_iflag & IXOFF) != 0;
  s.rts_cts = (t.c_cflag & CRTSCTS) != 0;
  if (out) *out = s;
  return true;
}

bool TermiosPort::SetSettings(const LineSettings& s) {
  line_just_polled_ = false;
  termios t{};
  if (::tcgetattr(fd_, &t) != 0) return Fail();
  const speed_t speed = SpeedOf(s.baud);
  if (speed == 0) {
    errno_ = EINVAL;
    return false;
  }
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, speed);
  ::cfsetospeed(&t, speed);
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= CLOCAL | CREAD;
  switch (s.data_bits) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    default: t.c_cflag |= CS8; break;
  }
  if (s.parity != Parity::kNone) t.c_cflag |= PARENB;
  if (s.parity == Parity::kOdd) t.c_cflag |= PARODD;
  if (s.stop_bits == 2) t.c_cflag |= CSTOPB;
  if (s.rts_cts) t.c_cflag |= CRTSCTS;
  t.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
  if (s.parity != Parity::kNone && s.parity_check) t.c_iflag |= INPCK;
  if (s.xon_xoff_out) t.c_iflag |= IXON;
  if (s.xon_xoff_in) t.c_iflag |= IXOFF;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (::tcsetattr(fd_, TCSANOW, &t) == 0) return true;
  // A pseudo-terminal drops parity silently; when that was the only change asked for, the C library reports
  // EINVAL ("nothing applied"). The line is as asked apart from parity: no failure.
  const int e = errno;
  termios now{};
  if (e == EINVAL && ::tcgetattr(fd_, &now) == 0) {
    const tcflag_t parity = PARENB | PARODD;
    if ((now.c_cflag & ~parity) == (t.c_cflag & ~parity) && now.c_iflag == t.c_iflag && now.c_lflag == t.c_lflag &&
        now.c_oflag == t.c_oflag && cfgetospeed(&now) == cfgetospeed(&t)) {
      return true;
    }
  }
  errno = e;
  return Fail();
}

long TermiosPort::Read(std::uint8_t* buffer, std::size_t max) {
  line_just_polled_ = false;
  if (max == 0) return 0;
  // One poll first: most reads of a waiting link find nothing, and then the poll alone answers. A raw line with
  // no minimum count reads 0 also after a hang-up, which the poll tells apart; bytes still waiting on a line that
  // hung up are read first.
  pollfd p{fd_, POLLIN, 0};
  const int ready = ::poll(&p, 1, 0);
  if (ready < 0 && errno != EINTR) {
    Fail();
    return -1;
  }
  const bool gone = ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
  if (ready > 0 && (p.revents & POLLIN)) {
    const ssize_t n = ::read(fd_, buffer, max);
    if (n > 0) return static_cast<long>(n);
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      Fail();
      return -1;
    }
  }
  if (gone) {
    errno = EIO;
    Fail();
    return -1;
  }
  line_just_polled_ = ready >= 0;
  return 0;
}

long TermiosPort::Write(const std::uint8_t* data, std::size_t count, unsigned timeout_ms) {
  line_just_polled_ = false;
  std::size_t done = 0;
  const long long deadline = NowMs() + timeout_ms;
  while (done < count) {
    const ssize_t n = ::write(fd_, data + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
      Fail();
      return done > 0 ? static_cast<long>(done) : -1;
    }
    const long long left = deadline - NowMs();
    if (left <= 0) break;
    pollfd p{fd_, POLLOUT, 0};
    if (::poll(&p, 1, static_cast<int>(left)) < 0 && errno != EINTR) {
      Fail();
      break;
    }
    if (p.revents & (POLLHUP | POLLERR)) {
      errno = EIO;
      Fail();
      break;
    }
  }
  return static_cast<long>(done);
}

bool TermiosPort::WaitReadable(unsigned timeout_ms) {
  line_just_polled_ = false;
  pollfd p{fd_, POLLIN, 0};
  const int r = ::poll(&p, 1, static_cast<int>(timeout_ms));
  return r > 0 && (p.revents & POLLIN);
}

bool TermiosPort::Purge(bool rx, bool tx) {
  line_just_polled_ = false;
  if (!rx && !tx) return true;
  const int which = rx && tx ? TCIOFLUSH : (rx ? TCIFLUSH : TCOFLUSH);
  if (::tcflush(fd_, which) != 0) return Fail();
  return true;
}

std::uint32_t TermiosPort::CounterErrors() {
  if (!has_counters_) return 0;
  std::uint32_t errors = 0;
  serial_icounter_struct c{};
  if (::ioctl(fd_, TIOCGICOUNT, &c) == 0) {
    if (c.brk != base_brk_) errors |= kErrBreak;
    if (c.frame != base_frame_) errors |= kErrFrame;
    if (c.overrun != base_overrun_) errors |= kErrOverrun;
    if (c.buf_overrun != base_buf_overrun_) errors |= kErrRxOver;
    if (c.parity != base_parity_) errors |= kErrRxParity;
    base_brk_ = c.brk;
    base_frame_ = c.frame;
    base_overrun_ = c.overrun;
    base_buf_overrun_ = c.buf_overrun;
    base_parity_ = c.parity;
  } else if (errno == EIO) {
    pending_io_error_ = true;
  }
  return errors;
}

bool TermiosPort::HungUp() const {
  pollfd p{fd_, 0, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

bool TermiosPort::Errors(std::uint32_t* errors) {
  std::uint32_t e = CounterErrors();
  if (!line_just_polled_ && HungUp()) pending_io_error_ = true;
  line_just_polled_ = false;
  if (pending_io_error_) e |= kErrIo;
  pending_io_error_ = false;
  if (errors) *errors = e;
  return true;
}

bool TermiosPort::Status(QueueStatus* out) {
  line_just_polled_ = false;
  QueueStatus s;
  s.errors = CounterErrors();
  int waiting = 0;
  if (::ioctl(fd_, FIONREAD, &waiting) != 0) {
    if (errno != EIO) return Fail();
    Fail();
  }
  int unsent = 0;
  if (::ioctl(fd_, TIOCOUTQ, &unsent) != 0) unsent = 0;
  if (HungUp()) pending_io_error_ = true;
  if (pending_io_error_) s.errors |= kErrIo;
  pending_io_error_ = false;
  s.in_queue = waiting > 0 ? static_cast<std::uint32_t>(waiting) : 0;
  s.out_queue = unsent > 0 ? static_cast<std::uint32_t>(unsent) : 0;
  if (out) *out = s;
  return true;
}

bool TermiosPort::SetOutputLine(OutputLine line, bool on) {
  line_just_polled_ = false;
  int bits = line == OutputLine::kDtr ? TIOCM_DTR : TIOCM_RTS;
  if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) != 0) return Fail();
  return true;
}

bool TermiosPort::SetBreak(bool on) {
  line_just_polled_ = false;
  if (::ioctl(fd_, on ? TIOCSBRK : TIOCCBRK) != 0) return Fail();
  return true;
}

bool TermiosPort::GetModemStatus(std::uint32_t* lines) {
  int bits = 0;
  if (::ioctl(fd_, TIOCMGET, &bits) != 0) return Fail();
  std::uint32_t ms = 0;
  if (bits & TIOCM_CTS) ms |= kModemCts;
  if (bits & TIOCM_DSR) ms |= kModemDsr;
  if (bits & TIOCM_RI) ms |= kModemRing;
  if (bits & TIOCM_CD) ms |= kModemCd;
  if (lines) *lines = ms;
  return true;
}

}  // namespace platform::comm
