// The positioning, developer and menu-skip pages on the headless layer: a fresh data set 0, every catalogue
// message and message box recorded (first button), raw element access.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "model/message_presenter.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"

namespace pages_test {

namespace drv = platform::testing;

class Messages final : public model::MessagePresenter {
 public:
  int RunModal(const model::MessageDialogRequest& request) override {
    texts.push_back(request.text);
    return answer;
  }
  bool NoticeOpen() override { return false; }
  void OpenNotice(const model::MessageDialogRequest& request) override { texts.push_back(request.text); }
  void CloseNotice() override {}
  int ShowMessageBox(HWND, const std::string& text, const std::string&, model::MessageBoxKind) override {
    texts.push_back(text);
    return model::kMessageAnswerOk;
  }
  std::string Last() const { return texts.empty() ? std::string() : texts.back(); }
  std::vector<std::string> texts;
  int answer = 1;  // the first button
};

template <typename T>
void PutRaw(std::uint16_t record, std::uint16_t element, T value, std::uint8_t set = 0) {
  ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0) << record << "." << element;
}

template <typename T = std::uint8_t>
T GetRaw(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  T value{};
  EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeRaw, set), 0) << record << "." << element;
  return value;
}

inline double GetShown(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
  double value = 0.0;
  EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeConverted, set), 0) << record << "." << element;
  return value;
}

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model::SetMenuListTableForTest({});
    model::InitDataSet(0);
    model::SetMessagePresenter(&messages_);
  }
  void TearDown() override { model::SetMessagePresenter(nullptr); }

  drv::Session session_;
  Messages messages_;
};

}  // namespace pages_test
