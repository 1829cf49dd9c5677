// What every test on a virtual X server needs: the server itself (Xvfb, ended with the test), child processes (the
// program under test, xdotool) with their own environment and exit code, waiting with a bound, and the X side's view
// of the windows (names, screenshots, the window manager's close). Header only: each test binary includes it.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "platform/gdi/surface.h"

extern char** environ;

namespace xtest {

inline constexpr const char* kXvfb = "/usr/bin/Xvfb";
inline constexpr const char* kXdotool = "/usr/bin/xdotool";

// True when both the server and the input tool are installed; tests skip otherwise.
inline bool XvfbAndXdotoolInstalled() { return access(kXvfb, X_OK) == 0 && access(kXdotool, X_OK) == 0; }

// Waits up to `ms` for the condition, polling every 20 ms.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
  for (int waited = 0; waited < ms; waited += 20) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

// A child process: the program with the arguments, and this process's environment in which each "NAME=value" of
// `settings` replaces the variable of that name. The object owns the child: it kills and reaps it when it is still
// running at the end.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, std::vector<std::string> arguments,
               const std::vector<std::string>& settings = {}) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string v = *e;
      bool replaced = false;
      for (const std::string& s : settings) replaced = replaced || v.rfind(s.substr(0, s.find('=') + 1), 0) == 0;
      if (!replaced) env.push_back(v);
    }
    env.insert(env.end(), settings.begin(), settings.end());
    std::vector<char*> envp;
    for (std::string& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string name = program;
    std::vector<char*> argv{name.data()};
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  }
  ~ChildProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      int status;
      waitpid(pid_, &status, 0);
    }
  }
  ChildProcess(ChildProcess&& other) noexcept : pid_(std::exchange(other.pid_, -1)), code_(other.code_) {}
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ChildProcess& operator=(ChildProcess&&) = delete;

  bool started() const { return pid_ > 0 || code_.has_value(); }
  pid_t pid() const { return pid_; }
  // The exit code (128 + the signal when a signal ended it) once the child has ended; nothing while it runs.
  std::optional<int> Poll() { return Reap(WNOHANG); }
  // The exit code once the child has ended within `ms`; nothing while it runs.
  std::optional<int> WaitExit(int ms) {
    std::optional<int> code;
    WaitFor([&] { return (code = Poll()).has_value(); }, ms);
    return code;
  }
  // Waits for the end without a bound.
  std::optional<int> Wait() { return Reap(0); }
  // Sends the signal to the running child.
  bool Signal(int signal) { return pid_ > 0 && kill(pid_, signal) == 0; }

 private:
  std::optional<int> Reap(int options) {
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, options) == pid_) {
      pid_ = -1;
      code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return code_;
  }

  pid_t pid_ = -1;
  std::optional<int> code_;
};

// A virtual X server for one test: it tells its display number through a pipe once it is ready and is ended with
// the test. display() is empty where Xvfb is not installed or does not start.
class VirtualServer {
 public:
  // Xvfb chooses a free display and writes its number; two servers starting at once may both go for one number,
  // and the one that loses gives up without a number, so a start is tried a few times.
  explicit VirtualServer(const std::string& screen = "800x600x24") {
    if (access(kXvfb, X_OK) != 0) return;
    for (int attempt = 0; attempt < 3 && display_.empty(); ++attempt) Start(screen);
  }
  ~VirtualServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status;
      waitpid(pid_, &status, 0);
    }
  }
  VirtualServer(const VirtualServer&) = delete;
  VirtualServer& operator=(const VirtualServer&) = delete;
  const std::string& display() const { return display_; }

 private:
  void Start(const std::string& screen) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", nullptr};
    if (posix_spawn(&pid_, kXvfb, nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) pid_ = -1;
    close(fds[1]);
    std::string number;
    char c;
    while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) {
      display_ = ":" + number;
    } else if (pid_ > 0) {
      int status;
      waitpid(pid_, &status, 0);
      pid_ = -1;
    }
  }

  pid_t pid_ = -1;
  std::string display_;
};

// Runs xdotool against the display (real X input through the XTEST extension) and waits for it; true when it
// succeeded. For a program in another process: this process handles no X input meanwhile.
inline bool Xdotool(const std::string& display, std::vector<std::string> args) {
  ChildProcess xdotool(kXdotool, std::move(args), {"DISPLAY=" + display});
  return xdotool.started() && xdotool.Wait() == std::optional<int>(0);
}

// A program of the build copied into a folder of its own (its settings file lands beside it), with the platform
// library linked beside it; the copy's path.
inline std::filesystem::path CopyProgram(const std::filesystem::path& bin_dir, const std::string& name,
                                         const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  fs::create_directories(folder);
  fs::copy_file(bin_dir / name, folder / name, fs::copy_options::overwrite_existing);
  std::error_code exists;
  fs::create_symlink(bin_dir / "libplatform.so", folder / "libplatform.so", exists);
  return folder / name;
}

// X errors of windows that went away while a test looked at them (a dialog closing between the query of the
// tree and the read of a name) are no failure: the default handler would end the test process.
inline int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The mapped top-level window with this name and a width in [min_width, max_width]; 0 when none.
inline Window FindWindowNamed(Display* d, const std::string& name, int min_width = 0, int max_width = INT_MAX) {
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
    XWindowAttributes a;
    if (XFetchName(d, children[i], &title) && title) {
      if (name == title && XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
          a.width >= min_width && a.width <= max_width) {
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

}  // namespace xtest
