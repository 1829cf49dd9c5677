#include "platform/win/termination.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform::win {
namespace {

volatile sig_atomic_t g_signal = 0;
volatile sig_atomic_t g_wake_fd = -1;
std::function<void(int)> g_handler;
std::function<void(int)> g_ender;
bool g_running = false;

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void NoteSignal(int signal) {
  const int saved = errno;
  if (g_signal == 0) g_signal = signal;
  const int fd = g_wake_fd;
  if (fd >= 0) {
    const char b = 1;
    (void)!write(fd, &b, 1);
  }
  errno = saved;
}

void EndBySignal(int signal) {
  struct sigaction plain {};
  plain.sa_handler = SIG_DFL;
  sigemptyset(&plain.sa_mask);
  sigaction(signal, &plain, nullptr);
  raise(signal);
  _exit(128 + signal);
}

// Once: a second signal while the handler runs waits for it (its wait is bounded).
void RunHandler(int cause) {
  if (g_running) return;
  g_running = true;
  if (g_handler) g_handler(cause);
}

}  // namespace

void CatchTerminationSignals() {
  struct sigaction note {};
  note.sa_handler = NoteSignal;
  sigemptyset(&note.sa_mask);
  note.sa_flags = 0;  // no restart: a blocking wait returns at once
  for (int signal : kSignals) sigaction(signal, &note, nullptr);
}

void SetTerminationHandler(std::function<void(int)> handler) { g_handler = std::move(handler); }
void SetTerminationEnder(std::function<void(int)> ender) { g_ender = std::move(ender); }
void SetTerminationWakeFd(int fd) { g_wake_fd = fd; }

void RunPendingTermination() {
  const int signal = g_signal;
  if (signal == 0 || g_running) return;
  RunHandler(signal);
  if (g_ender) {
    g_ender(signal);
    g_signal = 0;
    g_running = false;
    return;
  }
  EndBySignal(signal);
}

void RunTerminationNow(int cause) {
  RunHandler(cause);
  g_running = false;
}

}  // namespace platform::win
