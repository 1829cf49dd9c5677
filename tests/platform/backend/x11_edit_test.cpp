// Edits on a real X display (a virtual X server) driven by real input through the XTest extension, with a second X
// client on the other end of the selections: a double click selects a word, which becomes the PRIMARY selection
// the other client reads; Ctrl+C puts it on the CLIPBOARD; the other client's text comes in with Ctrl+V; a drag of
// a multi-line edit's scroll-bar thumb scrolls it. The screen is written as x11_edit.png. Skipped without Xvfb.
#include <gtest/gtest.h>

#ifdef ZPR_HAVE_XTEST

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "platform/backend/x11_display.h"
#include "platform/gdi/control_paint.h"
#include "platform/gdi/surface.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"
#include "tests/support/xvfb.h"

namespace {

namespace drv = platform::testing;

constexpr int kField = 10;
constexpr int kNotes = 11;

constexpr DialogItemTemplate kItems[] = {
    {kField, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 150, 14},
    {kNotes, WC_EDIT, "", ES_MULTILINE | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 10, 32, 150, 60},
};
constexpr DialogTemplate kDialog{WS_POPUP | WS_CAPTION | WS_VISIBLE, 20, 20, 170, 100, "Edit", kItems};

INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

template <class Done>
bool PumpUntil(Done done) {
  for (int i = 0; i < 1500; ++i) {
    platform::backend::PumpX11Display();
    drv::PumpUntilIdle();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

// Runs the program's loop for a while (to let input arrive that changes nothing the test can wait for).
void PumpFor(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    platform::backend::PumpX11Display();
    drv::PumpUntilIdle();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

// Another X client: reads a selection as UTF-8, or owns the CLIPBOARD and serves it, on a thread of its own while
// the test's thread runs the program's loop.
class OtherClient {
 public:
  explicit OtherClient(const std::string& display) : d_(XOpenDisplay(display.c_str())) {
    if (d_) window_ = XCreateSimpleWindow(d_, DefaultRootWindow(d_), 0, 0, 1, 1, 0, 0, 0);
  }
  ~OtherClient() {
    Stop();
    if (d_) XCloseDisplay(d_);
  }
  bool ok() const { return d_ != nullptr; }
  // Starts asking for a selection; Result() gives the text once the owner answered.
  void Read(const char* selection) {
    Stop();
    result_.reset();
    done_ = false;
    thread_ = std::thread([this, selection] {
      const Atom utf8 = XInternAtom(d_, "UTF8_STRING", False), property = XInternAtom(d_, "OTHER", False);
      XConvertSelection(d_, XInternAtom(d_, selection, False), utf8, property, window_, CurrentTime);
      XFlush(d_);
      XEvent e{};
      if (Await(SelectionNotify, &e) && e.xselection.property != None) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(d_, window_, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data);
        if (data) {
          result_ = std::string(reinterpret_cast<char*>(data), count);
          XFree(data);
        }
      }
      done_ = true;
    });
  }
  // Owns the CLIPBOARD with UTF-8 text and answers requests until stopped.
  void Offer(const std::string& utf8) {
    Stop();
    done_ = false;
    const Atom clipboard = XInternAtom(d_, "CLIPBOARD", False);
    XSetSelectionOwner(d_, clipboard, window_, CurrentTime);
    XFlush(d_);
    thread_ = std::thread([this, utf8] {
      XEvent e{};
      while (!stop_ && Await(SelectionRequest, &e)) {
        XSelectionEvent answer{};
        answer.type = SelectionNotify;
        answer.requestor = e.xselectionrequest.requestor;
        answer.selection = e.xselectionrequest.selection;
        answer.target = e.xselectionrequest.target;
        answer.time = e.xselectionrequest.time;
        answer.property = None;
        if (e.xselectionrequest.target == XInternAtom(d_, "UTF8_STRING", False)) {
          XChangeProperty(d_, answer.requestor, e.xselectionrequest.property, answer.target, 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
          answer.property = e.xselectionrequest.property;
        }
        XSendEvent(d_, answer.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
        XFlush(d_);
      }
      done_ = true;
    });
  }
  bool done() const { return done_; }
  std::optional<std::string> Result() const { return result_; }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    stop_ = false;
  }

 private:
  bool Await(int type, XEvent* e) {
    for (int waited = 0; waited < 5000 && !stop_; waited += 10) {
      if (XCheckTypedWindowEvent(d_, window_, type, e)) return true;
      pollfd fd{ConnectionNumber(d_), POLLIN, 0};
      poll(&fd, 1, 10);
    }
    return false;
  }
  Display* d_ = nullptr;
  Window window_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false}, done_{false};
  std::optional<std::string> result_;
};

void MoveTo(Display* user, POINT screen) {
  XTestFakeMotionEvent(user, -1, screen.x, screen.y, CurrentTime);
  XSync(user, False);
}
void Button(Display* user, bool down) {
  XTestFakeButtonEvent(user, 1, down ? True : False, CurrentTime);
  XSync(user, False);
}
void Key(Display* user, KeySym modifier, KeySym key) {
  const KeyCode m = XKeysymToKeycode(user, modifier), k = XKeysymToKeycode(user, key);
  XTestFakeKeyEvent(user, m, True, CurrentTime);
  XTestFakeKeyEvent(user, k, True, CurrentTime);
  XTestFakeKeyEvent(user, k, False, CurrentTime);
  XTestFakeKeyEvent(user, m, False, CurrentTime);
  XSync(user, False);
}

std::string SelectedText(HWND edit) {
  DWORD a = 0, b = 0;
  SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  return drv::Text(edit).substr(a, b - a);
}

TEST(X11Edit, SelectionsClipboardAndScrollBarWithRealInput) {
  xtest::VirtualServer server;
  if (server.display().empty()) GTEST_SKIP() << "no Xvfb";
  setenv("DISPLAY", server.display().c_str(), 1);
  drv::Session session;
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  int event = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(user, &event, &error_base, &major, &minor)) GTEST_SKIP() << "no XTest";
  OtherClient other(server.display());
  ASSERT_TRUE(other.ok());

  HWND dialog = CreateDialogIndirectParam(nullptr, &kDialog, nullptr, Proc, 0);
  ASSERT_TRUE(dialog);
  drv::AddModelessDialog(dialog);
  HWND field = GetDlgItem(dialog, kField), notes = GetDlgItem(dialog, kNotes);
  const std::string text = "Drehzahl 1500 1/min";
  SetWindowText(field, text.c_str());
  std::string lines;
  for (int i = 0; i < 30; ++i) {
    lines += "Zeile ";
    lines += std::to_string(i);
    if (i < 29) lines += "\r\n";
  }
  SetWindowText(notes, lines.c_str());
  SendMessage(notes, EM_SCROLLCARET, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return platform::backend::X11WindowOf(dialog) != 0 && IsWindowVisible(dialog); }));
  PumpFor(200);

  // A double click on "1500" selects the word; the other client reads it as PRIMARY.
  POINT word{1 + platform::gdi::EditTextWidth(reinterpret_cast<HFONT>(SendMessage(field, WM_GETFONT, 0, 0)), text, 11), 6};
  ClientToScreen(field, &word);
  MoveTo(user, word);
  for (int i = 0; i < 2; ++i) {
    Button(user, true);
    Button(user, false);
  }
  ASSERT_TRUE(PumpUntil([&] { return SelectedText(field) == "1500"; })) << SelectedText(field);
  other.Read("PRIMARY");
  ASSERT_TRUE(PumpUntil([&] { return other.done(); }));
  EXPECT_EQ(other.Result(), std::optional<std::string>("1500"));

  // Ctrl+C puts it on the CLIPBOARD.
  Key(user, XK_Control_L, XK_c);
  // The keys have arrived once the program owns the CLIPBOARD (nobody did before); a fixed pause was too short
  // on a loaded machine.
  const Atom clipboard = XInternAtom(user, "CLIPBOARD", False);
  ASSERT_TRUE(PumpUntil([&] { return XGetSelectionOwner(user, clipboard) != None; }));
  other.Read("CLIPBOARD");
  ASSERT_TRUE(PumpUntil([&] { return other.done(); }));
  EXPECT_EQ(other.Result(), std::optional<std::string>("1500"));

  // The other client's Unicode text replaces the selection with Ctrl+V, as Windows-1252.
  other.Offer("2\xC2\xB5s \xE2\x82\xAC");  // "2µs €"
  Key(user, XK_Control_L, XK_v);
  EXPECT_TRUE(PumpUntil([&] { return drv::Text(field) == "Drehzahl 2\xB5s \x80 1/min"; })) << drv::Text(field);
  other.Stop();

  // The thumb of the notes' scroll bar dragged to the bottom shows the last lines.
  RECT c{};
  GetClientRect(notes, &c);
  POINT bar{c.right + GetSystemMetrics(SM_CXVSCROLL) / 2, GetSystemMetrics(SM_CYVSCROLL) + 3};
  ClientToScreen(notes, &bar);
  MoveTo(user, bar);
  Button(user, true);
  PumpFor(200);
  MoveTo(user, POINT{bar.x, bar.y + c.bottom});
  Button(user, false);
  EXPECT_TRUE(PumpUntil([&] { return SendMessage(notes, EM_GETFIRSTVISIBLELINE, 0, 0) > 20; }));
  PumpUntil([&] { return GetCapture() == nullptr; });

  RECT frame{};
  GetWindowRect(dialog, &frame);
  XImage* shot = XGetImage(user, DefaultRootWindow(user), 0, 0, static_cast<unsigned>(frame.right),
                           static_cast<unsigned>(frame.bottom), AllPlanes, ZPixmap);
  ASSERT_NE(shot, nullptr);
  platform::gdi::Surface screen(frame.right, frame.bottom);
  for (int y = 0; y < frame.bottom; ++y)
    for (int x = 0; x < frame.right; ++x) screen.Row(y)[x] = static_cast<std::uint32_t>(XGetPixel(shot, x, y)) & 0xFFFFFF;
  XDestroyImage(shot);
  screen.WritePng((std::filesystem::path(::testing::TempDir()) / "x11_edit.png").string());

  XCloseDisplay(user);
  drv::RemoveModelessDialog(dialog);
  DestroyWindow(dialog);
  platform::backend::StopX11Display();
}

}  // namespace

#endif  // ZPR_HAVE_XTEST
