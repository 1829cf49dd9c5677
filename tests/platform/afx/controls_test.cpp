#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/afx/app.h"
#include "platform/afx/color_dialog.h"
#include "platform/afx/controls.h"
#include "platform/afx/handle_map.h"
#include "platform/afx/menu.h"
#include "platform/afx/message_box.h"
#include "platform/afx/string_format.h"
#include "platform/afx/wait_cursor.h"
#include "platform/afx/wnd.h"
#include "platform/gdi/colorref.h"
#include "platform/testing/driver.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/cursor.h"
#include "platform/win/dialog.h"
#include "platform/win/menu.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

constexpr UINT kContextMenu = 9254;
constexpr MenuTemplateItem kMenuRows[] = {
    {0, MF_POPUP, 0, "Popup"},
    {1, MF_STRING, 32781, "Selection"},
    {1, MF_SEPARATOR, 0, nullptr},
    {1, MF_STRING, 32802, "&Pan"},
    {1, MF_STRING, 32801, "Z&oom"},
    {1, MF_SEPARATOR, 0, nullptr},
};

std::vector<std::string> g_calls;

// A panel as the scope library's control panel is built: a button with a tool tip whose text the panel gives on
// request, relayed from the panel's PreTranslateMessage; a mode command from a context menu.
class Panel : public afx::CWnd {
 public:
  afx::CToolTipCtrl tips;
  afx::CButton up;
  BOOL PreTranslateMessage(MSG* msg) override {
    tips.RelayEvent(msg);
    return FALSE;
  }

 protected:
  const afx::MessageMap* GetMessageMap() const override {
    static constexpr afx::MessageMapEntry kEntries[] = {
        afx::OnNotify<TTN_GETDISPINFO, &Panel::OnToolTipText>(),
        afx::OnCommandRange<32781, 32802, &Panel::OnMode>(),
    };
    static constexpr afx::MessageMap kMap{&afx::CWnd::kMessageMap, kEntries};
    return &kMap;
  }
  void OnToolTipText(UINT id, NMHDR* header, LRESULT*) {
    auto* info = reinterpret_cast<NMTTDISPINFO*>(header);
    if (reinterpret_cast<HWND>(static_cast<UINT_PTR>(info->hdr.idFrom)) == up.m_hWnd)
      info->lpszText = const_cast<char*>("moves the trace upward\nshift: moves the trace by one pixel");
    g_calls.push_back("tip asked " + std::to_string(id == static_cast<UINT>(info->hdr.idFrom)));
  }
  void OnMode(UINT id) { g_calls.push_back("mode " + std::to_string(id)); }
};

class AfxControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    ASSERT_TRUE(drv::RegisterTestWindowClass("AfxPanel", DefWindowProc));
    platform::win::RegisterMenuTemplate(GetModuleHandle(nullptr), MAKEINTRESOURCE(kContextMenu), kMenuRows);
    ASSERT_TRUE(panel_.CreateEx(0, "AfxPanel", "panel", WS_POPUP | WS_VISIBLE, RECT{0, 0, 200, 300}, nullptr, 0));
  }
  void TearDown() override {
    panel_.DestroyWindow();
    EXPECT_EQ(afx::BoundWindowCount(), 0u);
  }
  drv::Session session_;
  Panel panel_;
};

TEST_F(AfxControlsTest, ToolTipTextIsAskedOfTheParentWhenTheMouseIsRelayedOverTheTool) {
  ASSERT_TRUE(panel_.up.Create("up", BS_PUSHBUTTON | WS_VISIBLE, RECT{10, 10, 60, 30}, &panel_, 1049));
  ASSERT_TRUE(panel_.tips.Create(&panel_));
  panel_.tips.SetMaxTipWidth(300);
  ASSERT_TRUE(panel_.tips.AddTool(&panel_.up));
  EXPECT_EQ(panel_.tips.GetToolCount(), 1);
  PostMessage(panel_.up.m_hWnd, WM_MOUSEMOVE, 0, MAKEPOINTLPARAM(5, 5));
  drv::Advance(600);  // past the tip's initial delay
  EXPECT_STREQ(platform::win::ShownToolTip(panel_.tips.m_hWnd),
               "moves the trace upward\nshift: moves the trace by one pixel");
  const std::vector<std::string> kAsked = {"tip asked 1"};
  EXPECT_EQ(g_calls, kAsked);
  // A click pops the tip.
  PostMessage(panel_.up.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKEPOINTLPARAM(5, 5));
  drv::PumpUntilIdle();
  EXPECT_STREQ(platform::win::ShownToolTip(panel_.tips.m_hWnd), "");
}

TEST_F(AfxControlsTest, TreeHoldsTheMeasurementItemsUnderTheirChannels) {
  afx::CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASLINES, RECT{0, 0, 200, 300}, &panel_, 1723));
  HTREEITEM root = tree.InsertItem("catch all");
  HTREEITEM channel = tree.InsertItem("1: speed", root);
  HTREEITEM marker = tree.InsertItem("marker 1 (M1)", channel);
  HTREEITEM value = tree.InsertItem("value in M1A: ---", marker);
  tree.SetItemData(value, 1);
  EXPECT_EQ(tree.GetCount(), 4u);
  EXPECT_EQ(tree.GetRootItem(), root);
  EXPECT_EQ(tree.GetChildItem(root), channel);
  EXPECT_EQ(tree.GetParentItem(marker), channel);
  EXPECT_EQ(tree.GetNextSiblingItem(channel), nullptr);
  ASSERT_TRUE(tree.SetItemText(value, "???"));
  EXPECT_EQ(tree.GetItemText(value), "???");
  EXPECT_EQ(tree.GetItemData(value), 1);
  EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
  EXPECT_TRUE(tree.DeleteAllItems());
  EXPECT_EQ(tree.GetCount(), 0u);
  EXPECT_EQ(tree.GetItemText(value), "");
}

// An owner-drawn colour button as the panel has them: it draws itself from its parent's WM_DRAWITEM.
class ColourButton : public afx::CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT draw_item) override {
    std::string call = "draw ";
    call.append(std::to_string(draw_item->CtlID)).append(" state ").append(std::to_string(draw_item->itemState));
    g_calls.push_back(call);
  }
};

TEST_F(AfxControlsTest, OwnerDrawnButtonDrawsItselfWhenItsParentLeavesTheRequest) {
  ColourButton colour;
  ASSERT_TRUE(colour.Create("", BS_OWNERDRAW | WS_VISIBLE, RECT{0, 0, 20, 20}, &panel_, 1002));
  afx::CWnd plain;
  ASSERT_TRUE(plain.CreateEx(0, WC_BUTTON, "", WS_CHILD | BS_OWNERDRAW, RECT{0, 30, 20, 50}, &panel_, 1003));
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 1002;
  item.itemState = ODS_SELECTED;
  const auto request = reinterpret_cast<LPARAM>(&item);
  EXPECT_EQ(panel_.SendMessage(WM_DRAWITEM, 1002, request), TRUE);
  EXPECT_EQ(panel_.SendMessage(WM_DRAWITEM, 1002, 0), 0);        // no draw-item record
  EXPECT_EQ(panel_.SendMessage(WM_DRAWITEM, 1003, request), 0);  // a control object that does not draw
  EXPECT_EQ(panel_.SendMessage(WM_DRAWITEM, 1009, request), 0);  // no such control
  EXPECT_EQ(panel_.SendMessage(WM_DRAWITEM, 0, request), 0);     // a menu item
  const std::vector<std::string> kDrawn = {"draw 1002 state 1"};
  EXPECT_EQ(g_calls, kDrawn);
}

TEST_F(AfxControlsTest, SpinKeepsItsPositionInsideItsRange) {
  afx::CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE, RECT{0, 0, 16, 24}, &panel_, 1762));
  spin.SetRange(1, 10);
  int lower = 0, upper = 0;
  spin.GetRange(lower, upper);
  EXPECT_EQ(lower, 1);
  EXPECT_EQ(upper, 10);
  spin.SetPos(4);
  EXPECT_EQ(spin.GetPos(), 4);
  spin.SetPos(12);
  EXPECT_EQ(spin.GetPos(), 10);
}

TEST_F(AfxControlsTest, ContextMenuFromTheResourceModulePostsTheModeCommand) {
  HMENU loaded = nullptr;
  {
    afx::CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kContextMenu));
    loaded = menu.m_hMenu;
    afx::CMenu popup = menu.GetSubMenu(0);
    ASSERT_NE(popup.m_hMenu, nullptr);
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, 32782, "Fangen: speed"));
    ASSERT_TRUE(popup.CheckMenuRadioItem(32781, 32782 + 18, 32782, MF_BYCOMMAND));
    EXPECT_EQ(popup.GetMenuItemCount(), 6);
    EXPECT_EQ(popup.GetMenuString(32802, MF_BYCOMMAND), "&Pan");
    EXPECT_TRUE(GetMenuState(popup, 32782, MF_BYCOMMAND) & MF_CHECKED);
    platform::win::SetPopupMenuResponder([](HMENU, HWND) { return 32802u; });
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 50, 60, &panel_));
    platform::win::SetPopupMenuResponder(nullptr);
    drv::PumpUntilIdle();
  }  // the view of the pop-up leaves it to the menu; the menu goes with its object
  EXPECT_FALSE(IsMenu(loaded));
  const std::vector<std::string> kMode = {"mode 32802"};
  EXPECT_EQ(g_calls, kMode);
  afx::CMenu missing;
  EXPECT_FALSE(missing.LoadMenu(kContextMenu + 1));
}

TEST_F(AfxControlsTest, WaitCursorNestsAndAnUnmatchedEndDoesNothing) {
  HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  SetCursor(arrow);
  afx::AfxBeginWaitCursor();
  {
    afx::CWaitCursor inner;
    EXPECT_EQ(afx::AfxWaitCursorCount(), 2);
  }
  EXPECT_EQ(platform::win::StockCursorId(GetCursor()), platform::win::StockCursorId(LoadCursor(nullptr, IDC_WAIT)));
  afx::AfxEndWaitCursor();
  EXPECT_EQ(GetCursor(), arrow);
  afx::AfxEndWaitCursor();
  EXPECT_EQ(afx::AfxWaitCursorCount(), 0);
  afx::CWaitCursor again;
  EXPECT_EQ(afx::AfxWaitCursorCount(), 1);
}

TEST_F(AfxControlsTest, MessageBoxIsOwnedByTheMainWindowAndCaptionedWithTheApplication) {
  afx::CWinApp app("ZprScope");
  app.m_pMainWnd = &panel_;
  drv::AnswerMessageBox(IDOK);
  EXPECT_EQ(afx::AfxMessageBox("Unable to find frame control", MB_OK | MB_ICONSTOP), IDOK);
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Unable to find frame control");
  EXPECT_EQ(drv::MessageBoxes()[0].caption, "ZprScope");
  EXPECT_EQ(drv::MessageBoxes()[0].owner, panel_.m_hWnd);
}

TEST_F(AfxControlsTest, ColourDialogGivesTheChosenColourOrKeepsTheInitialOne) {
  afx::CColorDialog dialog(RGB(0, 255, 0), 0, &panel_);
  drv::AnswerColorDialog(RGB(1, 2, 3));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(1, 2, 3));
  afx::CColorDialog cancelled(RGB(0, 255, 0), 0, &panel_);
  drv::AnswerColorDialog(std::nullopt);
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(cancelled.GetColor(), RGB(0, 255, 0));
}

TEST(AfxFormat, PrintsWithAPointWhateverTheLocale) {
  std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  if (!comma) {
    ::setenv("LOCPATH", ZPR_BIN_DIR "/../locale", 1);
    comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    ::unsetenv("LOCPATH");
  }
  EXPECT_EQ(afx::Format("%.*f \xB5s", 3, 2.5), "2.500 \xB5s");
  EXPECT_EQ(afx::Format("%s %s / DIV", "5", "V"), "5 V / DIV");
  EXPECT_EQ(afx::Format("%04X", 0xFFFFu), "FFFF");
  EXPECT_EQ(afx::Format("M%d", 10), "M10");
  EXPECT_EQ(afx::Format("%s", std::string(300, 'x').c_str()).size(), 300u);
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!comma) GTEST_SKIP() << "no German locale: checked in the C locale only";
}

}  // namespace
