// The real txtool on a virtual X server with the simulated Tastomatik on COM2: real clicks choose the port on the
// start form (COM1 is not there: the form says so and lets the user choose again), the unit is found, the main
// window lists its data sets, the unit's information opens from the menu bar, and the window manager's close ends
// the program with 0; a reverse documentation is loaded through the German file dialog (a folder typed, the file
// clicked), the name dialog answered by Return, and the German question before it is written answered. Screenshots
// are left in the test folder. Skipped where Xvfb or xdotool is not installed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <vector>
#include <thread>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/conv_project_file.h"
#include "handheld/txtool/txtool_texts.h"
#include "model/project_file.h"
#include "platform/backend/x11_display.h"
#include "platform/comm/pseudo_terminal.h"
#include "platform/testing/driver.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/layer_texts.h"
#include "platform/win/win.h"
#include "tests/handheld/txtool/unit_on_line.h"
#include "tests/support/xvfb_in_process.h"

namespace txtool {
namespace {

namespace fs = std::filesystem;
using namespace xtest;

// The start form and the main window share their title: the test tells them apart by their width.
constexpr const char* kTitle = "Tastomatik - Tool";

sim::tasto::Unit FourSlots() {
  sim::tasto::Unit u;
  u.data_set_size = 1024;
  for (int n = 0; n < 4; ++n) {
    sim::tasto::Slot s;
    s.attribute = n == 2 ? 0x0000 : n == 1 ? 0x0003 : 0x0001;
    s.image.assign(1024, 0);
    u.slots.push_back(s);
  }
  return u;
}

// txtool copied into its own folder (the settings file lies beside the program), with its display and its ports:
// COM1 names no device, COM2 is the unit's line.
ChildProcess StartTxTool(const fs::path& folder, const std::string& display, const std::string& com2) {
  return ChildProcess(CopyProgram(ZPR_BIN_DIR, "txtool", folder).string(), {},
                      {"DISPLAY=" + display, "COM1=" + (folder / "no-such-port").string(), "COM2=" + com2});
}

// Dark pixels (text) in a rectangle of a screenshot.
int DarkPixels(const platform::gdi::Surface& shot, int left, int top, int right, int bottom) {
  int n = 0;
  for (int y = top; y < bottom && y < shot.height(); ++y) {
    for (int x = left; x < right && x < shot.width(); ++x) n += (shot.Pixel(x, y) & 0xFFFFFF) < 0x404040;
  }
  return n;
}

// Whether a pop-up (a menu's drop-down: an override-redirect window) is shown.
bool APopupIsShown(Display* d) {
  XSync(d, False);
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return false;
  bool shown = false;
  for (unsigned i = 0; i < count && !shown; ++i) {
    XWindowAttributes a;
    shown = XGetWindowAttributes(d, children[i], &a) && a.override_redirect && a.map_state == IsViewable;
  }
  if (children) XFree(children);
  return shown;
}

// Every pixel of a window's picture once it has settled: two pictures a moment apart are the same.
std::vector<std::uint32_t> SettledPicture(Display* d, Window w) {
  std::vector<std::uint32_t> last;
  for (int round = 0; round < 50; ++round) {
    const auto shot = Screenshot(d, w);
    std::vector<std::uint32_t> now;
    for (int y = 0; y < shot->height(); ++y)
      for (int x = 0; x < shot->width(); ++x) now.push_back(shot->Pixel(x, y));
    if (now == last) return now;
    last = std::move(now);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
  return last;
}

class TxToolXvfb : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbAndXdotoolInstalled()) GTEST_SKIP() << "no Xvfb or xdotool";
    if (!unit_.ok()) GTEST_SKIP() << "no pseudo-terminal";
    ASSERT_FALSE(server_.display().empty());
    user_ = XOpenDisplay(server_.display().c_str());
    ASSERT_NE(user_, nullptr);
    folder_ = fs::path(::testing::TempDir()) / ("txtool_xvfb_" + std::to_string(::getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    unit_.Start();
  }
  void TearDown() override {
    unit_.Stop();
    if (user_) XCloseDisplay(user_);
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  // A real click at a client point of a window (the layer draws the frame and caption inside the X window).
  void ClickClient(Window w, int frame, int caption, int x, int y) {
    const std::string id = std::to_string(w);
    ASSERT_TRUE(Xdotool(server_.display(),
                        {"mousemove", "--window", id, std::to_string(frame + x), std::to_string(frame + caption + y)}));
    ASSERT_TRUE(Xdotool(server_.display(), {"click", "1"}));
  }
  // txtool with its COM1 on com1.
  ChildProcess StartOnCom1(const std::string& com1) {
    ChildProcess program(CopyProgram(ZPR_BIN_DIR, "txtool", folder_).string(), {},
                         {"DISPLAY=" + server_.display(), "COM1=" + com1});
    EXPECT_TRUE(program.started());
    return program;
  }
  // Waits for the start form and clicks Ok (COM 1, 9600 Baud).
  void OkOnTheStartForm(Window* start) {
    ASSERT_TRUE(WaitFor([&] { return (*start = FindWindowNamed(user_, kTitle, 300, 400)) != 0; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ClickClient(*start, GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYCAPTION), 56, 228);
  }
  void SavePng(Window w, const std::string& name) {
    Screenshot(user_, w)->WritePng((fs::path(::testing::TempDir()) / name).string());
  }
  // COM 2 and Ok clicked on the settled start form; the main window once its list shows the unit's four rows.
  void ChooseCom2(Window* main) {
    Window start = 0;
    ASSERT_TRUE(WaitFor([&] { return (start = FindWindowNamed(user_, kTitle, 300, 400)) != 0; }));
    SettledPicture(user_, start);
    const int dlg = GetSystemMetrics(SM_CXDLGFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    ClickClient(start, dlg, caption, 60, 79);   // COM 2
    ClickClient(start, dlg, caption, 56, 228);  // Ok
    ASSERT_TRUE(WaitFor([&] { return (*main = FindWindowNamed(user_, kTitle, 500, 2000)) != 0; }, 60000));
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int top = frame + caption + GetSystemMetrics(SM_CYMENU) + 36 + 20;
    ASSERT_TRUE(WaitFor([&] { return DarkPixels(*Screenshot(user_, *main), frame + 8, top + 48, frame + 550, top + 64) > 20; },
                        30000));
  }

  UnitOnLine unit_{FourSlots()};
  VirtualServer server_{"1024x768x24"};
  Display* user_ = nullptr;
  fs::path folder_;
};

TEST_F(TxToolXvfb, ChoosesThePortWaitsForTheUnitAndListsItsDataSets) {
  ChildProcess program = StartTxTool(folder_, server_.display(), unit_.path());
  ASSERT_TRUE(program.started());
  Window start = 0;
  ASSERT_TRUE(WaitFor([&] { return (start = FindWindowNamed(user_, kTitle, 300, 400)) != 0; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const int dlg = GetSystemMetrics(SM_CXDLGFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);

  // Ok on COM1, which is not there: the form tells so and shows the port choice again.
  ClickClient(start, dlg, caption, 56, 228);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  SavePng(start, "txtool_xvfb_no_port.png");
  // COM 2, then Ok.
  ClickClient(start, dlg, caption, 60, 79);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ClickClient(start, dlg, caption, 56, 228);

  // The main window appears once the unit's list has been read.
  Window main = 0;
  ASSERT_TRUE(WaitFor([&] { return (main = FindWindowNamed(user_, kTitle, 500, 2000)) != 0; }, 60000));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const auto shot = Screenshot(user_, main);
  shot->WritePng((fs::path(::testing::TempDir()) / "txtool_xvfb_main.png").string());
  // Four rows of text in the list (each row about 16 pixels high, below the header).
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const int top = frame + caption + GetSystemMetrics(SM_CYMENU) + 36 + 20;
  EXPECT_GT(DarkPixels(*shot, frame + 8, top, frame + 550, top + 16), 20);           // row 1
  EXPECT_GT(DarkPixels(*shot, frame + 8, top + 48, frame + 550, top + 64), 20);      // row 4
  EXPECT_EQ(DarkPixels(*shot, frame + 8, top + 100, frame + 550, top + 200), 0);     // no fifth row

  std::ifstream cfg(folder_ / "txtool.cfg");
  const std::string settings((std::istreambuf_iterator<char>(cfg)), std::istreambuf_iterator<char>());
  EXPECT_NE(settings.find("ComMummer=2"), std::string::npos) << settings;

  // The unit's information from the menu bar ("&Tastomatik", then its item by the mnemonic 'i'), closed by a real
  // click on "&Abbrechen".
  ClickClient(main, frame, caption, 110, GetSystemMetrics(SM_CYMENU) / 2);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "i"}));
  Window info = 0;
  ASSERT_TRUE(WaitFor([&] { return (info = FindWindowNamed(user_, "Tastomatik-Info", 300, 400)) != 0; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto info_shot = Screenshot(user_, info);
  info_shot->WritePng((fs::path(::testing::TempDir()) / "txtool_xvfb_info.png").string());
  EXPECT_GT(DarkPixels(*info_shot, dlg + 130, dlg + caption + 164, dlg + 350, dlg + caption + 184), 20);  // size
  ClickClient(info, dlg, caption, 300, 220);
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, "Tastomatik-Info", 300, 400) == 0; }));

  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

TEST_F(TxToolXvfb, OnASilentLineTheStartFormKeepsSayingItWaitsForTheUnit) {
  platform::comm::PseudoTerminal silent;  // nothing answers on it
  ASSERT_TRUE(silent.ok());
  ChildProcess program = StartOnCom1(silent.slave_path());
  Window start = 0;
  ASSERT_NO_FATAL_FAILURE(OkOnTheStartForm(&start));
  const int dlg = GetSystemMetrics(SM_CXDLGFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  // The status line (Lab_Status) before the worker's 5 s without a telegram and in the 2 s after them, when it
  // waits for the unit anew: the same text.
  const auto status_line = [&] {
    const auto shot = Screenshot(user_, start);
    std::vector<std::uint32_t> pixels;
    for (int y = dlg + caption + 162; y < dlg + caption + 180; ++y)
      for (int x = dlg + 16; x < dlg + 312; ++x) pixels.push_back(shot->Pixel(x, y));
    return pixels;
  };
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const auto waiting = status_line();
  EXPECT_GT(std::count(waiting.begin(), waiting.end(), 0x000000u), 100);  // "Warte auf Tastomatik ..."
  SavePng(start, "txtool_xvfb_waiting.png");
  std::this_thread::sleep_for(std::chrono::milliseconds(4500));  // 6 s after Ok: the unit was given up
  SavePng(start, "txtool_xvfb_still_waiting.png");
  EXPECT_EQ(status_line(), waiting);
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_EQ(status_line(), waiting);
  CloseAsWindowManager(user_, start);
  EXPECT_TRUE(program.WaitExit(15000).has_value());
}

TEST_F(TxToolXvfb, AUnitPulledDuringAJobIsReportedWithTheJobThenAwaited) {
  ChildProcess program = StartOnCom1(unit_.path());
  Window start = 0;
  ASSERT_NO_FATAL_FAILURE(OkOnTheStartForm(&start));
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  Window main = 0;
  ASSERT_TRUE(WaitFor([&] { return (main = FindWindowNamed(user_, kTitle, 500, 2000)) != 0; }, 60000));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const int menu = GetSystemMetrics(SM_CYMENU);
  // The first data set selected, then "Schutz": the unit leaves the line in the middle of that job.
  ClickClient(main, frame, caption + menu, 60, 36 + 20 + 8);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  unit_.PullDuringNextJob();
  ClickClient(main, frame, caption + menu, 188 + 44, 4 + 13);
  // One message names the job; after it the list is read again from the unit.
  Window box = 0;
  ASSERT_TRUE(WaitFor([&] { return (box = FindWindowNamed(user_, kTitle, 100, 499)) != 0; }, 20000));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  SavePng(box, "txtool_xvfb_unit_lost.png");
  SavePng(main, "txtool_xvfb_unit_lost_main.png");
  const auto shot = Screenshot(user_, box);
  EXPECT_GT(DarkPixels(*shot, 0, caption, shot->width(), shot->height() - 40), 300);  // two lines of text
  ASSERT_TRUE(Xdotool(server_.display(), {"windowfocus", "--sync", std::to_string(box)}));
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "Return"}));
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kTitle, 100, 499) == 0; }));
  // The unit comes back: its list again, and no further message on the way.
  const int rows_top = frame + caption + menu + 36 + 20;
  ASSERT_TRUE(WaitFor([&] { return DarkPixels(*Screenshot(user_, main), frame + 8, rows_top, frame + 550, rows_top + 16) > 20; },
                      30000));
  EXPECT_EQ(FindWindowNamed(user_, kTitle, 100, 499), 0u);
  SavePng(main, "txtool_xvfb_unit_back.png");
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

// The unit's information shown twice looks the same both times, with its labels, check box and buttons; the main
// window looks as it did before the dialog.
TEST_F(TxToolXvfb, ADialogShownTwiceIsDrawnWholeAndTheMainWindowStaysAsItWas) {
  ChildProcess program = StartTxTool(folder_, server_.display(), unit_.path());
  ASSERT_TRUE(program.started());
  Window main = 0;
  ASSERT_NO_FATAL_FAILURE(ChooseCom2(&main));  // the list shows its rows before the comparison starts
  const int dlg = GetSystemMetrics(SM_CXDLGFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const auto main_before = SettledPicture(user_, main);
  SavePng(main, "txtool_xvfb_main_before_dialog.png");
  std::vector<std::vector<std::uint32_t>> shown;
  int info_width = 0;
  for (int time = 1; time <= 2; ++time) {
    ClickClient(main, frame, caption, 110, GetSystemMetrics(SM_CYMENU) / 2);  // "&Tastomatik"
    ASSERT_TRUE(WaitFor([&] { return APopupIsShown(user_); }));  // the drop-down
    ASSERT_TRUE(Xdotool(server_.display(), {"key", "i"}));
    Window info = 0;
    ASSERT_TRUE(WaitFor([&] { return (info = FindWindowNamed(user_, "Tastomatik-Info", 300, 400)) != 0; }));
    shown.push_back(SettledPicture(user_, info));
    info_width = Screenshot(user_, info)->width();
    SavePng(info, "txtool_xvfb_info_" + std::to_string(time) + ".png");
    // The labels, the check box and both buttons are there.
    const auto shot = Screenshot(user_, info);
    EXPECT_GT(DarkPixels(*shot, dlg + 12, dlg + caption + 16, dlg + 120, dlg + caption + 30), 20) << time;
    EXPECT_GT(DarkPixels(*shot, dlg + 130, dlg + caption + 76, dlg + 310, dlg + caption + 98), 20) << time;
    EXPECT_GT(DarkPixels(*shot, dlg + 144, dlg + caption + 206, dlg + 360, dlg + caption + 231), 20) << time;
    ClickClient(info, dlg, caption, 300, 220);  // "&Abbrechen"
    ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, "Tastomatik-Info", 300, 400) == 0; }));
    const auto main_after = SettledPicture(user_, main);
    EXPECT_TRUE(main_after == main_before) << "the main window changed after the dialog, time " << time;
    if (main_after != main_before) SavePng(main, "txtool_xvfb_main_after_dialog.png");
  }
  ASSERT_EQ(shown.size(), 2u);
  ASSERT_EQ(shown[0].size(), shown[1].size());
  // Pixel for pixel, but for the focused first text field, where the caret blinks.
  int differ = 0;
  for (std::size_t i = 0; i < shown[0].size(); ++i) {
    const int x = static_cast<int>(i) % info_width - dlg, y = static_cast<int>(i) / info_width - dlg - caption;
    const bool in_caret_field = x >= 128 && x < 320 && y >= 10 && y < 38;
    differ += !in_caret_field && shown[0][i] != shown[1][i];
  }
  EXPECT_EQ(differ, 0) << "the dialog looked different the second time";
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

// The layer in this process on the test's X server, to learn where it puts the parts of its own dialogs and what
// they look like there, as the program shows them: the test clicks and compares with that.
class LayerOnTheServer {
 public:
  LayerOnTheServer(Display* user, const std::string& display) : user_(user) {
    setenv("DISPLAY", display.c_str(), 1);
    std::string error;
    started_ = platform::backend::StartX11Display(&error);
  }
  ~LayerOnTheServer() {
    if (started_) platform::backend::StopX11Display();
  }
  LayerOnTheServer(const LayerOnTheServer&) = delete;
  LayerOnTheServer& operator=(const LayerOnTheServer&) = delete;
  bool started() const { return started_; }

  // The open dialog's first list row, relative to the dialog's window.
  RECT FirstFileRow() {
    RECT row{};
    OnShown([&](HWND dialog, const platform::gdi::Surface&) {
      RECT box{};
      GetWindowRect(dialog, &box);
      HWND list = GetDlgItem(dialog, kFileList);
      SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
      MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
      OffsetRect(&row, -box.left, -box.top);
      EndDialog(dialog, IDCANCEL);
    });
    char file[260] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    GetOpenFileName(&ofn);
    return row;
  }
  // The pictures of the Yes and No buttons of the question before a reverse documentation is written, in the
  // layer's `language`.
  std::vector<std::unique_ptr<platform::gdi::Surface>> ReverseDocButtons(platform::win::LayerLanguage language) {
    platform::win::SetLayerLanguage(language);
    std::vector<std::unique_ptr<platform::gdi::Surface>> pictures;
    OnShown([&](HWND box, const platform::gdi::Surface& shot) {
      RECT whole{};
      GetWindowRect(box, &whole);
      for (int id : {IDYES, IDNO}) {
        RECT r{};
        GetWindowRect(GetDlgItem(box, id), &r);
        auto picture = std::make_unique<platform::gdi::Surface>(r.right - r.left, r.bottom - r.top);
        for (int y = 0; y < picture->height(); ++y)
          for (int x = 0; x < picture->width(); ++x)
            picture->Row(y)[x] = shot.Pixel(r.left - whole.left + x, r.top - whole.top + y);
        pictures.push_back(std::move(picture));
      }
      EndDialog(box, IDNO);
    });
    MessageBox(nullptr, kTextReverseDocQuestion, kCaptionLoad, MB_YESNO | MB_ICONQUESTION);
    return pictures;
  }

 private:
  // Runs `look` once, when the modal dialog is shown and painted on the server, with its screenshot.
  void OnShown(std::function<void(HWND, const platform::gdi::Surface&)> look) {
    platform::testing::OnAnyDialogIdle([this, look = std::move(look)](HWND dialog) {
      platform::backend::PumpX11Display();
      const Window w = platform::backend::X11WindowOf(dialog);
      XWindowAttributes a;
      if (w == 0 || !XGetWindowAttributes(user_, w, &a) || a.map_state != IsViewable) return;
      xtest::in_process::PumpUntil([] { return false; }, 20);  // painted
      look(dialog, *Screenshot(user_, w));
    });
  }

  platform::testing::Session session_;
  Display* user_;
  bool started_ = false;
};

// Whether the screenshot shows the picture somewhere, pixel for pixel.
bool Shows(const platform::gdi::Surface& shot, const platform::gdi::Surface& picture) {
  const auto same_at = [&](int left, int top) {
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if ((shot.Pixel(left + x, top + y) & 0xFFFFFF) != (picture.Pixel(x, y) & 0xFFFFFF)) return false;
    return true;
  };
  for (int top = 0; top + picture.height() <= shot.height(); ++top)
    for (int left = 0; left + picture.width() <= shot.width(); ++left)
      if (same_at(left, top)) return true;
  return false;
}

// A reverse documentation loaded into the empty third slot: the German open dialog goes into the typed folder, a
// click picks the file, Return confirms it; Return on the name dialog presses "Weiter"; the question before the
// reverse documentation is written shows "Ja" and "Nein", and its access key "n" answers it. One question, no
// other box.
TEST_F(TxToolXvfb, AReverseDocumentationIsLoadedThroughGermanDialogsByClicksAndReturn) {
  ASSERT_EQ(ConvInitImage(0), kConvDone);
  const std::uint8_t family = 2, type = 61;
  ASSERT_EQ(ConvWriteElement(5, 0, &family, 8, 0), kConvDone);
  ASSERT_EQ(ConvWriteElement(5, 1, &type, 8, 0), kConvDone);
  ASSERT_EQ(ConvSetFileKind(18, 0), 18);
  const fs::path documents = folder_ / "documents";
  fs::create_directories(documents);
  ASSERT_EQ(ConvProjectFile(model::kProjectWriteReverseDoc, 0, (documents / "rueck.ZPR").c_str()), model::kFileDone);
  RECT first_row{};
  std::vector<std::unique_ptr<platform::gdi::Surface>> german, english;
  {
    LayerOnTheServer layer(user_, server_.display());
    ASSERT_TRUE(layer.started());
    first_row = layer.FirstFileRow();
    german = layer.ReverseDocButtons(platform::win::LayerLanguage::kGerman);
    english = layer.ReverseDocButtons(platform::win::LayerLanguage::kEnglish);
  }
  ASSERT_EQ(german.size(), 2u);
  ASSERT_EQ(english.size(), 2u);

  ChildProcess program = StartTxTool(folder_, server_.display(), unit_.path());
  ASSERT_TRUE(program.started());
  Window main = 0;
  ASSERT_NO_FATAL_FAILURE(ChooseCom2(&main));
  SettledPicture(user_, main);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const int menu = GetSystemMetrics(SM_CYMENU);
  ClickClient(main, frame, caption + menu, 60, 36 + 20 + 8 + 32);  // the third slot, empty
  ClickClient(main, frame, caption + menu, 96 + 44, 4 + 13);       // "Laden"

  const std::string open_title = "\xD6" "ffnen";
  Window open = 0;
  ASSERT_TRUE(WaitFor([&] { return (open = FindWindowNamed(user_, open_title)) != 0; }));
  const std::vector<std::uint32_t> in_start_folder = SettledPicture(user_, open);
  SavePng(open, "txtool_xvfb_open_dialog.png");
  // The folder typed into the name field, then Return: the list shows that folder.
  ASSERT_TRUE(Xdotool(server_.display(), {"windowfocus", "--sync", std::to_string(open)}));
  ASSERT_TRUE(Xdotool(server_.display(), {"type", "--delay", "5", documents.string()}));
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "Return"}));
  ASSERT_TRUE(WaitFor([&] { return SettledPicture(user_, open) != in_start_folder; }));
  // A click on the second row, the file ("[..]" is the first), puts its name into the field; Return opens it.
  const int row_height = first_row.bottom - first_row.top;
  ASSERT_TRUE(Xdotool(server_.display(), {"mousemove", "--window", std::to_string(open),
                                          std::to_string(first_row.left + 12),
                                          std::to_string(first_row.top + row_height + row_height / 2)}));
  ASSERT_TRUE(Xdotool(server_.display(), {"click", "1"}));
  SettledPicture(user_, open);
  SavePng(open, "txtool_xvfb_open_dialog_file.png");
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "Return"}));
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, open_title) == 0; }));

  // The name dialog proposes the file's name; Return is "Weiter".
  Window names = 0;
  ASSERT_TRUE(WaitFor([&] { return (names = FindWindowNamed(user_, "Datensatzname")) != 0; }));
  SettledPicture(user_, names);
  SavePng(names, "txtool_xvfb_name_dialog.png");
  ASSERT_TRUE(Xdotool(server_.display(), {"windowfocus", "--sync", std::to_string(names)}));
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "Return"}));
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, "Datensatzname") == 0; }));

  // The question, with the buttons the layer draws for "&Ja" and "&Nein".
  Window question = 0;
  ASSERT_TRUE(WaitFor([&] { return (question = FindWindowNamed(user_, kCaptionLoad)) != 0; }));
  SettledPicture(user_, question);
  SavePng(question, "txtool_xvfb_reverse_doc_question.png");
  const auto shot = Screenshot(user_, question);
  EXPECT_TRUE(Shows(*shot, *german[0])) << "no \"Ja\" button";
  EXPECT_TRUE(Shows(*shot, *german[1])) << "no \"Nein\" button";
  EXPECT_FALSE(Shows(*shot, *english[0])) << "a \"Yes\" button";
  EXPECT_FALSE(Shows(*shot, *english[1])) << "a \"No\" button";
  ASSERT_TRUE(Xdotool(server_.display(), {"windowfocus", "--sync", std::to_string(question)}));
  ASSERT_TRUE(Xdotool(server_.display(), {"key", "n"}));
  ASSERT_TRUE(WaitFor([&] { return FindWindowNamed(user_, kCaptionLoad) == 0; }));
  // Answered "Nein": nothing is written and no further box comes.
  EXPECT_FALSE(WaitFor([&] {
    return FindWindowNamed(user_, kCaptionLoad) != 0 || FindWindowNamed(user_, kTitle, 100, 499) != 0;
  }, 2000));
  CloseAsWindowManager(user_, main);
  EXPECT_EQ(program.WaitExit(15000), std::optional<int>(0));
}

}  // namespace
}  // namespace txtool
