// The real vqpt32 binary on a virtual X server: the server, the program as a child process, xdotool for real X
// input, and the X side's view of its windows (names, screenshots, the window manager's close).
#pragma once

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/gdi/surface.h"
#include "tests/platform/backend/virtual_x_server.h"

extern char** environ;

namespace xvfb_test {

inline constexpr const char* kXdotool = "/usr/bin/xdotool";

// A virtual X server for one test, on a screen large enough for the main window.
class VirtualServer : public xtest::VirtualServer {
 public:
  VirtualServer() : xtest::VirtualServer("1024x768x24") {}
};

// Waits up to `ms` for the condition, polling every 20 ms.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
  for (int waited = 0; waited < ms; waited += 20) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

// The program with DISPLAY on the server and COM1 on a pseudo-terminal of its own, or on the device given.
class Program {
 public:
  Program(const std::string& binary, const std::string& display, const std::string& com1 = "",
          std::vector<std::string> arguments = {}) {
    if (openpty(&master_, &slave_, name_, nullptr, nullptr) != 0) return;
    if (!com1.empty()) snprintf(name_, sizeof name_, "%s", com1.c_str());
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string v = *e;
      if (v.rfind("DISPLAY=", 0) != 0 && v.rfind("COM1=", 0) != 0) env.push_back(v);
    }
    env.push_back("DISPLAY=" + display);
    env.push_back(std::string("COM1=") + name_);
    std::vector<char*> envp;
    for (auto& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (auto& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, binary.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  }
  ~Program() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      int status;
      waitpid(pid_, &status, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  bool started() const { return pid_ > 0; }
  // The exit code once the program has ended within `ms`; nothing while it runs.
  std::optional<int> WaitExit(int ms) {
    std::optional<int> code;
    WaitFor(
        [&] {
          int status = 0;
          if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
          }
          return code.has_value();
        },
        ms);
    return code;
  }

 private:
  pid_t pid_ = -1;
  int master_ = -1;
  int slave_ = -1;
  char name_[128] = {};
};

// X errors of windows that went away while a test looked at them (a dialog closing between the query of the
// tree and the read of a name) are no failure: the default handler would end the test process.
inline int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The mapped top-level window with this name; 0 when none.
inline Window FindWindowNamed(Display* d, const std::string& name) {
  XSync(d, False);
  auto* previous = XSetErrorHandler(IgnoreXError);
  struct Restore {
    Display* d;
    int (*previous)(Display*, XErrorEvent*);
    ~Restore() {
      XSync(d, False);
      XSetErrorHandler(previous);
    }
  } restore{d, previous};
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* title = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(d, children[i], &title) && title) {
      if (name == title && XGetWindowAttributes(d, children[i], &attributes) && attributes.map_state == IsViewable) {
        found = children[i];
      }
      XFree(title);
    }
  }
  if (children) XFree(children);
  return found;
}

// What the window shows on the server.
inline std::unique_ptr<platform::gdi::Surface> Screenshot(Display* d, Window w) {
  XWindowAttributes a;
  XGetWindowAttributes(d, w, &a);
  auto copy = std::make_unique<platform::gdi::Surface>(a.width, a.height);
  XImage* shot = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes,
                           ZPixmap);
  if (shot == nullptr) return copy;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) copy->Row(y)[x] = static_cast<std::uint32_t>(XGetPixel(shot, x, y)) & 0xFFFFFF;
  }
  XDestroyImage(shot);
  return copy;
}

// What a window manager does when the user closes the window: WM_DELETE_WINDOW.
inline void CloseAsWindowManager(Display* d, Window w) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = w;
  ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
  ev.xclient.data.l[1] = CurrentTime;
  XSendEvent(d, w, False, NoEventMask, &ev);
  XFlush(d);
}

// Runs xdotool against the display (real X input through the XTEST extension); true when it succeeded.
inline bool Xdotool(const std::string& display, std::vector<std::string> args) {
  std::vector<char*> argv{const_cast<char*>("xdotool")};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> env{"DISPLAY=" + display};
  std::vector<char*> envp{env[0].data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, kXdotool, nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace xvfb_test
