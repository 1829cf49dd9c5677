#include "model/message_show.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/message_presenter.h"

namespace model {
namespace {

// Records what would be shown; a modal dialog ends with the scripted button after running `during`.
class FakePresenter final : public MessagePresenter {
 public:
  int RunModal(const MessageDialogRequest& request) override {
    modal.push_back(request);
    if (during) {
      auto inner = std::move(during);
      during = nullptr;
      inner();
    }
    return button;
  }
  bool NoticeOpen() override { return notice_open; }
  void OpenNotice(const MessageDialogRequest& request) override {
    notices.push_back(request);
    notice_open = true;
  }
  void CloseNotice() override {
    ++closes;
    notice_open = false;
  }
  int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, MessageBoxKind kind) override {
    boxes.push_back({owner, text, title, kind});
    return box_answer;
  }

  struct Box {
    HWND owner;
    std::string text;
    std::string title;
    MessageBoxKind kind;
  };
  std::vector<MessageDialogRequest> modal;
  std::vector<MessageDialogRequest> notices;
  std::vector<Box> boxes;
  std::function<void()> during;
  int button = 1;
  int box_answer = kMessageAnswerOk;
  bool notice_open = false;
  int closes = 0;
};

class ShowMessageTest : public ::testing::Test {
 protected:
  void SetUp() override { SetMessagePresenter(&fake); }
  void TearDown() override { SetMessagePresenter(nullptr); }
  FakePresenter fake;
};

TEST_F(ShowMessageTest, KindsChooseTemplateAndResult) {
  struct Case {
    std::uint8_t kind;
    int button;
    std::uint8_t result;
    int dialog_template;
  } const cases[] = {
      {1, 1, 0, 2}, {1, 2, 0, 2}, {2, 1, 3, 4}, {2, 2, 1, 4}, {2, -1, 1, 4}, {3, 1, 3, 3}, {3, 2, 3, 3},
  };
  for (const Case& c : cases) {
    fake.modal.clear();
    fake.button = c.button;
    EXPECT_EQ(ShowMessage(c.kind, 13, 33), c.result) << int{c.kind} << " button " << c.button;
    ASSERT_EQ(fake.modal.size(), 1u);
    EXPECT_EQ(fake.modal[0].dialog_template, c.dialog_template);
    EXPECT_EQ(fake.modal[0].title, "ZPR-Tool");
    EXPECT_EQ(fake.modal[0].text, "Wrong values in file. Continue?");
  }
  for (std::uint8_t kind : {0, 6, 200}) EXPECT_EQ(ShowMessage(kind, 13, 33), 0);
  EXPECT_EQ(fake.modal.size(), 1u);
  EXPECT_TRUE(fake.notices.empty());
  EXPECT_EQ(fake.closes, 0);
}

TEST_F(ShowMessageTest, InsertFallbackAndOwner) {
  SetMessageOwner(reinterpret_cast<HINSTANCE>(0x10), reinterpret_cast<HWND>(0x20));
  ShowMessage(1, 12, 4, "(Parameter C01)  ");
  ShowMessage(1, 20, 3, "unused");
  ShowMessage(1, 7, 99, nullptr);
  ShowMessage(1, 5, 1, nullptr);
  ASSERT_EQ(fake.modal.size(), 4u);
  EXPECT_EQ(fake.modal[0].text, "Value is too big. \n(Parameter C01)  ");
  EXPECT_EQ(fake.modal[0].title, "Input error");
  EXPECT_EQ(fake.modal[0].owner, reinterpret_cast<HWND>(0x20));
  EXPECT_EQ(fake.modal[0].instance, reinterpret_cast<HINSTANCE>(0x10));
  EXPECT_EQ(fake.modal[1].title, "Titel Nr. 20");
  EXPECT_EQ(fake.modal[1].text, "Please switch off enable at the inverter and click the button 'next'!");
  EXPECT_EQ(fake.modal[2].text, "Anzeigetext Nr. 99");
  EXPECT_EQ(fake.modal[3].title, "Fault file operation:");
  EXPECT_EQ(fake.modal[3].text,
            "Can not open the file.\nDirectory and file-name correct?\nDisk inserted, disk drive closed?");
  SetMessageOwner(nullptr, static_cast<HWND>(nullptr));
}

TEST_F(ShowMessageTest, ModalMessagesDoNotNest) {
  std::vector<std::uint8_t> nested;
  fake.button = 1;
  fake.during = [&] {
    EXPECT_TRUE(MessageDialogActive());
    nested.push_back(ShowMessage(1, 9, 1));
    nested.push_back(ShowMessage(2, 13, 31));  // a nested question answers "no"
    nested.push_back(ShowMessage(3, 9, 1));
    nested.push_back(ShowMessage(4, 7, 4));    // the notice is not modal
  };
  EXPECT_EQ(ShowMessage(2, 13, 35), 3);
  EXPECT_EQ(nested, (std::vector<std::uint8_t>{0, 1, 0, 0}));
  EXPECT_EQ(fake.modal.size(), 1u);
  EXPECT_EQ(fake.notices.size(), 1u);
  EXPECT_FALSE(MessageDialogActive());
  EXPECT_EQ(ShowMessage(3, 9, 1), 3);  // closed again: the next modal call shows
  EXPECT_EQ(fake.modal.size(), 2u);
}

TEST_F(ShowMessageTest, TheNoticeOpensOnceAndCloses) {
  EXPECT_EQ(ShowMessage(4, 7, 4), 0);
  EXPECT_EQ(ShowMessage(4, 7, 6), 0);  // leaves the first notice unchanged
  ASSERT_EQ(fake.notices.size(), 1u);
  EXPECT_EQ(fake.notices[0].dialog_template, 2);
  EXPECT_EQ(fake.notices[0].text, "Reading file");
  EXPECT_EQ(fake.notices[0].title, "Information:");
  EXPECT_EQ(ShowMessage(5, 0, 0), 0);
  EXPECT_EQ(fake.closes, 1);
  EXPECT_FALSE(fake.notice_open);
  EXPECT_EQ(ShowMessage(4, 7, 6), 0);
  ASSERT_EQ(fake.notices.size(), 2u);
  EXPECT_EQ(fake.notices[1].text, "connected device will be identified");
}

TEST_F(ShowMessageTest, MessageBoxByNumberShowsTheStoredText) {
  const HWND owner = reinterpret_cast<HWND>(0x30);
  fake.box_answer = kMessageAnswerYes;
  EXPECT_EQ(MessageBoxByNumber(owner, 2, 13, 35), 6);
  fake.box_answer = kMessageAnswerOk;
  EXPECT_EQ(MessageBoxByNumber(owner, 3, 12, 4), 1);
  EXPECT_EQ(MessageBoxByNumber(owner, 1, 20, 99), 1);
  EXPECT_EQ(MessageBoxByNumber(owner, 0, 9, 1), 1);
  ASSERT_EQ(fake.boxes.size(), 4u);
  EXPECT_EQ(fake.boxes[0].owner, owner);
  EXPECT_EQ(fake.boxes[0].kind, MessageBoxKind::kQuestionYesNoCancel);
  EXPECT_EQ(fake.boxes[0].text, "Are you shure to delete the dataset in database?");
  EXPECT_EQ(fake.boxes[1].kind, MessageBoxKind::kExclamation);
  EXPECT_EQ(fake.boxes[1].text, "Value is too big. \n%s");  // "%s" stays
  EXPECT_EQ(fake.boxes[1].title, "Input error");
  EXPECT_EQ(fake.boxes[2].kind, MessageBoxKind::kInformation);
  EXPECT_EQ(fake.boxes[2].title, "Titel Nr. 20");
  EXPECT_EQ(fake.boxes[2].text, "Anzeigetext Nr. 99");
  EXPECT_EQ(fake.boxes[3].kind, MessageBoxKind::kInformation);
  EXPECT_TRUE(fake.modal.empty());
}

}  // namespace
}  // namespace model
