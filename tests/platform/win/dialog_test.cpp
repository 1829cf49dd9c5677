#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

using platform::testing::Command;
namespace drv = platform::testing;

constexpr int kEdit = 101;
constexpr int kCheck = 102;
constexpr int kRadioA = 110;
constexpr int kRadioB = 111;
constexpr int kRadioC = 112;
constexpr int kCombo = 120;

constexpr DialogItemTemplate kItems[] = {
    {kEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 80, 12},
    {kCheck, WC_BUTTON, "Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 30, 80, 10},
    {kRadioA, WC_BUTTON, "A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 45, 40, 10},
    {kRadioB, WC_BUTTON, "B", BS_AUTORADIOBUTTON, 10, 55, 40, 10},
    {kRadioC, WC_BUTTON, "C", BS_AUTORADIOBUTTON, 10, 65, 40, 10},
    {kCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_GROUP | WS_TABSTOP, 10, 80, 80, 60},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 100, 10, 40, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 100, 30, 40, 14},
};
constexpr DialogTemplate kDialog{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 10, 10, 160, 150, "Test", kItems};
constexpr int kTemplate = 50;

struct Seen {
  std::vector<Command> commands;
  int focus_at_ok = -1;
  std::vector<UINT> radio_at_click;
  UINT check_at_click = 99;
  int init_return = TRUE;
  bool fill = false;
  int user_messages = 0;  // WM_USER: the print job's page message in the programs
};
Seen g;

INT_PTR CALLBACK TestDialog(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_USER) ++g.user_messages;
  switch (message) {
    case WM_INITDIALOG:
      CheckRadioButton(dialog, kRadioA, kRadioC, kRadioA);
      SendDlgItemMessage(dialog, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("zero"));
      SendDlgItemMessage(dialog, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
      SendDlgItemMessage(dialog, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("two"));
      if (g.fill) {
        SetDlgItemText(dialog, kEdit, "fill");
        SendDlgItemMessage(dialog, kCombo, CB_SETCURSEL, 1, 0);
        CheckDlgButton(dialog, kCheck, BST_CHECKED);
      }
      return g.init_return;
    case WM_COMMAND: {
      Command c{LOWORD(wparam), HIWORD(wparam)};
      g.commands.push_back(c);
      if (c.id == kRadioB && c.code == BN_CLICKED) {
        for (int id : {kRadioA, kRadioB, kRadioC}) g.radio_at_click.push_back(IsDlgButtonChecked(dialog, id));
      }
      if (c.id == kCheck && c.code == BN_CLICKED) g.check_at_click = IsDlgButtonChecked(dialog, kCheck);
      if (c.id == IDOK) {
        g.focus_at_ok = GetDlgCtrlID(GetFocus());
        EndDialog(dialog, 7);
      }
      if (c.id == IDCANCEL) EndDialog(dialog, 8);
      return TRUE;
    }
    default: return FALSE;
  }
}

LRESULT MainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = Seen{};
    platform::win::RegisterDialogTemplate(nullptr, MAKEINTRESOURCE(kTemplate), &kDialog);
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestMain", MainProc));
    main_ = CreateWindowEx(0, "TestMain", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                           nullptr, nullptr);
    drv::PumpUntilIdle();
  }
  INT_PTR Run() { return DialogBoxParam(nullptr, MAKEINTRESOURCE(kTemplate), main_, TestDialog, 0); }
  // The commands from the first entry that matches `from` on.
  std::vector<Command> Tail(Command from) {
    auto it = std::find(g.commands.begin(), g.commands.end(), from);
    return std::vector<Command>(it, g.commands.end());
  }
  drv::Session session_;
  HWND main_ = nullptr;
};

// A template registered by its maker is made on the first look-up only, once, also for a look-up through another
// module; the dialog opens from it as from a registered table; a null maker removes the name.
TEST_F(DialogTest, TemplateMakerRunsOnTheFirstLookUpOnly) {
  constexpr int kMade = 51;
  HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x5100));
  int made = 0;
  platform::win::RegisterDialogTemplateMaker(module, MAKEINTRESOURCE(kMade), [&made] {
    ++made;
    return &kDialog;
  });
  EXPECT_EQ(made, 0);
  EXPECT_EQ(platform::win::FindDialogTemplate(nullptr, MAKEINTRESOURCE(kMade)), &kDialog);  // another module
  EXPECT_EQ(platform::win::FindDialogTemplate(module, MAKEINTRESOURCE(kMade)), &kDialog);
  EXPECT_EQ(made, 1);
  drv::OnDialogIdle(kMade, [](HWND dialog) { EndDialog(dialog, 9); });
  EXPECT_EQ(DialogBoxParam(module, MAKEINTRESOURCE(kMade), main_, TestDialog, 0), 9);
  EXPECT_EQ(made, 1);
  platform::win::RegisterDialogTemplateMaker(module, MAKEINTRESOURCE(kMade), nullptr);
  EXPECT_EQ(platform::win::FindDialogTemplate(module, MAKEINTRESOURCE(kMade)), nullptr);
}

TEST_F(DialogTest, InitDialogTrueFocusesTheFirstTabStop) {
  int focus = 0;
  drv::OnDialogIdle(kTemplate, [&](HWND d) {
    focus = GetDlgCtrlID(GetFocus());
    EndDialog(d, 1);
  });
  EXPECT_EQ(Run(), 1);
  ASSERT_FALSE(g.commands.empty());
  EXPECT_EQ(g.commands.front(), (Command{kEdit, EN_SETFOCUS}));
  EXPECT_EQ(focus, kEdit);
}

TEST_F(DialogTest, InitDialogFalseLeavesTheFocusAlone) {
  g.init_return = FALSE;
  drv::OnDialogIdle(kTemplate, [](HWND d) { EndDialog(d, 1); });
  Run();
  EXPECT_EQ(std::count(g.commands.begin(), g.commands.end(), Command{kEdit, EN_SETFOCUS}), 0);
}

TEST_F(DialogTest, ClickOnOkAfterTypingGivesKillFocusBeforeClicked) {
  drv::OnDialogIdle(kTemplate, [](HWND d) {
    drv::Type(GetDlgItem(d, kEdit), "12");
    drv::ClickItem(d, IDOK);
  });
  EXPECT_EQ(Run(), 7);
  std::vector<Command> expected{{kEdit, EN_CHANGE}, {kEdit, EN_UPDATE}, {kEdit, EN_CHANGE}, {kEdit, EN_KILLFOCUS},
                                {IDOK, BN_CLICKED}};
  EXPECT_EQ(Tail({kEdit, EN_CHANGE}), expected);
  EXPECT_EQ(g.focus_at_ok, IDOK);
}

INT_PTR CALLBACK RefusingPage(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && LOWORD(wparam) == kEdit && HIWORD(wparam) == EN_KILLFOCUS) {
    static bool guard = false;
    char text[8];
    GetDlgItemText(dialog, kEdit, text, sizeof text);
    if (!guard && std::string(text) == "bad") {
      guard = true;
      g.commands.push_back({kEdit, EN_KILLFOCUS});
      MessageBox(dialog, "Range of values", "Input", MB_OK | MB_ICONEXCLAMATION);
      SetFocus(GetDlgItem(dialog, kEdit));
      guard = false;
      return TRUE;
    }
  }
  return TestDialog(dialog, message, wparam, lparam);
}

TEST_F(DialogTest, RefusedEntryKeepsTheFocusAndTheClickOnOkDoesNotHappen) {
  int focus_after = 0;
  drv::OnDialogIdle(kTemplate, [&](HWND d) {
    drv::Type(GetDlgItem(d, kEdit), "bad");
    drv::ClickItem(d, IDOK);
    focus_after = GetDlgCtrlID(GetFocus());
    SetDlgItemText(d, kEdit, "");
    EndDialog(d, 3);
  });
  drv::AnswerMessageBox(IDOK);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kTemplate), main_, RefusingPage, 0), 3);
  EXPECT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(focus_after, kEdit);
  EXPECT_EQ(std::count(g.commands.begin(), g.commands.end(), Command{IDOK, BN_CLICKED}), 0);
  // The edit lost the focus to the box and got it back.
  std::vector<Command> expected{{kEdit, EN_KILLFOCUS}, {kEdit, EN_SETFOCUS}, {kEdit, EN_UPDATE}, {kEdit, EN_CHANGE},
                                {kEdit, EN_KILLFOCUS}};  // the last one as the page closes
  EXPECT_EQ(Tail({kEdit, EN_KILLFOCUS}), expected);
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST_F(DialogTest, EnterGivesIdokWithoutAFocusChange) {
  drv::OnDialogIdle(kTemplate, [](HWND d) {
    drv::Type(GetDlgItem(d, kEdit), "5");
    drv::PressKey(VK_RETURN);
  });
  EXPECT_EQ(Run(), 7);
  // The edit loses the focus only when the closing dialog hands activation back to its owner.
  std::vector<Command> expected{{kEdit, EN_UPDATE}, {kEdit, EN_CHANGE}, {IDOK, BN_CLICKED}, {kEdit, EN_KILLFOCUS}};
  EXPECT_EQ(Tail({kEdit, EN_UPDATE}), expected);
  EXPECT_EQ(g.focus_at_ok, kEdit);
}

TEST_F(DialogTest, EnterSendsNoProgramMessageAndFollowsTheDefaultTheProgramSets) {
  // DM_GETDEFID has the number WM_USER, which the print job uses for its own page message: Enter must not send it.
  drv::OnDialogIdle(kTemplate, [](HWND d) {
    SetFocus(GetDlgItem(d, kEdit));
    SendMessage(d, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessage(d, DM_GETDEFID, 0, 0), MAKELONG(IDCANCEL, DC_HASDEFID));
    g.user_messages = 0;
    drv::PressKey(VK_RETURN);
  });
  EXPECT_EQ(Run(), 8);
  EXPECT_EQ(g.user_messages, 0);
}

TEST_F(DialogTest, AltMnemonicsClickAndFocus) {
  drv::OnDialogIdle(kTemplate, [](HWND d) {
    SetDlgItemText(d, kCheck, "&Remote");
    drv::PressKey('R');  // a plain letter in the edit is text, not a mnemonic
    EXPECT_FALSE(drv::Checked(d, kCheck));
    platform::win::SetKeyHeld(VK_MENU, true);
    platform::win::InjectKey(WM_SYSKEYDOWN, 'R');
    platform::win::InjectKey(WM_SYSKEYUP, 'R');
    drv::PumpUntilIdle();
    platform::win::SetKeyHeld(VK_MENU, false);
    EXPECT_TRUE(drv::Checked(d, kCheck));
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), kCheck);
    EndDialog(d, 1);
  });
  Run();
}

TEST_F(DialogTest, EscapeGivesIdcancel) {
  drv::OnDialogIdle(kTemplate, [](HWND) { drv::PressKey(VK_ESCAPE); });
  EXPECT_EQ(Run(), 8);
  EXPECT_EQ(Tail({IDCANCEL, BN_CLICKED}), (std::vector<Command>{{IDCANCEL, BN_CLICKED}, {kEdit, EN_KILLFOCUS}}));
}

TEST_F(DialogTest, AutoButtonsSetTheirStateBeforeClicked) {
  drv::OnDialogIdle(kTemplate, [](HWND d) {
    drv::ClickItem(d, kRadioB);
    drv::ClickItem(d, kCheck);
    EndDialog(d, 1);
  });
  Run();
  EXPECT_EQ(g.radio_at_click, (std::vector<UINT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
  EXPECT_EQ(g.check_at_click, static_cast<UINT>(BST_CHECKED));
}

TEST_F(DialogTest, ProgramSetTextNotifiesChangeButSetCurSelAndSetCheckDoNot) {
  g.fill = true;
  int selected = -1;
  drv::OnDialogIdle(kTemplate, [&](HWND d) {
    EXPECT_EQ(drv::ItemText(d, kCombo), "one");
    drv::SelectItem(GetDlgItem(d, kCombo), 2);
    selected = static_cast<int>(SendDlgItemMessage(d, kCombo, CB_GETCURSEL, 0, 0));
    EndDialog(d, 1);
  });
  Run();
  EXPECT_EQ(g.commands.front(), (Command{kEdit, EN_UPDATE}));
  EXPECT_EQ(g.commands[1], (Command{kEdit, EN_CHANGE}));
  EXPECT_EQ(std::count(g.commands.begin(), g.commands.end(), Command{kCheck, BN_CLICKED}), 0);
  EXPECT_EQ(std::count(g.commands.begin(), g.commands.end(), Command{kCombo, CBN_SELCHANGE}), 1);
  EXPECT_EQ(selected, 2);
}

TEST_F(DialogTest, TabWalksTheTabStopsAndArrowsTheGroup) {
  std::vector<int> order;
  drv::OnDialogIdle(kTemplate, [&](HWND d) {
    for (int i = 0; i < 6; ++i) {
      drv::PressKey(VK_TAB);
      order.push_back(GetDlgCtrlID(GetFocus()));
    }
    drv::PressKey(VK_TAB, true);
    order.push_back(GetDlgCtrlID(GetFocus()));
    EndDialog(d, 1);
  });
  Run();
  // The checked radio button is the group's tab stop.
  EXPECT_EQ(order, (std::vector<int>{kCheck, kRadioA, kCombo, IDOK, IDCANCEL, kEdit, IDCANCEL}));
}

int g_inner_result = 0;
INT_PTR CALLBACK InnerDialog(HWND d, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG) return TRUE;
  if (m == WM_COMMAND && LOWORD(w) == IDOK) EndDialog(d, 5);
  return FALSE;
}
constexpr DialogItemTemplate kInnerItems[] = {{IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 5, 40, 14}};
constexpr DialogTemplate kInner{WS_POPUP | WS_CAPTION, 0, 0, 60, 30, "Inner", kInnerItems};

INT_PTR CALLBACK OuterDialog(HWND d, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG) return TRUE;
  if (m == WM_COMMAND && LOWORD(w) == 900) {
    g_inner_result = static_cast<int>(DialogBoxIndirectParam(nullptr, &kInner, d, InnerDialog, 0));
    EndDialog(d, 9);
  }
  return FALSE;
}
constexpr DialogTemplate kOuter{WS_POPUP | WS_CAPTION, 0, 0, 80, 40, "Outer", {}};

TEST_F(DialogTest, NestedModalDialogsDisableOnlyTheirOwnerAndReturnInOrder) {
  platform::testing::MessageLog idle(main_, {WM_ENTERIDLE});
  std::vector<bool> enabled;  // main, outer while the inner runs
  HWND outer = nullptr;
  drv::OnAnyDialogIdle([&](HWND d) {
    char title[16];
    GetWindowText(d, title, sizeof title);
    if (std::string(title) == "Outer") {
      outer = d;
      PostMessage(d, WM_COMMAND, 900, 0);
    } else {
      enabled = {IsWindowEnabled(main_) != 0, IsWindowEnabled(outer) != 0, IsWindowEnabled(d) != 0};
      drv::PressKey(VK_RETURN);
    }
  });
  EXPECT_EQ(DialogBoxIndirectParam(nullptr, &kOuter, main_, OuterDialog, 0), 9);
  EXPECT_EQ(g_inner_result, 5);
  EXPECT_EQ(enabled, (std::vector<bool>{false, false, true}));
  EXPECT_TRUE(IsWindowEnabled(main_));
  ASSERT_GE(idle.Count(WM_ENTERIDLE), 1);
  EXPECT_EQ(idle.Entries()[0].wparam, static_cast<WPARAM>(MSGF_DIALOGBOX));
  EXPECT_EQ(reinterpret_cast<HWND>(idle.Entries()[0].lparam), outer);
  EXPECT_EQ(GetActiveWindow(), main_);
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST_F(DialogTest, ActivationAndFocusReturnToTheOwnerWhenTheDialogEnds) {
  EXPECT_EQ(GetActiveWindow(), main_);
  drv::OnDialogIdle(kTemplate, [](HWND d) { EndDialog(d, 1); });
  Run();
  EXPECT_EQ(GetActiveWindow(), main_);
  EXPECT_EQ(GetFocus(), main_);
}

TEST_F(DialogTest, BadOwnerGivesZeroAndMissingTemplateMinusOne) {
  HWND gone = CreateWindowEx(0, "TestMain", "x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(kTemplate), gone, TestDialog, 0), 0);
  EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(4711), main_, TestDialog, 0), -1);
}

TEST_F(DialogTest, UnansweredModalDialogIsADeadlockNotAHang) {
  EXPECT_EQ(Run(), -1);
  EXPECT_EQ(drv::DeadlockCount(), 1);
  EXPECT_TRUE(IsWindowEnabled(main_));
}

TEST_F(DialogTest, MessageBoxTakesTheScriptedAnswer) {
  drv::AnswerMessageBox(IDNO);
  EXPECT_EQ(MessageBox(main_, "Save before exit?", "ZPR-Tool", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Save before exit?");
  EXPECT_EQ(drv::MessageBoxes()[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
}

INT_PTR CALLBACK Quiet(HWND, UINT m, WPARAM, LPARAM) { return m == WM_INITDIALOG; }

TEST_F(DialogTest, ChildPageLendsItsControlsToTheFramesTabOrder) {
  static constexpr DialogItemTemplate kFrameItems[] = {
      {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 60, 40, 14},
  };
  static constexpr DialogTemplate kFrame{WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 120, 80, "Frame", kFrameItems};
  static constexpr DialogItemTemplate kPageItems[] = {
      {201, WC_EDIT, "", WS_BORDER | WS_TABSTOP, 5, 5, 40, 12},
      {202, WC_EDIT, "", WS_BORDER | WS_TABSTOP, 5, 20, 40, 12},
  };
  static constexpr DialogTemplate kChild{WS_CHILD | WS_VISIBLE | DS_CONTROL, 0, 0, 100, 50, "", kPageItems};
  HWND frame = CreateDialogIndirectParam(nullptr, &kFrame, main_, Quiet, 0);
  HWND page = CreateDialogIndirectParam(nullptr, &kChild, frame, Quiet, 0);
  ASSERT_TRUE(page);
  EXPECT_EQ(GetParent(page), frame);
  drv::AddModelessDialog(frame);
  SetFocus(GetDlgItem(frame, IDOK));
  std::vector<int> order;
  for (int i = 0; i < 3; ++i) {
    drv::PressKey(VK_TAB);
    order.push_back(GetDlgCtrlID(GetFocus()));
  }
  EXPECT_EQ(order, (std::vector<int>{201, 202, IDOK}));
}

TEST(DialogItemInt, ParsesLikeTheOriginal) {
  drv::Session session;
  struct Case {
    const char* text;
    BOOL is_signed;
    UINT value;
    BOOL ok;
  };
  const Case cases[] = {
      {"42", FALSE, 42, TRUE},   {"  42 ", FALSE, 42, TRUE}, {"-7", TRUE, static_cast<UINT>(-7), TRUE},
      {"-7", FALSE, 0, FALSE},   {"4x", FALSE, 0, FALSE},     {"", FALSE, 0, FALSE},
      {"4294967295", FALSE, 4294967295u, TRUE}, {"4294967296", FALSE, 0, FALSE}, {"2147483648", TRUE, 0, FALSE},
  };
  static constexpr DialogItemTemplate kOne[] = {{1, WC_EDIT, "", WS_TABSTOP, 0, 0, 40, 12}};
  static constexpr DialogTemplate kT{WS_POPUP, 0, 0, 50, 20, "", kOne};
  HWND d = CreateDialogIndirectParam(nullptr, &kT, nullptr, nullptr, 0);
  ASSERT_TRUE(d);
  for (const Case& c : cases) {
    SetDlgItemText(d, 1, c.text);
    BOOL ok = 2;
    EXPECT_EQ(GetDlgItemInt(d, 1, &ok, c.is_signed), c.value) << c.text;
    EXPECT_EQ(ok, c.ok) << c.text;
  }
}

}  // namespace
