// The message dialogs on the headless window layer: geometry from the layer's text metrics, answers by button,
// the nesting rule with a real modal loop, the notice and the message box.
#include "model/message_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/message_catalogue.h"
#include "model/message_show.h"
#include "platform/gdi/text.h"
#include "platform/testing/driver.h"
#include "platform/win/dialog.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/metrics.h"
#include "platform/win/window.h"

namespace model {
namespace {

namespace pt = platform::testing;

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// A control's rectangle in its dialog's client coordinates.
RECT ClientRect(HWND dialog, int id) {
  RECT r = WindowRect(GetDlgItem(dialog, id));
  POINT a{r.left, r.top};
  POINT b{r.right, r.bottom};
  ScreenToClient(dialog, &a);
  ScreenToClient(dialog, &b);
  return RECT{a.x, a.y, b.x, b.y};
}

SIZE Extent(HWND dialog, const std::string& text) {
  SIZE size{};
  HDC dc = GetDC(dialog);
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  ReleaseDC(dialog, dc);
  return size;
}

class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner = CreateWindowEx(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 80, 800, 600, nullptr, nullptr,
                           nullptr, nullptr);
    ASSERT_TRUE(owner);
    SetMessageOwner(GetModuleHandle(nullptr), owner);
  }
  void TearDown() override {
    ShowMessage(5, 0, 0);
    SetMessageOwner(nullptr, static_cast<HWND>(nullptr));
    EXPECT_EQ(pt::DeadlockCount(), 0);
  }
  pt::Session session;
  HWND owner = nullptr;
};

TEST_F(MessageDialogTest, ModalDialogIsFittedToItsText) {
  // 5.1: three lines, the longest 33 characters, 89 in all.
  const std::string text = "Can not open the file.\nDirectory and file-name correct?\nDisk inserted, disk drive closed?";
  bool seen = false;
  pt::OnDialogIdle(2, [&](HWND dialog) {
    seen = true;
    EXPECT_EQ(pt::Text(dialog), "Fault file operation:");
    EXPECT_EQ(pt::ItemText(dialog, 100), text);
    const SIZE cx = Extent(dialog, text);
    const SIZE title = Extent(dialog, "Fault file operation:");
    const RECT b1 = ClientRect(dialog, 1);
    const int bw = b1.right - b1.left;
    const int bh = b1.bottom - b1.top;
    const int h = static_cast<int>(cx.cy * 4 * 1.5);
    const int w = (cx.cx + 80) * 33 / 89;
    const int width = std::max(std::max(w, static_cast<int>(title.cx)) + 20, 2 * bw);
    const int height = 2 * bh + h + 20;
    const RECT d = WindowRect(dialog);
    EXPECT_EQ(d.right - d.left, width);
    EXPECT_EQ(d.bottom - d.top, height);
    EXPECT_EQ(d.left, 100 + (800 - width) / 2);
    EXPECT_EQ(d.top, 80 + (600 - height) / 2);
    EXPECT_EQ(b1.left, (width - bw) / 2 - GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(b1.top, static_cast<int>(height - 2.5 * bh));
    const RECT t = ClientRect(dialog, 100);
    EXPECT_EQ(t.left, (width - w + 80) / 2 - 25);
    EXPECT_EQ(t.top, 20);
    EXPECT_EQ(t.right - t.left, w + 15);
    EXPECT_EQ(t.bottom - t.top, static_cast<int>(h * 0.65));
    pt::ClickItem(dialog, 1);
  });
  EXPECT_EQ(ShowMessage(1, 5, 1), 0);
  EXPECT_TRUE(seen);
}

TEST_F(MessageDialogTest, QuestionButtonsAndAnswers) {
  int round = 0;
  pt::OnDialogIdle(4, [&](HWND dialog) {
    EXPECT_EQ(pt::ItemText(dialog, 100), "Are you shure to delete the dataset in database?");
    const RECT d = WindowRect(dialog);
    const RECT b1 = ClientRect(dialog, 1);
    const RECT b2 = ClientRect(dialog, 2);
    const int bw = b1.right - b1.left;
    const int b = (d.right - d.left - 2 * bw) / 3 - GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(b1.left, b);
    EXPECT_EQ(b2.left, 2 * b + bw);
    EXPECT_EQ(b2.top, b1.top);
    pt::ClickItem(dialog, round++ == 0 ? 1 : 2);
  });
  EXPECT_EQ(ShowMessage(2, 13, 35), 3);  // yes
  EXPECT_EQ(ShowMessage(2, 13, 35), 1);  // no
  EXPECT_EQ(round, 2);
}

TEST_F(MessageDialogTest, NestedModalMessagesReturnAtOnce) {
  std::vector<int> nested;
  pt::OnDialogIdle(3, [&](HWND dialog) {
    EXPECT_EQ(pt::ItemText(dialog, 100), "Interruption of the serial communication");
    nested.push_back(ShowMessage(2, 13, 31));  // would ask whether to save: answers "no" unseen
    nested.push_back(ShowMessage(1, 9, 1));
    nested.push_back(ShowMessage(3, 9, 1));
    EXPECT_EQ(pt::ActiveModal(), dialog);
    pt::ClickItem(dialog, 1);
  });
  pt::OnDialogIdle(4, [&](HWND dialog) {
    ADD_FAILURE() << "a nested question was shown";
    EndDialog(dialog, 1);
  });
  EXPECT_EQ(ShowMessage(3, 2, 24), 3);
  EXPECT_EQ(nested, (std::vector<int>{1, 0, 0}));
  EXPECT_FALSE(MessageDialogActive());
}

TEST_F(MessageDialogTest, NoticeStaysUntilClosed) {
  EXPECT_EQ(ShowMessage(4, 7, 4), 0);
  std::vector<HWND> found;
  EnumWindows([](HWND hwnd, LPARAM list) {
    if (pt::Text(hwnd) == "Information:") reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&found));
  ASSERT_EQ(found.size(), 1u);
  HWND notice = found[0];
  EXPECT_EQ(pt::ItemText(notice, 100), "Reading file");
  EXPECT_TRUE(IsWindowVisible(notice));
  EXPECT_FALSE(pt::Visible(notice, 1));
  const SIZE cx = Extent(notice, "Reading file");
  const RECT d = WindowRect(notice);
  const int h = static_cast<int>(cx.cy * 2 * 1.5);
  EXPECT_EQ(d.bottom - d.top, h + 10);
  const RECT t = ClientRect(notice, 100);
  EXPECT_EQ(t.bottom - t.top, h);

  EXPECT_EQ(ShowMessage(4, 7, 6), 0);  // a second notice leaves the first unchanged
  EXPECT_EQ(pt::ItemText(notice, 100), "Reading file");
  SendMessage(notice, WM_COMMAND, 1, 0);  // takes no answer
  EXPECT_TRUE(IsWindow(notice));
  EXPECT_EQ(ShowMessage(5, 0, 0), 0);
  EXPECT_FALSE(IsWindow(notice));
}

TEST_F(MessageDialogTest, MessageBoxAnswersAsScripted) {
  const int beeps = platform::win::BeepCount();
  pt::AnswerMessageBox(IDYES);
  EXPECT_EQ(MessageBoxByNumber(owner, 2, 13, 35), IDYES);
  pt::AnswerMessageBox(IDCANCEL);
  EXPECT_EQ(MessageBoxByNumber(owner, 2, 13, 33), IDCANCEL);
  pt::AnswerMessageBox(IDOK);
  EXPECT_EQ(MessageBoxByNumber(owner, 3, 12, 4), IDOK);
  pt::AnswerMessageBox(IDOK);
  EXPECT_EQ(MessageBoxByNumber(owner, 1, 9, 1), IDOK);
  const auto& boxes = pt::MessageBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].owner, owner);
  EXPECT_EQ(boxes[0].caption, "ZPR-Tool");
  EXPECT_EQ(boxes[0].text, "Are you shure to delete the dataset in database?");
  EXPECT_EQ(boxes[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ(boxes[2].type, MB_OK | MB_ICONEXCLAMATION);
  EXPECT_EQ(boxes[2].text, "Value is too big. \n%s");
  EXPECT_EQ(boxes[3].type, MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ(boxes[3].caption, "Fault");
  EXPECT_EQ(platform::win::BeepCount() - beeps, 4);
}

}  // namespace
}  // namespace model
