// The form program on a real X display (a virtual X server): xdotool moves the pointer, clicks and types with
// real X input, the form's events follow, and a screenshot of the X window matches the form's surface.
// Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/backend/capture.h"
#include "platform/backend/x11_display.h"
#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"
#include "tests/support/xvfb_in_process.h"


namespace vcltest {
namespace {

using xtest::kXdotool;
using xtest::VirtualServer;
using xtest::in_process::PumpUntil;
using xtest::in_process::Xdotool;

// Waits until the X server shows the form's window (mapped and viewable), so that pointer input reaches it.
bool ShownOnServer(const std::string& display, HWND form) {
  Display* user = XOpenDisplay(display.c_str());
  if (!user) return false;
  const bool shown = PumpUntil([&] {
    const Window w = platform::backend::X11WindowOf(form);
    XWindowAttributes a;
    return w != 0 && XGetWindowAttributes(user, w, &a) && a.map_state == IsViewable;
  });
  XCloseDisplay(user);
  return shown;
}

class X11FormTest : public VclTest {};

TEST_F(X11FormTest, AUserClicksTypesAndPressesKeysOnARealDisplay) {
  VirtualServer server;
  if (server.display().empty() || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
  setenv("DISPLAY", server.display().c_str(), 1);
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;

  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->SetKeyPreview(true);
  form->Show();
  ASSERT_TRUE(ShownOnServer(server.display(), form->Handle()));
  const std::string xwin = std::to_string(platform::backend::X11WindowOf(form->Handle()));
  RECT frame;
  GetWindowRect(form->Handle(), &frame);
  // The middle of a control in the X window's coordinates.
  auto at = [&](TControl* c) {
    RECT r;
    GetWindowRect(c->Handle(), &r);
    return std::vector<std::string>{std::to_string((r.left + r.right) / 2 - frame.left),
                                    std::to_string((r.top + r.bottom) / 2 - frame.top)};
  };
  auto click = [&](TControl* c) {
    auto p = at(c);
    return Xdotool({"mousemove", "--window", xwin, p[0], p[1], "click", "1"});
  };
  form->log.clear();
  ASSERT_TRUE(click(form->Radio_Com2_));
  EXPECT_TRUE(PumpUntil([&] { return form->Radio_Com2_->Checked(); }));
  ASSERT_TRUE(click(form->Speed_Ende));
  EXPECT_TRUE(PumpUntil([&] { return !form->log.empty() && form->log.back() == "Speed_Ende.Click"; }));
  ASSERT_TRUE(click(form->Edit_Namen));
  ASSERT_TRUE(Xdotool({"type", "--delay", "20", "Slot7"}));
  EXPECT_TRUE(PumpUntil([&] { return form->Edit_Namen->Text() == "Slot7"; })) << form->Edit_Namen->Text();
  ASSERT_TRUE(Xdotool({"key", "--delay", "20", "shift+z", "F5"}));
  EXPECT_TRUE(PumpUntil([&] {
    return std::find(form->log.begin(), form->log.end(), "Form.KeyDown 116") != form->log.end();
  }));
  EXPECT_NE(std::find(form->log.begin(), form->log.end(), "Form.KeyDown 90S"), form->log.end());
  const EventLog clicks(form->log.begin(), form->log.begin() + 4);
  EXPECT_EQ(clicks, (EventLog{"Radio_Com2_.Click 2", "Speed_Ende.MouseDown", "Speed_Ende.MouseUp", "Speed_Ende.Click"}));
  auto row = form->List_Datensatz_->RowHeight();
  {
    RECT r;
    GetWindowRect(form->List_Datensatz_->Handle(), &r);
    ASSERT_TRUE(Xdotool({"mousemove", "--window", xwin, std::to_string(r.left - frame.left + 30),
                         std::to_string(r.top - frame.top + 2 + row + row + row / 2), "click", "1"}));
  }
  EXPECT_TRUE(PumpUntil([&] { return form->List_Datensatz_->ItemIndex() == 1; }));

  // What the screen shows is what the form painted.
  form->Led_Arbeit->SetBrushColor(clLime);
  form->Pro_Status->SetPosition(20);
  PumpUntil([] { return false; }, 10);
  auto surface = platform::backend::CaptureWindow(form->Handle(), true);
  ASSERT_NE(surface, nullptr);
  Display* user = XOpenDisplay(server.display().c_str());
  ASSERT_NE(user, nullptr);
  XImage* shot = XGetImage(user, std::stoul(xwin), 0, 0, static_cast<unsigned>(surface->width()),
                           static_cast<unsigned>(surface->height()), AllPlanes, ZPixmap);
  ASSERT_NE(shot, nullptr);
  platform::gdi::Surface copy(surface->width(), surface->height());
  int differ = 0;
  for (int y = 0; y < surface->height(); ++y)
    for (int x = 0; x < surface->width(); ++x) {
      const auto p = static_cast<std::uint32_t>(XGetPixel(shot, x, y)) & 0xFFFFFF;
      copy.Row(y)[x] = p;
      differ += p != surface->Pixel(x, y);
    }
  XDestroyImage(shot);
  XCloseDisplay(user);
  EXPECT_EQ(differ, 0);
  const char* keep = std::getenv("ZPR_SCREENSHOT_DIR");
  const std::filesystem::path dir = keep ? keep : ::testing::TempDir();
  EXPECT_TRUE(copy.WritePng((dir / "vcl_form_x11.png").string()));
  platform::backend::StopX11Display();
}

TEST_F(X11FormTest, TheApplicationsOwnLoopTakesTheUsersClickFromTheDisplay) {
  VirtualServer server;
  if (server.display().empty() || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
  setenv("DISPLAY", server.display().c_str(), 1);
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Speed_Ende->OnClick = [form](TObject*) { form->Close(); };
  form->Show();
  ASSERT_TRUE(ShownOnServer(server.display(), form->Handle()));
  RECT frame, button;
  GetWindowRect(form->Handle(), &frame);
  GetWindowRect(form->Speed_Ende->Handle(), &button);
  std::string xwin = std::to_string(platform::backend::X11WindowOf(form->Handle()));
  std::string x = std::to_string((button.left + button.right) / 2 - frame.left);
  std::string y = std::to_string((button.top + button.bottom) / 2 - frame.top);
  xtest::ChildProcess xdotool(kXdotool, {"mousemove", "--window", xwin, x, y, "click", "1"});
  ASSERT_TRUE(xdotool.started());
  // Should the click never come, another thread ends the loop (Terminate is safe from any thread).
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) Application->Terminate();
  });
  Application->Run();  // blocks in the display's wait until the X input arrives
  done = true;
  watchdog.join();
  xdotool.Wait();
  EXPECT_NE(std::find(form->log.begin(), form->log.end(), "Form.Close"), form->log.end())
      << ::testing::PrintToString(form->log);
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Speed_Ende.MouseDown"), 1);
  platform::backend::StopX11Display();
}

TEST_F(X11FormTest, TheMenuBarAndThePopupMenuTakeTheUsersKeysAndClicks) {
  VirtualServer server;
  if (server.display().empty() || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
  setenv("DISPLAY", server.display().c_str(), 1);
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  // The user opens "Hilfe" with Alt+H and picks "Info" by its mnemonic; then deletes a data set from the list's
  // pop-up menu (right click, Down to its first item, Return); the pop-up's item closes the program.
  form->Loeschen2->OnClick = [form](TObject*) {
    form->log.push_back("Loeschen2.Click");
    form->Close();
  };
  form->Show();
  ASSERT_TRUE(ShownOnServer(server.display(), form->Handle()));
  RECT frame, list;
  GetWindowRect(form->Handle(), &frame);
  GetWindowRect(form->List_Datensatz_->Handle(), &list);
  std::string xwin = std::to_string(platform::backend::X11WindowOf(form->Handle()));
  std::string x = std::to_string((list.left + list.right) / 2 - frame.left);
  std::string y = std::to_string((list.top + list.bottom) / 2 - frame.top);
  xtest::ChildProcess xdotool(kXdotool, {"mousemove", "--window", xwin, x, y, "sleep", "0.2", "key", "alt+h",
                                        "sleep", "0.3", "key", "i", "sleep", "0.3", "click", "3", "sleep", "0.3",
                                        "key", "Down", "sleep", "0.2", "key", "Return"});
  ASSERT_TRUE(xdotool.started());
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) Application->Terminate();
  });
  Application->Run();
  done = true;
  watchdog.join();
  xdotool.Wait();
  const EventLog picked = [&] {
    EventLog l;
    for (const std::string& e : form->log)
      if (e == "Info1.Click" || e == "Loeschen2.Click") l.push_back(e);
    return l;
  }();
  EXPECT_EQ(picked, (EventLog{"Info1.Click", "Loeschen2.Click"})) << ::testing::PrintToString(form->log);
  platform::backend::StopX11Display();
}

}  // namespace
}  // namespace vcltest
