// The layer's own dialogs on a real X display (a virtual X server), driven by real X input while their modal
// loops wait on the display: the save dialog goes into "[..]", marked by a click, on Return and saves there; the longest message
// box of the handheld tool shows every line of its text above its buttons, centred on its owner, and Return
// answers it. Screenshots are left in the test folder. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/backend/x11_display.h"
#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"
#include "tests/support/xvfb_in_process.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;
namespace fs = std::filesystem;
using xtest::kXdotool;
using xtest::VirtualServer;
using xtest::in_process::PumpUntil;

// The warning of the handheld tool before a reverse documentation is written, as the program words it (its odd
// line ends included).
constexpr const char* kReverseDocWarning =
    "Die Datei enth\xE4lt R\xFC" "ckdokumentationsdaten.\n\n\rBeim Schreiben dieser Daten werden die "
    "Scope-Aufnahme\n\rsowie die Daten der Gruppen E(Anzeigen), R(Fertigungsdaten),\n\rS(St\xF6rungsspeicher) "
    "und Z(St\xF6rungsz\xE4hler) nicht mitgeschrieben.\n\r\nDen Vorgang trotzdem fortsetzen ?";

class X11DialogsTest : public VclTest {
 protected:
  void SetUp() override {
    if (server_.display().empty() || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
    setenv("DISPLAY", server_.display().c_str(), 1);
    std::string error;
    ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    XSetErrorHandler(xtest::IgnoreXError);
  }
  void TearDown() override {
    if (user_) XCloseDisplay(user_);
    platform::backend::StopX11Display();
  }
  // The X window of a window of the layer once the server shows it; 0 before.
  Window Shown(HWND hwnd) {
    const Window w = platform::backend::X11WindowOf(hwnd);
    XWindowAttributes a;
    return w != 0 && XGetWindowAttributes(user_, w, &a) && a.map_state == IsViewable ? w : 0;
  }
  void SavePng(Window w, const std::string& name) {
    xtest::Screenshot(user_, w)->WritePng((fs::path(::testing::TempDir()) / name).string());
  }
  // xdotool against the server; the modal loop takes the input once the script returns.
  bool X(std::vector<std::string> args) { return xtest::Xdotool(server_.display(), std::move(args)); }

  VirtualServer server_{"1024x768x24"};
  Display* user_ = nullptr;
};

TEST_F(X11DialogsTest, ReturnOnTheFolderAboveGoesIntoItAndTheNameIsSavedThere) {
  const fs::path top = fs::path(::testing::TempDir()) / ("x11_file_dialog_" + std::to_string(getpid()));
  const fs::path inner = top / "projects";
  fs::create_directories(inner);
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return Shown(form->Handle()) != 0; }));
  form->Dlg_Speichern->InitialDir = inner.string();
  form->Dlg_Speichern->FileName = "NONAME1.ZPR";
  int step = 0;
  std::string folder_after_return;
  drv::OnAnyDialogIdle([&](HWND dialog) {
    platform::backend::PumpX11Display();  // the user's keys, as the display's wait would take them
    const Window w = Shown(dialog);
    if (w == 0) return;
    HWND list = GetDlgItem(dialog, kFileList);
    char dir[512] = {};
    GetDlgItemText(dialog, kFileDirStatic, dir, sizeof dir);
    switch (step) {
      case 0: {  // a click on the list's first row, "[..]", marks it
        RECT box{}, row{};
        GetWindowRect(dialog, &box);
        SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        POINT at{row.left + 12, (row.top + row.bottom) / 2};
        ClientToScreen(list, &at);
        ASSERT_TRUE(X({"mousemove", "--window", std::to_string(w), std::to_string(at.x - box.left),
                       std::to_string(at.y - box.top)}));
        ASSERT_TRUE(X({"click", "1"}));
        step = 1;
        return;
      }
      case 1:
        if (SendMessage(list, LB_GETCURSEL, 0, 0) != 0) return;
        SavePng(w, "x11_file_dialog_marked.png");
        ASSERT_TRUE(X({"key", "--window", std::to_string(w), "Return"}));
        step = 2;
        return;
      case 2:
        if (std::string(dir) != top.string()) return;
        folder_after_return = dir;
        SavePng(w, "x11_file_dialog_entered.png");
        // The typed name was kept; Return now saves it here.
        ASSERT_TRUE(X({"key", "--window", std::to_string(w), "Return"}));
        step = 3;
        return;
      default: return;
    }
  });
  const bool chosen = form->Dlg_Speichern->Execute();
  EXPECT_EQ(step, 3);
  EXPECT_TRUE(chosen);
  EXPECT_EQ(folder_after_return, top.string());
  EXPECT_EQ(form->Dlg_Speichern->FileName, (top / "NONAME1.ZPR").string());
  fs::remove_all(top);
}

TEST_F(X11DialogsTest, TheLongestMessageBoxShowsEveryLineAboveItsButtonsCentredOnItsOwner) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->SetBounds(250, 200, 480, 380);
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return Shown(form->Handle()) != 0; }));
  int step = 0;
  RECT text_rect{}, yes_rect{}, no_rect{}, box{}, owner{};
  std::vector<int> dark_per_line;
  int line_height = 0;
  drv::OnAnyDialogIdle([&](HWND dialog) {
    const Window w = Shown(dialog);
    if (w == 0) return;
    if (step == 0) {
      PumpUntil([] { return false; }, 20);  // painted and shown
      GetWindowRect(GetDlgItem(dialog, 0xFFFF), &text_rect);
      GetWindowRect(GetDlgItem(dialog, IDYES), &yes_rect);
      GetWindowRect(GetDlgItem(dialog, IDNO), &no_rect);
      GetWindowRect(dialog, &box);
      GetWindowRect(form->Handle(), &owner);
      line_height = platform::win::ListItemHeight(GetDlgItem(dialog, 0xFFFF));  // the height of its font
      const auto shot = xtest::Screenshot(user_, w);
      shot->WritePng((fs::path(::testing::TempDir()) / "x11_message_box_reverse_doc.png").string());
      for (int line = 0; line < 7; ++line) {
        int dark = 0;
        const int y0 = text_rect.top - box.top + line * line_height;
        for (int y = y0; y < y0 + line_height; ++y)
          for (int x = text_rect.left - box.left; x < text_rect.right - box.left; ++x)
            dark += (shot->Pixel(x, y) & 0xFFFFFF) < 0x404040;
        dark_per_line.push_back(dark);
      }
      ASSERT_TRUE(X({"key", "--window", std::to_string(w), "Return"}));
      step = 1;
    }
  });
  const int answer = Application->MessageBox(kReverseDocWarning, "Tastomatik - Tool", MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(answer, IDYES);
  ASSERT_EQ(dark_per_line.size(), 7u);
  // Seven lines: text, empty, three lines of text, empty, the question.
  for (int line : {0, 2, 3, 4, 6}) EXPECT_GT(dark_per_line[static_cast<std::size_t>(line)], 20) << "line " << line;
  for (int line : {1, 5}) EXPECT_EQ(dark_per_line[static_cast<std::size_t>(line)], 0) << "line " << line;
  EXPECT_GE(text_rect.bottom - text_rect.top, 7 * line_height);
  EXPECT_LE(text_rect.bottom, yes_rect.top);
  EXPECT_LE(no_rect.bottom, box.bottom);
  EXPECT_LE(text_rect.right, box.right);
  // Centred on the form.
  EXPECT_LE(std::abs((box.left + box.right) - (owner.left + owner.right)), 2);
  EXPECT_LE(std::abs((box.top + box.bottom) - (owner.top + owner.bottom)), 2);
}

}  // namespace
}  // namespace vcltest
