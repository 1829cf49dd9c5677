#include <gtest/gtest.h>

#include <string>

#include "platform/testing/driver.h"
#include "platform/testing/message_log.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::testing::MessageLog;

struct Notes {
  std::vector<UINT> codes;
  int refuse_code = 0;
  std::string callback_text = "from callback";
};
Notes g;

LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(l);
    g.codes.push_back(hdr->code);
    if (hdr->code == TTN_GETDISPINFO) {
      reinterpret_cast<NMTTDISPINFO*>(l)->lpszText = g.callback_text.data();
      return 0;
    }
    return g.refuse_code != 0 && hdr->code == static_cast<UINT>(g.refuse_code);
  }
  return DefWindowProc(h, m, w, l);
}

class CommonControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = Notes{};
    ASSERT_TRUE(platform::testing::RegisterTestWindowClass("TestCommonHost", Proc));
    host_ = CreateWindowEx(0, "TestCommonHost", "h", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                           nullptr);
    drv::PumpUntilIdle();
  }
  HWND Child(const char* cls, DWORD style, int x, int y, int cx, int cy, int id) {
    return CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, host_,
                          reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
  }
  drv::Session session_;
  HWND host_ = nullptr;
};

TEST_F(CommonControlsTest, StatusBarSitsAtTheBottomAndFollowsTheRelayedSize) {
  HWND bar = CreateStatusWindow(WS_CHILD | WS_VISIBLE, "Statuszeile", host_, 501);
  ASSERT_TRUE(bar);
  EXPECT_EQ(GetDlgItem(host_, 501), bar);
  char text[32];
  SendMessage(bar, SB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Statuszeile");
  SendMessage(bar, SB_SETTEXT, 0, reinterpret_cast<LPARAM>("Open a file"));
  EXPECT_EQ(drv::Text(bar), "Open a file");
  SetWindowPos(host_, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  SendMessage(bar, WM_SIZE, 0, MAKELPARAM(500, 400));
  RECT r{};
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom, 400);
  EXPECT_EQ(r.bottom - r.top, 13 + 7);
}

TEST_F(CommonControlsTest, ProgressBarClampsToItsRange) {
  HWND bar = Child(PROGRESS_CLASS, 0, 0, 0, 100, 10, 1);
  SendMessage(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 50));
  EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 70, 0), 0);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 50);
  SendMessage(bar, PBM_SETPOS, 10, 0);
  SendMessage(bar, PBM_DELTAPOS, 5, 0);
  EXPECT_EQ(SendMessage(bar, PBM_GETPOS, 0, 0), 15);
}

TEST_F(CommonControlsTest, UpDownAsksTheParentAndShowsItsPositionInTheBuddy) {
  HWND edit = Child(WC_EDIT, 0, 10, 10, 40, 14, 2);
  HWND spin = Child(UPDOWN_CLASS, UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 0, 12, 14, 3);
  SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
  SendMessage(spin, UDM_SETRANGE32, 0, 3);
  SendMessage(spin, UDM_SETPOS32, 0, 2);
  EXPECT_EQ(drv::Text(edit), "2");
  MessageLog log(host_, {WM_VSCROLL});
  RECT r{};
  GetClientRect(spin, &r);
  drv::ClickAt(spin, r.right / 2, 1);  // upper half: up
  drv::ClickAt(spin, r.right / 2, 1);  // at the top already
  EXPECT_EQ(drv::Text(edit), "3");
  EXPECT_EQ(log.Count(WM_VSCROLL), 2);  // one step: SB_THUMBPOSITION and SB_ENDSCROLL
  EXPECT_EQ(std::count(g.codes.begin(), g.codes.end(), UDN_DELTAPOS), 2);
  g.refuse_code = static_cast<int>(UDN_DELTAPOS);
  drv::ClickAt(spin, r.right / 2, r.bottom - 1);
  EXPECT_EQ(drv::Text(edit), "3");  // refused
  SetWindowText(edit, "1");
  BOOL error = TRUE;
  EXPECT_EQ(SendMessage(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 1);
  EXPECT_FALSE(error);
}

TEST_F(CommonControlsTest, ListViewReportRowsAndSelection) {
  HWND list = Child(WC_LISTVIEW, LVS_REPORT | LVS_SINGLESEL, 0, 0, 200, 150, 4);
  LVCOLUMN col{LVCF_TEXT | LVCF_WIDTH, 0, 80, const_cast<char*>("Name"), 0, 0};
  EXPECT_EQ(SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col)), 0);
  for (int i = 0; i < 3; ++i) {
    std::string name = "set " + std::to_string(i);
    LVITEM item{LVIF_TEXT | LVIF_PARAM, i, 0, 0, 0, name.data(), 0, 0, 100 + i};
    EXPECT_EQ(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)), i);
    LVITEM sub{LVIF_TEXT, i, 1, 0, 0, const_cast<char*>("x"), 0, 0, 0};
    SendMessage(list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&sub));
  }
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 3);
  g.codes.clear();
  LVITEM sel{};
  sel.stateMask = LVIS_SELECTED;
  sel.state = LVIS_SELECTED;
  SendMessage(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&sel));
  SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&sel));
  EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 1);  // single selection
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2);
  EXPECT_EQ(std::count(g.codes.begin(), g.codes.end(), LVN_ITEMCHANGED), 3);
  char text[16];
  LVITEM get{LVIF_TEXT, 1, 0, 0, 0, text, sizeof text, 0, 0};
  SendMessage(list, LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "set 1");
  get.iSubItem = 1;
  SendMessage(list, LVM_GETITEMTEXT, 1, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "x");
  // A click on the second row (below the header).
  drv::ClickAt(list, 10, (13 + 6) + (13 + 2) + 3);
  EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
  SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
  EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(CommonControlsTest, TreeViewItemsSelectionAndVeto) {
  HWND tree = Child(WC_TREEVIEW, TVS_HASLINES, 0, 0, 200, 150, 5);
  TVINSERTSTRUCT ins{};
  ins.hParent = TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM;
  ins.item.pszText = const_cast<char*>("Channel 1");
  ins.item.lParam = 1;
  auto root = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
  ASSERT_TRUE(root);
  ins.hParent = root;
  ins.item.pszText = const_cast<char*>("Mean");
  ins.item.lParam = 2;
  auto child = reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
  EXPECT_EQ(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)), reinterpret_cast<LRESULT>(child));
  EXPECT_EQ(SendMessage(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(child)), reinterpret_cast<LRESULT>(root));
  EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 2);
  EXPECT_TRUE(SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root)));
  g.codes.clear();
  EXPECT_TRUE(SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child)));
  EXPECT_EQ(g.codes, (std::vector<UINT>{TVN_SELCHANGING, TVN_SELCHANGED}));
  g.refuse_code = static_cast<int>(TVN_SELCHANGING);
  EXPECT_FALSE(SendMessage(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root)));
  EXPECT_EQ(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), reinterpret_cast<LRESULT>(child));
  char text[16];
  TVITEM item{};
  item.mask = TVIF_TEXT | TVIF_PARAM;
  item.hItem = child;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  EXPECT_TRUE(SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_STREQ(text, "Mean");
  EXPECT_EQ(item.lParam, 2);
  g.refuse_code = 0;
  SendMessage(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  EXPECT_EQ(SendMessage(tree, TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(std::count(g.codes.begin(), g.codes.end(), TVN_DELETEITEM), 2);
}

TEST_F(CommonControlsTest, ToolTipShowsTheToolUnderTheRelayedMouse) {
  HWND tip = CreateWindowEx(0, TOOLTIPS_CLASS, "", WS_POPUP, 0, 0, 0, 0, host_, nullptr, nullptr, nullptr);
  HWND button = Child(WC_BUTTON, 0, 100, 100, 40, 20, 6);
  TOOLINFO fixed{sizeof(TOOLINFO), 0, host_, 1, RECT{0, 0, 50, 50}, nullptr, const_cast<char*>("Zoom"), 0};
  TOOLINFO byhwnd{sizeof(TOOLINFO), TTF_IDISHWND, host_, reinterpret_cast<UINT_PTR>(button), RECT{}, nullptr,
                  LPSTR_TEXTCALLBACK, 0};
  SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&fixed));
  SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&byhwnd));
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  MSG over{host_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, {0, 0}};
  SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&over));
  platform::testing::Advance(600);  // past the initial delay
  EXPECT_STREQ(platform::win::ShownToolTip(tip), "Zoom");
  MSG on_button{button, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1), 0, {0, 0}};
  SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&on_button));
  platform::testing::Advance(600);
  EXPECT_STREQ(platform::win::ShownToolTip(tip), "from callback");
  MSG away{host_, WM_MOUSEMOVE, 0, MAKELPARAM(300, 250), 0, {0, 0}};
  SendMessage(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&away));
  EXPECT_STREQ(platform::win::ShownToolTip(tip), "");
}

}  // namespace
