// A program written against the layer the way the projecting tool's shell is: a main window with a menu and a
// status bar, an accelerator, a polling timer that watches F1, a modeless window in the loop's IsDialogMessage
// list and a modal page opened from the menu; the test drives it as a user would, through its own loop.
#include <gtest/gtest.h>

#include <array>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/win.h"

namespace {

namespace drv = platform::testing;

constexpr UINT kOpenPage = 2030;
constexpr UINT kExit = 2003;
constexpr UINT kHelp = 2131;
constexpr int kPageTemplate = 12;

constexpr MenuTemplateItem kMenu[] = {
    {0, MF_POPUP, 0, "&File"},
    {1, MF_STRING, kOpenPage, "&Page"},
    {1, MF_STRING, kExit, "E&xit"},
    {0, MF_POPUP | MF_RIGHTJUSTIFY, 0, "&Help"},
    {1, MF_STRING, kHelp, "&Contents"},
};
constexpr std::array<ACCEL, 1> kAccel{{{FVIRTKEY, VK_F1, kHelp}}};
constexpr DialogItemTemplate kPageItems[] = {
    {100, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 70, 5, 40, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 70, 22, 40, 14},
};
constexpr DialogTemplate kPage{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 10, 10, 120, 40, "K.. Comments", kPageItems};

struct Program {
  HWND main = nullptr;
  HWND status = nullptr;
  int ticks = 0;
  int page_result = 0;
  std::string page_text;
};
Program g;

INT_PTR CALLBACK PageProc(HWND d, UINT m, WPARAM w, LPARAM) {
  if (m == WM_INITDIALOG) {
    SetDlgItemText(d, 100, "start");
    return TRUE;
  }
  if (m == WM_COMMAND && (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)) {
    char text[32];
    GetDlgItemText(d, 100, text, sizeof text);
    g.page_text = text;
    EndDialog(d, LOWORD(w));
    return TRUE;
  }
  return FALSE;
}

LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_CREATE:
      g.status = CreateStatusWindow(WS_CHILD | WS_VISIBLE, "Statuszeile", h, 501);
      SetTimer(h, 1001, 200, nullptr);
      return 0;
    case WM_SIZE: SendMessage(g.status, WM_SIZE, w, l); return 0;
    case WM_TIMER:
      KillTimer(h, 1001);
      ++g.ticks;
      if (GetKeyState(VK_F1) < 0) SendMessage(h, WM_COMMAND, kHelp, 0);
      SetTimer(h, 1001, 2000, nullptr);
      return 0;
    case WM_MENUSELECT: {
      char hint[64] = "";
      if (HIWORD(w) != 0xFFFF && !(HIWORD(w) & MF_POPUP)) GetMenuString(GetMenu(h), LOWORD(w), hint, sizeof hint, MF_BYCOMMAND);
      SendMessage(g.status, SB_SETTEXT, 0, reinterpret_cast<LPARAM>(hint[0] ? hint : "Statuszeile"));
      return 0;
    }
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kHelp: WinHelp(h, "VQPT.HLP", HELP_CONTEXT, kHelp); return 0;
        case kOpenPage:
          g.page_result = static_cast<int>(DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kPageTemplate), h, PageProc, 0));
          return 0;
        case kExit: DestroyWindow(h); return 0;
        default: return 0;
      }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(h, m, w, l);
  }
}

int RunLoop(HACCEL accel) {
  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0)) {
    if (platform::win::RunMessageFilters(msg)) continue;
    if (TranslateAccelerator(g.main, accel, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return static_cast<int>(msg.wParam);
}

TEST(ProgramLoop, UserSessionThroughTheProgramsOwnLoop) {
  drv::Session session;
  g = Program{};
  HINSTANCE instance = GetModuleHandle(nullptr);
  platform::win::RegisterMenuTemplate(instance, MAKEINTRESOURCE(1), kMenu);
  platform::win::RegisterAcceleratorTable(instance, MAKEINTRESOURCE(1), kAccel);
  platform::win::RegisterDialogTemplate(instance, MAKEINTRESOURCE(kPageTemplate), &kPage);
  WNDCLASS wc{CS_HREDRAW | CS_VREDRAW, MainProc, 0, 0, instance, LoadIcon(instance, MAKEINTRESOURCE(1)),
              LoadCursor(nullptr, IDC_ARROW), nullptr, MAKEINTRESOURCE(1), "VQPWIN_Class"};
  ASSERT_NE(RegisterClass(&wc), 0);
  g.main = CreateWindow("VQPWIN_Class", "ZPR-Tool", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr,
                        nullptr, instance, nullptr);
  ASSERT_TRUE(g.main);
  ShowWindow(g.main, SW_SHOWNORMAL);
  HACCEL accel = LoadAccelerators(instance, MAKEINTRESOURCE(1));
  drv::OnDialogIdle(kPageTemplate, [](HWND d) {
    drv::Type(GetDlgItem(d, 100), "!");  // the whole text is selected: it is replaced
    drv::PressKey(VK_RETURN);
  });
  int step = 0;
  drv::OnMainIdle([&] {
    switch (step++) {
      case 0: drv::PressKey(VK_F1); return true;        // the accelerator
      case 1: drv::HoldKey(VK_F1); return true;         // nothing queued: time passes, the poll sees F1 held
      case 2:
        drv::ReleaseKey(VK_F1);
        drv::PickMenu(g.main, kOpenPage);
        return true;
      case 3:
        EXPECT_EQ(drv::Text(g.status), "Statuszeile");  // the menu closed and the hint went
        drv::PickMenu(g.main, kExit);
        return true;
      default: return false;
    }
  });
  EXPECT_EQ(RunLoop(accel), 0);
  EXPECT_FALSE(IsWindow(g.main));
  EXPECT_EQ(g.page_result, IDOK);
  EXPECT_EQ(g.page_text, "!");
  EXPECT_EQ(g.ticks, 1);
  const auto& help = platform::win::HelpRequests();
  ASSERT_EQ(help.size(), 2u);
  EXPECT_EQ(help[0].data, kHelp);  // by the key
  EXPECT_EQ(help[1].data, kHelp);  // by the poll with F1 held
  EXPECT_EQ(drv::DeadlockCount(), 0);
  DestroyAcceleratorTable(accel);
}

}  // namespace
