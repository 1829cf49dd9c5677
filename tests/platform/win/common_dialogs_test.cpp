#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/gdi/gdi.h"
#include "platform/sys/global_memory.h"
#include "platform/testing/driver.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/help.h"
#include "platform/win/input.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
namespace fs = std::filesystem;

constexpr char kFilter[] = "Project files\0*.zpr;*.cfg\0All files\0*.*\0";

class CommonDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("win_dialogs_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    std::ofstream(dir_ / "A.ZPR") << "x";
    std::ofstream(dir_ / "b.txt") << "x";
    dir_text_ = dir_.string();
  }
  void TearDown() override { fs::remove_all(dir_); }
  OPENFILENAME Ofn(char* buffer, DWORD size, DWORD flags) {
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = size;
    ofn.lpstrInitialDir = dir_text_.c_str();
    ofn.lpstrDefExt = "zpr";
    ofn.Flags = flags;
    return ofn;
  }
  drv::Session session_;
  fs::path dir_;
  std::string dir_text_;
};

TEST_F(CommonDialogsTest, OpenListsMatchingFilesWithoutRegardToCaseAndReturnsTheFullPath) {
  std::vector<std::string> listed;
  drv::OnFileDialog([&](const drv::FileDialogRecord& r) -> std::optional<std::string> {
    EXPECT_FALSE(r.save);
    EXPECT_EQ(r.filter, "Project files|*.zpr;*.cfg|All files|*.*");
    EXPECT_EQ(r.initial_dir, dir_text_);
    HWND dialog = drv::ActiveModal();
    int n = static_cast<int>(SendDlgItemMessage(dialog, kFileList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char name[64];
      SendDlgItemMessage(dialog, kFileList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
      listed.push_back(name);
    }
    return "A.ZPR";
  });
  char file[MAX_PATH] = "";
  OPENFILENAME ofn = Ofn(file, sizeof file, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  ASSERT_TRUE(GetOpenFileName(&ofn));
  EXPECT_EQ(listed, (std::vector<std::string>{"[..]", "A.ZPR"}));
  EXPECT_EQ(std::string(file), (dir_ / "A.ZPR").string());
  EXPECT_EQ(std::string(file + ofn.nFileOffset), "A.ZPR");
  EXPECT_EQ(std::string(file + ofn.nFileExtension), "ZPR");
}

TEST_F(CommonDialogsTest, MissingFileIsRefusedWithAMessageAndCancelGivesFalse) {
  drv::AnswerFileDialog("nothere");
  drv::AnswerMessageBox(IDOK);
  drv::AnswerFileDialog(std::nullopt);
  char file[MAX_PATH] = "";
  OPENFILENAME ofn = Ofn(file, sizeof file, OFN_FILEMUSTEXIST);
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(platform::win::CommonDialogError(), 0u);
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_NE(drv::MessageBoxes()[0].text.find("nothere.zpr"), std::string::npos);  // the default extension is added
  EXPECT_EQ(drv::FileDialogs().size(), 2u);
}

std::vector<std::string> ListRows(HWND dialog) {
  std::vector<std::string> rows;
  const int n = static_cast<int>(SendDlgItemMessage(dialog, kFileList, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char name[256];
    SendDlgItemMessage(dialog, kFileList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
    rows.push_back(name);
  }
  return rows;
}

TEST_F(CommonDialogsTest, FoldersAreGoneIntoByTypedPathsUpHomeAndDoubleClick) {
  fs::create_directories(dir_ / "Sub");
  fs::create_directories(dir_ / "Gone");
  std::ofstream(dir_ / "Sub" / "c.ZPR") << "x";
  std::ofstream(dir_ / "Sub" / "d.Cfg") << "x";
  std::ofstream(dir_ / "Sub" / "e.txt") << "x";
  const char* old_home = std::getenv("HOME");
  const std::string saved_home = old_home ? old_home : "";
  setenv("HOME", (dir_ / "Sub").c_str(), 1);
  auto type_and_ok = [](HWND d, const char* text) {
    SetDlgItemText(d, kFileNameEdit, text);
    drv::ClickItem(d, IDOK);
  };
  auto folder = [](HWND d) { return drv::ItemText(d, kFileDirStatic); };
  int step = 0;
  drv::AnswerMessageBox(IDOK);  // the folder that cannot be read
  drv::OnAnyDialogIdle([&](HWND d) {
    switch (step++) {
      case 0:
        EXPECT_EQ(ListRows(d), (std::vector<std::string>{"[..]", "[Gone]", "[Sub]", "A.ZPR"}));
        type_and_ok(d, "Sub");  // relative
        break;
      case 1:
        EXPECT_EQ(folder(d), (dir_ / "Sub").string());
        EXPECT_EQ(ListRows(d), (std::vector<std::string>{"[..]", "c.ZPR", "d.Cfg"}));
        EXPECT_EQ(drv::ItemText(d, kFileNameEdit), "");
        type_and_ok(d, "*.TXT");  // a pattern, case ignored
        break;
      case 2:
        EXPECT_EQ(ListRows(d), (std::vector<std::string>{"[..]", "e.txt"}));
        drv::ClickItem(d, kFileUpButton);
        break;
      case 3:
        EXPECT_EQ(folder(d), dir_.string());
        type_and_ok(d, "~");
        break;
      case 4:
        EXPECT_EQ(folder(d), (dir_ / "Sub").string());
        type_and_ok(d, (dir_ / "Sub" / ".." / ".").c_str());  // absolute, with steps
        break;
      case 5: {
        EXPECT_EQ(folder(d), dir_.string());
        // The folder goes away after it was listed: a message says so and the dialog stays where it is.
        fs::remove_all(dir_ / "Gone");
        SendDlgItemMessage(d, kFileList, LB_SETCURSEL, 1, 0);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(kFileList, LBN_DBLCLK), reinterpret_cast<LPARAM>(GetDlgItem(d, kFileList)));
        break;
      }
      case 6:
        EXPECT_EQ(folder(d), dir_.string());
        EXPECT_EQ(ListRows(d), (std::vector<std::string>{"[..]", "[Sub]", "b.txt"}));  // the typed pattern holds
        SendDlgItemMessage(d, kFileList, LB_SETCURSEL, 1, 0);
        SendMessage(d, WM_COMMAND, MAKEWPARAM(kFileList, LBN_DBLCLK), reinterpret_cast<LPARAM>(GetDlgItem(d, kFileList)));
        break;
      case 7:
        type_and_ok(d, "c");  // the default extension, then the file of that name without regard to case
        break;
      default: drv::ClickItem(d, IDCANCEL); break;
    }
  });
  char file[MAX_PATH] = "";
  OPENFILENAME ofn = Ofn(file, sizeof file, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
  const BOOL ok = GetOpenFileName(&ofn);
  if (old_home) setenv("HOME", saved_home.c_str(), 1);
  ASSERT_TRUE(ok);
  EXPECT_EQ(step, 8);
  EXPECT_EQ(std::string(file), (dir_ / "Sub" / "c.ZPR").string());
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_NE(drv::MessageBoxes()[0].text.find("The folder cannot be read"), std::string::npos) << drv::MessageBoxes()[0].text;
}

// In Save As, a folder marked in the list is gone into by Return ("[..]" too) and a double click on a folder
// keeps the typed name; a name typed after the mark is saved, in the folder the dialog shows.
TEST_F(CommonDialogsTest, SaveGoesIntoAMarkedFolderByReturnAndKeepsTheTypedName) {
  fs::create_directories(dir_ / "Sub");
  auto folder = [](HWND d) { return drv::ItemText(d, kFileDirStatic); };
  auto name = [](HWND d) { return drv::ItemText(d, kFileNameEdit); };
  auto notify = [](HWND d, int row, WORD code) {
    SendDlgItemMessage(d, kFileList, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    SendMessage(d, WM_COMMAND, MAKEWPARAM(kFileList, code), reinterpret_cast<LPARAM>(GetDlgItem(d, kFileList)));
  };
  int step = 0;
  drv::OnAnyDialogIdle([&](HWND d) {
    switch (step++) {
      case 0:
        ASSERT_EQ(ListRows(d), (std::vector<std::string>{"[..]", "[Sub]", "A.ZPR"}));
        notify(d, 1, LBN_SELCHANGE);  // "[Sub]" marked
        drv::PressKey(VK_RETURN);
        break;
      case 1:
        EXPECT_EQ(folder(d), (dir_ / "Sub").string());
        EXPECT_EQ(name(d), "NONAME1.ZPR");
        notify(d, 0, LBN_SELCHANGE);  // "[..]"
        drv::PressKey(VK_RETURN);
        break;
      case 2:
        EXPECT_EQ(folder(d), dir_.string());
        EXPECT_EQ(name(d), "NONAME1.ZPR");
        notify(d, 1, LBN_DBLCLK);
        break;
      case 3:
        EXPECT_EQ(folder(d), (dir_ / "Sub").string());
        EXPECT_EQ(name(d), "NONAME1.ZPR");
        notify(d, 0, LBN_SELCHANGE);
        SetFocus(GetDlgItem(d, kFileNameEdit));
        SetDlgItemText(d, kFileNameEdit, "plant.zpr");  // typed after the mark
        drv::PressKey(VK_RETURN);
        break;
      default: drv::ClickItem(d, IDCANCEL); break;
    }
  });
  char file[MAX_PATH] = "NONAME1.ZPR";
  OPENFILENAME ofn = Ofn(file, sizeof file, OFN_OVERWRITEPROMPT);
  ASSERT_TRUE(GetSaveFileName(&ofn));
  EXPECT_EQ(step, 4);
  EXPECT_EQ(std::string(file), (dir_ / "Sub" / "plant.zpr").string());
}

std::string DeviceOf(const PRINTDLGA& pd) {
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(pd.hDevMode));
  std::string name = mode ? mode->dmDeviceName : "";
  GlobalUnlock(pd.hDevMode);
  return name;
}

// The program's printer setup: its hook opens the setup at once and cancels the print dialog behind it.
UINT_PTR SetupOnlyHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    SendMessage(dialog, WM_COMMAND, kPrintSetupButton, 0);
    PostMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  return 0;
}

// The program's print job: its hook says OK at once, the job goes to the kept printer.
UINT_PTR PrintAtOnceHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) PostMessage(dialog, WM_COMMAND, IDOK, 0);
  return 0;
}

TEST_F(CommonDialogsTest, PrinterSetupChoosesACupsPrinterOrAPdfFileAndThePrintJobFollows) {
  platform::gdi::SetCupsPrinterLister([] { return std::vector<std::string>{"Office", "Lab"}; });
  EXPECT_EQ(platform::gdi::AvailablePrinters(), (std::vector<std::string>{"PDF file", "Office", "Lab"}));
  PRINTDLGA kept{};
  kept.lStructSize = 66;
  kept.Flags = 0x14100C;
  kept.lpfnPrintHook = SetupOnlyHook;
  drv::AnswerPrintDialog(drv::PrintAnswer{"Lab", "", 0});
  EXPECT_FALSE(PrintDlg(&kept));  // the print dialog itself was cancelled ...
  EXPECT_EQ(DeviceOf(kept), "Lab");  // ... the setup's choice is kept
  const auto lab = platform::gdi::SettingsForPrinter("Lab", "");
  EXPECT_TRUE(lab.send_to_lp);
  EXPECT_EQ(lab.lp_destination, "Lab");

  // The PDF file with an output path: a folder that does not exist is refused with a message first.
  const std::string out = (dir_ / "job.pdf").string();
  drv::AnswerPrintDialog(drv::PrintAnswer{"PDF file", "/no/such/folder/job.pdf", 0});
  drv::AnswerMessageBox(IDOK);
  drv::AnswerPrintDialog(drv::PrintAnswer{"PDF file", out, 0});
  EXPECT_FALSE(PrintDlg(&kept));
  EXPECT_EQ(DeviceOf(kept), "PDF file");
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_NE(drv::MessageBoxes()[0].text.find("does not exist"), std::string::npos);

  PRINTDLGA job = kept;
  job.Flags = 0x14110C;
  job.lpfnPrintHook = PrintAtOnceHook;
  ASSERT_TRUE(PrintDlg(&job));
  ASSERT_NE(job.hDC, nullptr);
  DOCINFOA doc{sizeof(DOCINFOA), "ZPR-Tool", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(job.hDC, &doc), 0);
  TextOut(job.hDC, 100, 100, "page", 4);
  ASSERT_GT(EndDoc(job.hDC), 0);
  DeleteDC(job.hDC);
  EXPECT_TRUE(fs::exists(out));  // the choice reached the job's back end
  GlobalFree(kept.hDevMode);
  GlobalFree(kept.hDevNames);
  platform::gdi::SetCupsPrinterLister(nullptr);
}

TEST_F(CommonDialogsTest, WithoutCupsThePdfFileIsTheDefaultAndCopiesAreAsked) {
  platform::gdi::SetCupsPrinterLister([] { return std::vector<std::string>{}; });
  EXPECT_EQ(platform::gdi::AvailablePrinters(), (std::vector<std::string>{"PDF file"}));
  PRINTDLGA pd{};
  pd.lStructSize = 66;
  pd.Flags = PD_RETURNDEFAULT;
  ASSERT_TRUE(PrintDlg(&pd));
  EXPECT_EQ(DeviceOf(pd), "PDF file");
  pd.Flags = 0;
  drv::AnswerPrintDialog(drv::PrintAnswer{"PDF file", "", 3});
  ASSERT_TRUE(PrintDlg(&pd));
  EXPECT_EQ(pd.nCopies, 3);
  drv::AnswerPrintDialog(std::nullopt);
  EXPECT_FALSE(PrintDlg(&pd));
  EXPECT_EQ(CommDlgExtendedError(), 0u);  // a cancel
  GlobalFree(pd.hDevMode);
  GlobalFree(pd.hDevNames);
  platform::gdi::SetCupsPrinterLister(nullptr);
}

TEST_F(CommonDialogsTest, SaveAsksBeforeReplacingAndReportsASmallBuffer) {
  drv::AnswerFileDialog("A.ZPR");
  drv::AnswerMessageBox(IDYES);
  char file[MAX_PATH] = "proposed.zpr";
  OPENFILENAME ofn = Ofn(file, sizeof file, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
  ASSERT_TRUE(GetSaveFileName(&ofn));
  EXPECT_EQ(drv::FileDialogs()[0].proposed, "proposed.zpr");
  EXPECT_EQ(drv::MessageBoxes().size(), 1u);
  char tiny[4] = "";
  drv::AnswerFileDialog("new.zpr");
  OPENFILENAME small = Ofn(tiny, sizeof tiny, 0);
  EXPECT_FALSE(GetSaveFileName(&small));
  EXPECT_EQ(platform::win::CommonDialogError(), FNERR_BUFFERTOOSMALL);
  EXPECT_STREQ(tiny, "");  // nothing half-written
}

TEST_F(CommonDialogsTest, ColourDialogStartsAtTheGivenColour) {
  COLORREF custom[16] = {};
  CHOOSECOLOR cc{sizeof(CHOOSECOLOR), nullptr, nullptr, 0x00336699, custom, CC_RGBINIT, 0, nullptr, nullptr};
  COLORREF seen = 0;
  drv::OnAnyDialogIdle([&](HWND d) {
    seen = GetDlgItemInt(d, kColorRedEdit, nullptr, FALSE) | (GetDlgItemInt(d, kColorGreenEdit, nullptr, FALSE) << 8) |
           (GetDlgItemInt(d, kColorBlueEdit, nullptr, FALSE) << 16);
    drv::OnAnyDialogIdle(nullptr);
  });
  drv::AnswerColorDialog(0x00FF0000);
  EXPECT_TRUE(ChooseColor(&cc));
  EXPECT_EQ(cc.rgbResult, 0x00FF0000u);
  drv::AnswerColorDialog(std::nullopt);
  EXPECT_FALSE(ChooseColor(&cc));
}

TEST(WinHelpLog, RecordsEveryRequest) {
  drv::Session session;
  EXPECT_TRUE(WinHelp(nullptr, "VQPT.HLP", HELP_CONTEXT, 2131));
  EXPECT_TRUE(WinHelp(nullptr, "VQPT.HLP", HELP_KEY, reinterpret_cast<UINT_PTR>("E80")));
  WinHelp(nullptr, "VQPT.HLP", HELP_QUIT, 0);
  const auto& log = platform::win::HelpRequests();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].file, "VQPT.HLP");
  EXPECT_EQ(log[0].data, 2131u);
  EXPECT_EQ(log[1].key, "E80");
  EXPECT_EQ(log[2].command, HELP_QUIT);
}

}  // namespace
