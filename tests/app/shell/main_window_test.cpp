// The window program from start to idle and back: its window and status line, every menu command's enabling
// and answer, the help keys and commands, the menu hints and closing with modified files.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "app/binding/dialog_binding.h"
#include "app/binding/work_buffer.h"
#include "app/common/help_context.h"
#include "app/documents/device_view.h"
#include "app/documents/file_titles.h"
#include "app/documents/recent_files.h"
#include "app/shell/main_commands.h"
#include "app/shell/main_resources.h"
#include "app/shell/main_window.h"
#include "app/shell/status_line.h"
#include "app/templates/info_template.h"
#include "model/project_file.h"
#include "platform/gdi/sys_colors.h"
#include "platform/sys/global_memory.h"
#include "platform/sys/private_profile.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {
namespace {

constexpr char kNotAvailable[] = "Function not available!";

std::string WindowText(HWND w) { return drv::Text(w); }

void Modify(std::uint8_t set) {
  ASSERT_EQ(model::WriteElement(317, 0, "changed", model::kModeWriteUnchecked, set), 0);
  ASSERT_EQ(model::ChangeList0Empty(set), 0);
}

TEST_F(ShellTest, StartsToIdleWithTitleMenuAndStatusLineAndExitsWithZero) {
  const int code = Run({
      [] {
        HWND main = Main();
        ASSERT_TRUE(IsWindow(main));
        char name[32];
        GetClassName(main, name, sizeof name);
        EXPECT_STREQ(name, "VQPWIN_Class");
        EXPECT_EQ(WindowText(main), "ZPR-Tool - File 1: NONAME1.ZPR");
        EXPECT_TRUE(IsWindowVisible(main));
        HWND bar = GetDlgItem(main, 501);
        ASSERT_TRUE(bar);
        EXPECT_EQ(WindowText(bar), app::StatusLineText());
        EXPECT_EQ(GetMenuItemCount(GetMenu(main)), 6);
        EXPECT_TRUE(drv::MenuState(main, 2133).found);
        EXPECT_FALSE(drv::MenuState(main, 2133).grayed);
        EXPECT_FALSE(drv::MenuState(main, 2034).grayed);
        EXPECT_TRUE(drv::MenuState(main, 2047).grayed) << "the device's rules: no positioning in use";
      },
      [] { EXPECT_TRUE(drv::PickMenu(Main(), 2019)); },
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(steps_run_, 2u);
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

// Every item of the main menu has a row in the command table, and an item is greyed exactly when the program
// does not have its work; ids without a row answer "Function not available!", 2058 does nothing.
TEST_F(ShellTest, EveryMenuCommandIsEnabledByTheTableAndUnknownIdsAnswerNotAvailable) {
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDOK; });
  std::set<UINT> ids;
  std::size_t not_built = 0;
  for (const MenuTemplateItem& row : app::MainMenuRows()) {
    if ((row.flags & (MF_POPUP | MF_SEPARATOR)) == 0) ids.insert(row.id);
  }
  Run({
      [&] {
        for (UINT id : ids) {
          SCOPED_TRACE(id);
          EXPECT_NE(app::FindCommandHandler(id), nullptr);
          const auto state = drv::MenuState(Main(), id);
          ASSERT_TRUE(state.found);
          // The device's rules grey some pages beyond that (F part 3 without an option board that has it).
          const bool allowed = app::DeviceAllowsCommand(app::ViewOfDataSet(0, 0), id);
          EXPECT_EQ(state.grayed, !app::CommandAvailable(id) || !allowed);
        }
        // Every item by its position: a command in two pop-ups ("N.. Posi switch") is greyed in both.
        std::size_t items = 0;
        std::function<void(HMENU)> walk = [&](HMENU menu) {
          for (int position = 0; position < GetMenuItemCount(menu); ++position) {
            if (HMENU sub = GetSubMenu(menu, position)) {
              walk(sub);
              continue;
            }
            const UINT id = GetMenuItemID(menu, position);
            if (ids.count(id) == 0) continue;
            SCOPED_TRACE(testing::Message() << "item " << id << " at " << position);
            const bool allowed = app::DeviceAllowsCommand(app::ViewOfDataSet(0, 0), id);
            const bool grayed = (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_GRAYED) != 0;
            EXPECT_EQ(grayed, !app::CommandAvailable(id) || !allowed);
            ++items;
          }
        };
        walk(GetMenu(Main()));
        EXPECT_EQ(items, ids.size() + 1);  // 2089 twice
        for (UINT id : {1999u, 2059u, 2101u, 2109u, 2134u}) PostMessage(Main(), WM_COMMAND, id, 0);
        // Commands whose work is not built yet (as many as are left, at most two).
        for (const app::CommandRow& row : app::MainCommandTable()) {
          if (row.handler != &app::CommandNotBuilt || not_built == 2) continue;
          PostMessage(Main(), WM_COMMAND, row.first, 0);
          ++not_built;
        }
        PostMessage(Main(), WM_COMMAND, 2058, 0);
      },
      [] {},
  });
  const auto& boxes = drv::MessageBoxes();
  ASSERT_EQ(boxes.size(), 5u + not_built);
  for (const auto& box : boxes) {
    EXPECT_EQ(box.text, kNotAvailable);
    EXPECT_EQ(box.caption, "ZPR-Tool");
  }
}

// There is no help viewer: every request is recorded, and the first of each run says so in the catalogue's box.
TEST_F(ShellTest, HelpCommandsAndTheF1AcceleratorOpenTheHelpFile) {
  constexpr char kNoHelp[] = "Help-system can not be initialized.";
  platform::win::ClearHelpRequests();
  Run({
      [] { drv::PickMenu(Main(), 2130); },
      [] { drv::PressKey(VK_F1); },
      [] { drv::PickMenu(Main(), 2132); },
  });
  const auto& help = platform::win::HelpRequests();
  ASSERT_EQ(help.size(), 3u);
  for (const auto& r : help) EXPECT_EQ(r.file, "VQPT.HLP");
  EXPECT_EQ(help[0].command, HELP_CONTENTS);
  EXPECT_EQ(help[1].command, HELP_CONTENTS);
  EXPECT_EQ(help[2].command, HELP_HELPONHELP);
  EXPECT_EQ(dialogs_, std::vector<std::string>{kNoHelp});
  EXPECT_TRUE(drv::MessageBoxes().empty());

  // A new run says it again, on its first request: F1 held down while the box waits (its idle asks the main
  // window for help again) is the same request, neither recorded again nor shown in a second box.
  dialogs_.clear();
  platform::win::ClearHelpRequests();
  drv::OnDialogIdle(2, [this](HWND d) {
    dialogs_.push_back(drv::ItemText(d, 100));
    if (dialogs_.size() == 1) {
      drv::HoldKey(VK_F1);
      SendMessage(Main(), WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(d));
      drv::ReleaseKey(VK_F1);
    }
    EndDialog(d, 1);
  });
  Run({[] { drv::PressKey(VK_F1); }, [] { drv::PressKey(VK_F1); }});
  EXPECT_EQ(dialogs_, std::vector<std::string>{kNoHelp});
  EXPECT_EQ(platform::win::HelpRequests().size(), 2u);
}

TEST_F(ShellTest, MenuHintsShowTheStringAndSetTheHelpContextUntilTheMenuCloses) {
  Run({[] {
    HWND main = Main();
    HWND bar = GetDlgItem(main, 501);
    app::SetHelpContext(1);
    SendMessage(main, WM_MENUSELECT, MAKEWPARAM(2003, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(main)));
    EXPECT_EQ(WindowText(bar), "save file with new name");
    EXPECT_EQ(app::GetHelpContext(), 2003);
    SendMessage(main, WM_MENUSELECT, MAKEWPARAM(2500, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(main)));
    EXPECT_EQ(WindowText(bar), "save file with new name");  // 2500 and up: nothing
    SendMessage(main, WM_MENUSELECT, MAKEWPARAM(0, MF_SYSMENU), reinterpret_cast<LPARAM>(GetMenu(main)));
    EXPECT_EQ(WindowText(bar), "  ZPR drive systems    ZPR-Tool  V 4.6   ");
    EXPECT_EQ(app::GetHelpContext(), 2900);
    SendMessage(main, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(WindowText(bar), app::StatusLineText());
    EXPECT_EQ(app::GetHelpContext(), 1);
  }});
}

TEST_F(ShellTest, InfoBoxShowsTheVersionCentredAndClosesWithOk) {
  std::string version, tool, caption;
  RECT box{}, main{};
  drv::OnDialogIdle(app::kInfoTemplate, [&](HWND d) {
    version = drv::ItemText(d, 333);
    tool = drv::ItemText(d, 334);
    caption = drv::Text(d);
    GetWindowRect(d, &box);
    GetWindowRect(Main(), &main);
    drv::ClickItem(d, IDOK);
  });
  Run({[] { drv::PickMenu(Main(), 2133); }});
  EXPECT_EQ(caption, "Info about ZPR-Tool");
  EXPECT_EQ(version, "ZPR-Tool version 4.6 ");
  EXPECT_EQ(tool, "The projecting- and diagnostic tool for all KLX 4xxx, ZPR 4xxx and QWM 4xxx");
  EXPECT_NEAR((box.left + box.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((box.top + box.bottom) / 2, (main.top + main.bottom) / 2, 1);
}

TEST_F(ShellTest, SaveOptionsWritesTheSettingsFile) {
  Run({[] { drv::PickMenu(Main(), 2113); }});
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "vqpt32.ini"));
  EXPECT_TRUE(drv::MessageBoxes().empty());
}

TEST_F(ShellTest, DisabledTextColourOfTheSettingsHoldsWhileTheProgramRunsAndIsPutBackAtClose) {
  const COLORREF before = GetSysColor(COLOR_GRAYTEXT);
  WriteIni("[Colors]\nGrayText=b10 g20 r30\n");
  COLORREF running = 0;
  const int code = Run({
      [&] { running = GetSysColor(COLOR_GRAYTEXT); },
      [] { SendMessage(Main(), WM_CLOSE, 0, 0); },
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(running, RGB(30, 20, 10));
  EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), before);
}

// The start takes everything from the settings file (the settings lists, the recent files, the logo settings, the
// disabled-text colour) in one read of it.
TEST_F(ShellTest, TheStartReadsTheSettingsFileOnce) {
  const std::string recent = (folder_.path() / "RECENT.ZPR").string();
  WriteIni("[Colors]\nGrayText=b10 g20 r30\n[lastfiles]\nfile1=" + recent + "\n[Bitmaps]\nMode=0\n");
  const long before = platform::sys::ProfileFileReads();
  long at_idle = 0;
  COLORREF running = 0;
  Run({[&] {
    at_idle = platform::sys::ProfileFileReads();
    running = GetSysColor(COLOR_GRAYTEXT);
  }});
  EXPECT_EQ(at_idle - before, 1);
  EXPECT_EQ(running, RGB(30, 20, 10));
  EXPECT_EQ(app::RecentFiles()[0].path, recent);
}

// Closing asks for each modified file in turn; Cancel, a cancelled save dialog and a failed save keep the
// program open with nothing lost; a save into each file's own slot lets it close.
struct CloseCase {
  const char* name;
  bool modify_file2;
  std::vector<int> answers;                     // message boxes, in order
  std::vector<std::optional<std::string>> files;  // save dialogs, in order ("" = unwritable path)
  bool closes;
  int questions;
};

class CloseTest : public ShellTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, AsksPerModifiedFile) {
  const CloseCase& c = GetParam();
  for (int a : c.answers) drv::AnswerMessageBox(a);
  for (const auto& f : c.files) {
    if (f && f->empty()) drv::AnswerFileDialog((folder_.path() / "missing" / "x.ZPR").string());
    else if (f) drv::AnswerFileDialog((folder_.path() / *f).string());
    else drv::AnswerFileDialog(std::nullopt);
  }
  bool open_after = false;
  const int code = Run({
      [&] {
        Modify(0);
        if (c.modify_file2) Modify(1);
        SendMessage(Main(), WM_CLOSE, 0, 0);
        open_after = IsWindow(Main());
      },
  });
  EXPECT_EQ(open_after, !c.closes);
  if (c.closes) {
    EXPECT_EQ(code, 0);
  }
  int questions = 0;
  for (const auto& box : drv::MessageBoxes()) questions += box.text.find("has been modified") != std::string::npos;
  EXPECT_EQ(questions, c.questions);
  for (const auto& f : c.files) {
    if (f && !f->empty()) {
      EXPECT_TRUE(std::filesystem::exists(folder_.path() / *f)) << *f;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Close, CloseTest,
    ::testing::Values(CloseCase{"cancel", false, {IDCANCEL}, {}, false, 1},
                      CloseCase{"no", false, {IDNO}, {}, true, 1},
                      CloseCase{"save_dialog_cancelled", false, {IDYES}, {std::nullopt}, false, 1},
                      CloseCase{"save_fails", false, {IDYES}, {std::string()}, false, 1},
                      CloseCase{"save_succeeds", false, {IDYES}, {std::string("one.ZPR")}, true, 1},
                      CloseCase{"both_saved", true, {IDYES, IDYES}, {std::string("one.ZPR"), std::string("two.ZPR")},
                                true, 2},
                      CloseCase{"second_cancelled", true, {IDNO, IDCANCEL}, {}, false, 2}),
    [](const auto& info) { return std::string(info.param.name); });

// The scope recording's commands reach the loop from any window: 2800 saves the active file under a new name,
// 2801 exports the recording as text, 2802 is not built yet, 2803 does nothing.
TEST_F(ShellTest, ScopeMenuCommandsAreHandledByTheLoopForAnyWindow) {
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDOK; });
  drv::AnswerFileDialog((folder_.path() / "scope.ZPR").string());
  drv::AnswerFileDialog((folder_.path() / "scope.PRN").string());
  // Posted to the status bar, whose procedure knows none of them; one a round, as a modal loop of one command
  // would take the next one's message.
  bool comments = false;
  drv::OnDialogIdle(37, [&](HWND dialog) {
    comments = true;
    drv::ClickItem(dialog, IDCANCEL);
  });
  const auto post = [](UINT id) { return [id] { PostMessage(GetDlgItem(Main(), 501), WM_COMMAND, id, 0); }; };
  Run({post(2800), post(2801), post(2802), post(2803), [] {}});
  EXPECT_TRUE(comments);
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "scope.ZPR"));
  EXPECT_TRUE(std::filesystem::exists(folder_.path() / "scope.PRN"));
  ASSERT_EQ(drv::FileDialogs().size(), 2u);
  EXPECT_NE(drv::FileDialogs()[1].filter.find("*.PRN"), std::string::npos);
  EXPECT_TRUE(drv::MessageBoxes().empty());
}

TEST_F(ShellTest, CloseQuestionNamesTheDataSetOfEachFile) {
  drv::AnswerMessageBox(IDNO);
  drv::AnswerMessageBox(IDNO);
  Run({[] {
    Modify(0);
    Modify(1);
    SendMessage(Main(), WM_CLOSE, 0, 0);
  }});
  const auto& boxes = drv::MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[0].text.find("Data set 1 has been modified!"), std::string::npos);
  EXPECT_NE(boxes[1].text.find("Data set 2 has been modified!"), std::string::npos);
}

}  // namespace
}  // namespace shell_test

namespace shell_test {
namespace {

TEST_F(ShellTest, WorkBufferIsHeldWhileRunningAndReleasedAtClose) {
  const std::size_t before = platform::sys::LiveGlobalBlocks();
  std::size_t size = 0;
  const int code = Run({
      [&] {
        size = app::WorkBuffer().size();
        // The work buffer and the binding's work text.
        EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before + 2);
        EXPECT_EQ(app::WorkText().size(), app::kStringBackupBytes);
      },
      [] { SendMessage(Main(), WM_CLOSE, 0, 0); },
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(size, app::kWorkBufferSize);
  EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before);
  EXPECT_TRUE(app::WorkBuffer().empty());
  EXPECT_TRUE(app::WorkText().empty());
}

// Without its work buffer the program says so and ends at once with its start-failure code, leaving nothing.
// However the loop ends (here without a close: the steps run out), the start's blocks are given back, so that
// starts in one process hold no more memory than one start.
TEST_F(ShellTest, WorkBufferIsReleasedAlsoWhenTheLoopEndsWithoutAClose) {
  const std::size_t before = platform::sys::LiveGlobalBlocks();
  for (int start = 0; start < 3; ++start) {
    Run({[] { EXPECT_FALSE(app::WorkBuffer().empty()); }});
    EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before) << "start " << start;
    EXPECT_TRUE(app::WorkBuffer().empty());
    EXPECT_TRUE(app::WorkText().empty());
  }
}

TEST_F(ShellTest, FailedWorkBufferEndsTheStartWithItsMessage) {
  for (auto op : {platform::sys::GlobalOp::kAlloc, platform::sys::GlobalOp::kLock}) {
    SCOPED_TRACE(static_cast<int>(op));
    const std::size_t before = platform::sys::LiveGlobalBlocks();
    platform::sys::InjectGlobalMemoryFailure(op, 0);
    drv::AnswerMessageBox(IDOK);
    EXPECT_EQ(Run({[] { ADD_FAILURE() << "the loop ran"; }}), app::kStartFailedExitCode);
    platform::sys::ClearGlobalMemoryFailures();
    EXPECT_FALSE(IsWindow(Main()));
    EXPECT_EQ(platform::sys::LiveGlobalBlocks(), before);
    ASSERT_FALSE(drv::MessageBoxes().empty());
    EXPECT_EQ(drv::MessageBoxes().back().text, "Internal error: Backup-memory can not be reserved!");
  }
}

}  // namespace
}  // namespace shell_test
