// The list view and the tree view scroll to keep the chosen row in view and by their scroll column, and the tree
// view's plus box opens an item; the owner-drawn button hands its state to the parent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/input.h"
#include "platform/win/input_injection.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

std::vector<UINT> g_draw_states;
LRESULT Host(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DRAWITEM) {
    g_draw_states.push_back(reinterpret_cast<const DRAWITEMSTRUCT*>(l)->itemState);
    return TRUE;
  }
  return DefWindowProc(h, m, w, l);
}

class ViewScrollingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_draw_states.clear();
    ASSERT_TRUE(drv::RegisterTestWindowClass("ViewScrollHost", Host));
    host_ = CreateWindowEx(0, "ViewScrollHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    drv::PumpUntilIdle();
  }
  HWND Child(const char* cls, DWORD style, int cx, int cy) {
    return CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, 10, 10, cx, cy, host_, nullptr, nullptr, nullptr);
  }
  drv::Session session_;
  HWND host_ = nullptr;
};

TEST_F(ViewScrollingTest, AListViewKeepsTheFocusRowInViewAndPagesByItsScrollColumn) {
  HWND view = Child(WC_LISTVIEW, LVS_REPORT, 200, 100);
  LVCOLUMN col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = 150;
  col.pszText = const_cast<char*>("Parameter");
  SendMessage(view, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&col));
  std::vector<std::string> names;
  for (int i = 0; i < 30; ++i) {
    std::string name = "P";
    name += std::to_string(i);
    names.push_back(name);
  }
  for (int i = 0; i < 30; ++i) {
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = names[static_cast<std::size_t>(i)].data();
    SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  const int shown = static_cast<int>(SendMessage(view, LVM_GETCOUNTPERPAGE, 0, 0));
  ASSERT_GT(shown, 0);
  ASSERT_LT(shown, 30);
  SetFocus(view);
  drv::PressKey(VK_END);
  EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 29);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 30 - shown);
  drv::PressKey(VK_HOME);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 0);
  // The lower part of the scroll column pages down; a click on a row then picks the row under it.
  RECT c{};
  GetClientRect(view, &c);
  drv::ClickAt(view, c.right - 3, c.bottom - 30);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), shown);
  SendMessage(view, LVM_ENSUREVISIBLE, 5, FALSE);
  EXPECT_EQ(SendMessage(view, LVM_GETTOPINDEX, 0, 0), 5);
}

TEST_F(ViewScrollingTest, ATreeViewsPlusBoxOpensTheItemAndAClickBesideItSelects) {
  HWND tree = Child(WC_TREEVIEW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 200, 200);
  auto insert = [tree](HTREEITEM parent, const char* text) {
    TVINSERTSTRUCT ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&ins)));
  };
  HTREEITEM drive = insert(TVI_ROOT, "Antrieb");
  HTREEITEM motor = insert(drive, "Motor");
  const int h = platform::win::ListItemHeight(tree) + 2;
  // The box of a root item sits half an indent before its text (lines at the root give it a column).
  drv::ClickAt(tree, 2 + 16 - 8, h / 2);
  TVITEM item{};
  item.mask = TVIF_STATE;
  item.hItem = drive;
  SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(item.state & TVIS_EXPANDED);
  EXPECT_EQ(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), 0);  // the box does not select
  drv::ClickAt(tree, 60, h + h / 2);
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)), motor);
}

TEST_F(ViewScrollingTest, AnOwnerDrawnButtonIsDrawnByItsParentWithItsState) {
  HWND button = Child(WC_BUTTON, BS_OWNERDRAW, 40, 20);
  drv::PumpUntilIdle();
  ASSERT_FALSE(g_draw_states.empty());
  EXPECT_EQ(g_draw_states.back() & ODS_SELECTED, 0u);
  g_draw_states.clear();
  platform::win::InjectMouse(button, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
  drv::PumpUntilIdle();
  ASSERT_FALSE(g_draw_states.empty());
  EXPECT_EQ(g_draw_states.back() & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
  platform::win::InjectMouse(button, WM_LBUTTONUP, 5, 5, 0);
  drv::PumpUntilIdle();
  EXPECT_EQ(g_draw_states.back() & ODS_SELECTED, 0u);
  EnableWindow(button, FALSE);
  drv::PumpUntilIdle();
  EXPECT_EQ(g_draw_states.back() & ODS_DISABLED, ODS_DISABLED);
}

}  // namespace
