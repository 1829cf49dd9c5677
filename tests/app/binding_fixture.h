// A synthetic menu list with a row of every kind, a dialog whose controls carry its id run, a message sink and a
// recording online writer, on the headless window layer.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "app/binding/dialog_binding.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/function_tables.h"
#include "model/menu_list_table.h"
#include "model/message_presenter.h"
#include "platform/testing/driver.h"
#include "platform/win/win.h"

namespace binding_test {

namespace drv = platform::testing;
using model::ParameterDescriptor;

// Every message the binding shows: a modal catalogue dialog (its text, insert expanded) or a message box.
class MessageSink final : public model::MessagePresenter {
 public:
  int RunModal(const model::MessageDialogRequest& request) override {
    texts.push_back(request.text);
    return 1;
  }
  bool NoticeOpen() override { return false; }
  void OpenNotice(const model::MessageDialogRequest& request) override { texts.push_back(request.text); }
  void CloseNotice() override {}
  int ShowMessageBox(HWND, const std::string& text, const std::string&, model::MessageBoxKind) override {
    texts.push_back(text);
    return model::kMessageAnswerOk;
  }
  std::vector<std::string> texts;
};

struct OnlineCall {
  std::uint8_t set;
  std::uint16_t record;
  std::uint16_t element;
  bool operator==(const OnlineCall&) const = default;
};
inline std::vector<OnlineCall> g_online_calls;
inline std::uint8_t g_online_answer = 0;
inline std::uint8_t RecordOnline(std::uint8_t set, std::uint16_t record, std::uint16_t element) {
  g_online_calls.push_back({set, record, element});
  return g_online_answer;
}

// Stored = displayed - parameter: with parameter -1 a byte's 0..255 shows as -1..254.
inline std::uint8_t OffsetConverter(const double* in, double* out, double parameter, std::uint8_t, std::uint8_t,
                                    std::uint8_t direction, std::uint8_t, std::uint16_t) {
  *out = direction == 1 ? *in + parameter : *in - parameter;
  return 0;
}
inline constexpr std::uint8_t kOffsetConverter = 29;

inline const char* kTHeading[] = {"synthetic page", ""};
inline const char* kTNumber[] = {"A01 block", "blk", ""};
inline const char* kTCheck[] = {"A02 check", "0:no", "1:yes", ""};
inline const char* kTRadio[] = {"A03 radio", "0:left", "1:middle", "2:right", ""};
inline const char* kTCombo[] = {"A04 combo", "0:zero", "1:one", "2:two", "3:three", ""};
inline const char* kTShown[] = {"A05 shown", "0:off", "1:on", ""};
inline const char* kTReserved[] = {"A06 reserved", ""};
inline const char* kTString[] = {"A07 user", ""};
inline const char* kTBit[] = {"A08 bit 3", ""};
inline const char* kTNoControl[] = {"A09 no control", ""};
inline const char* kTNegative[] = {"A10 signed", "-1:minus", "0:zero", "1:plus", ""};
inline const char* kTUnavailable[] = {"A11 unavailable", "0:no", "1:yes", ""};
inline const char* kTRadioShown[] = {"A12 radio shown", "0:a", "1:b", ""};
inline const char* kTSpeed[] = {"A13 speed", "m/s", ""};
inline const char* kTHex[] = {"A14 hex", ""};
inline const char* kTBits[] = {"A15 bits", ""};
inline const char* kTCheckShown[] = {"A16 check shown", "0:inactive", "1:active", ""};

// The page list: rows of every kind, ids 100..116 (last 117).
inline const ParameterDescriptor kPageRows[] = {
    {306, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading},
    {306, 8, 1, 0, 1, 0, 0.0, kTNumber},                      // 100 edit, u8 0..255
    {305, 44, 2, 0, 1, 0, 0.0, kTCheck},                      // 101 check box
    {305, 46, 3, 0, 1, 0, 0.0, kTRadio},                      // 102..104 radio buttons
    {305, 47, 4, 0, 1, 0, 0.0, kTCombo},                      // 105 combo box
    {305, 48, 4, 0, 0, 0, 0.0, kTShown},                      // 106 static
    {305, 49, 5, 0, 1, 0, 0.0, kTReserved},                   // 107 reserved
    {15, 4, 7, 0, 1, 0, 0.0, kTString},                       // 108 edit, 16 characters
    {55, 26, 14, 3, 1, 0, 0.0, kTBit},                        // 109 check box of bit 3
    {305, 50, 0, 0, 1, 0, 0.0, kTNoControl},                  // no id
    {305, 54, 4, 0, 1, kOffsetConverter, -1.0, kTNegative},   // 110 combo box, lower limit -1
    {305, 45, 2, 0, 1, 0, 0.0, kTUnavailable},                // 111 check box, element not available
    {305, 153, 3, 0, 0, 0, 0.0, kTRadioShown},                // 112 static
    {320, 68, 1, 1, 1, 0, 0.0, kTSpeed},                      // 113 edit, float, one decimal
    {254, 0, 9, 0, 1, 0, 0.0, kTHex},                         // 114 edit, hexadecimal
    {254, 54, 10, 0, 1, 0, 0.0, kTBits},                      // 115 edit, bit groups
    {305, 52, 2, 0, 0, 0, 0.0, kTCheckShown},                 // 116 static
    {0, 0, 0, 0, 0, 0, 0.0, nullptr},
};
inline constexpr std::uint8_t kPageList = 5;
inline constexpr int kFirst = 100;
inline constexpr int kLast = 117;

// Ids of the page list.
enum Id : int {
  kNumber = 100, kCheck = 101, kRadio0 = 102, kRadio1 = 103, kRadio2 = 104, kCombo = 105, kShown = 106,
  kReserved = 107, kString = 108, kBit = 109, kNegative = 110, kUnavailable = 111, kRadioShown = 112,
  kSpeed = 113, kHex = 114, kBits = 115, kCheckShown = 116
};

// Two parallel process blocks for the copy.
inline const char* kTCode1[] = {"U01 code 1", ""};
inline const char* kTCode2[] = {"U02 code 2", ""};
inline const ParameterDescriptor kBlockA[] = {
    {306, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading}, {306, 8, 1, 0, 1, 0, 0.0, kTNumber},
    {15, 4, 7, 0, 1, 0, 0.0, kTString}, {305, 44, 2, 0, 1, 0, 0.0, kTCheck}, {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
inline const ParameterDescriptor kBlockB[] = {
    {306, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading}, {254, 0, 1, 0, 1, 0, 0.0, kTHex},
    {15, 21, 7, 0, 1, 0, 0.0, kTCode2}, {305, 47, 4, 0, 1, 0, 0.0, kTCombo}, {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
inline constexpr std::uint8_t kBlockAList = 6;
inline constexpr std::uint8_t kBlockBList = 7;

// A user list of two codes (five ids each, 200..209) and a jump target (code, two values; ids 300..304).
inline const ParameterDescriptor kUserRows[] = {
    {15, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading}, {15, 4, 7, 0, 1, 0, 0.0, kTCode1},
    {305, 50, 0, 0, 1, 0, 0.0, kTNoControl}, {15, 21, 7, 0, 1, 0, 0.0, kTCode2},
    {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
inline constexpr std::uint8_t kUserList = 8;
inline const char* kTJumpTo[] = {"U50 F1-jump to", ""};
inline const char* kTJumpLow[] = {"U51 F1 lower limit", ""};
inline const char* kTJumpHigh[] = {"U52 F1 upper limit", ""};
inline const ParameterDescriptor kJumpRows[] = {
    {304, model::kHeadingElement, 6, 0, 1, 0, 0.0, kTHeading}, {304, 46, 1, 0, 1, 0, 0.0, kTJumpTo},
    {307, 2, 1, 0, 1, 0, 0.0, kTJumpLow}, {307, 14, 1, 0, 1, 0, 0.0, kTJumpHigh},
    {0, 0, 0, 0, 0, 0, 0.0, nullptr}};
inline constexpr std::uint8_t kJumpList = 9;

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
inline const DialogItemTemplate kPageItems[] = {
    {kNumber, WC_EDIT, "", kChild | ES_AUTOHSCROLL, 100, 4, 60, 12},
    {kCheck, WC_BUTTON, "", kChild | BS_AUTOCHECKBOX, 100, 18, 12, 10},
    {kRadio0, WC_BUTTON, "left", kChild | BS_AUTORADIOBUTTON | WS_GROUP, 100, 30, 50, 10},
    {kRadio1, WC_BUTTON, "middle", kChild | BS_AUTORADIOBUTTON, 100, 40, 50, 10},
    {kRadio2, WC_BUTTON, "right", kChild | BS_AUTORADIOBUTTON, 100, 50, 50, 10},
    {kCombo, WC_COMBOBOX, "", kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP, 100, 62, 80, 80},
    {kShown, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_LEFT, 100, 76, 80, 10},
    {kString, WC_EDIT, "", kChild | ES_AUTOHSCROLL, 100, 88, 80, 12},
    {kBit, WC_BUTTON, "", kChild | BS_AUTOCHECKBOX, 100, 102, 12, 10},
    {kNegative, WC_COMBOBOX, "", kChild | CBS_DROPDOWNLIST | WS_VSCROLL, 100, 114, 80, 80},
    {kUnavailable, WC_BUTTON, "", kChild | BS_AUTOCHECKBOX, 100, 128, 12, 10},
    {kRadioShown, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_LEFT, 100, 140, 80, 10},
    {kSpeed, WC_EDIT, "", kChild | ES_AUTOHSCROLL, 100, 152, 60, 12},
    {kHex, WC_EDIT, "", kChild | ES_AUTOHSCROLL, 100, 166, 60, 12},
    {kBits, WC_EDIT, "", kChild | ES_AUTOHSCROLL, 100, 180, 100, 12},
    {kCheckShown, WC_STATIC, "", WS_CHILD | WS_VISIBLE | SS_LEFT, 100, 194, 80, 10},
    {6, WC_BUTTON, "extra", kChild | BS_PUSHBUTTON, 10, 210, 40, 14},
    {200, WC_EDIT, "", kChild, 230, 4, 30, 12},  {201, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 262, 4, 60, 10},
    {202, WC_EDIT, "", kChild, 324, 4, 40, 12},  {203, WC_COMBOBOX, "", kChild | CBS_DROPDOWNLIST, 366, 4, 60, 80},
    {204, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 428, 4, 20, 10},
    {205, WC_EDIT, "", kChild, 230, 20, 30, 12}, {206, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 262, 20, 60, 10},
    {207, WC_EDIT, "", kChild, 324, 20, 40, 12}, {208, WC_COMBOBOX, "", kChild | CBS_DROPDOWNLIST, 366, 20, 60, 80},
    {209, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 428, 20, 20, 10},
    {300, WC_EDIT, "", kChild, 230, 40, 30, 12}, {301, WC_EDIT, "", kChild, 230, 54, 40, 12},
    {302, WC_EDIT, "", kChild, 230, 68, 40, 12}, {303, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 262, 40, 80, 10},
    {304, WC_STATIC, "", WS_CHILD | WS_VISIBLE, 272, 54, 30, 10},
};
inline const DialogTemplate kPageDialog{WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 460, 230, "synthetic", kPageItems};

inline INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    model::InitDataSet(0);
    model::InitDataSet(1);
    for (auto& slot : slots_) slot = {kEmpty, 0, false};
    slots_[kPageList] = {kPageRows, 0, true};
    slots_[kBlockAList] = {kBlockA, 0, true};
    slots_[kBlockBList] = {kBlockB, 0, true};
    slots_[kUserList] = {kUserRows, 0, true};
    slots_[kJumpList] = {kJumpRows, 0, true};
    model::SetMenuListTableForTest(slots_);
    model::ConverterTableType converters = model::ConverterTable();
    converters[kOffsetConverter] = OffsetConverter;
    model::SetConverterTable(converters);
    model::SetMessagePresenter(&sink_);
    g_online_calls.clear();
    g_online_answer = 0;
    app::SetOnlineParameterWriter(RecordOnline);
    dialog_ = CreateDialogIndirectParam(nullptr, &kPageDialog, nullptr, PlainProc, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    if (app::CountUsedBackupSlots() != 0) app::ReleaseDialogBuffers(dialog_);
    app::SetOnlineParameterWriter(nullptr);
    model::SetMessagePresenter(nullptr);
    model::ResetFunctionTables();
    model::SetMenuListTableForTest({});
  }

  // Raw element values (mode 8) of the byte and word elements the page uses.
  static void SetByte(std::uint16_t record, std::uint16_t element, std::uint8_t value, std::uint8_t set = 0) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, set), 0);
  }
  static double Shown(std::uint16_t record, std::uint16_t element, std::uint8_t set = 0) {
    double value = 0.0;
    EXPECT_EQ(model::ReadElement(record, element, &value, model::kModeConverted, set), 0);
    return value;
  }
  static void SetShown(std::uint16_t record, std::uint16_t element, double value, std::uint8_t set = 0) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeWriteUnchecked, set), 0);
  }
  static std::string String(std::uint16_t record, std::uint16_t element) {
    std::array<char, 1025> text{};
    EXPECT_EQ(model::ReadElement(record, element, text.data(), model::kModeConverted, 0), 0);
    return text.data();
  }

  std::uint8_t Fill(std::uint8_t backup = 1) {
    return app::FillDialogFromParameters(dialog_, kFirst, kLast, kPageList, 0, backup);
  }
  std::uint8_t Store(int control = 0, std::uint8_t restore = 0) {
    return app::StoreDialogToParameters(dialog_, kFirst, kLast, control, kPageList, 0, restore);
  }
  void SetText(int id, const std::string& text) { SetDlgItemText(dialog_, id, text.c_str()); }
  std::string Text(int id) const { return drv::ItemText(dialog_, id); }
  std::vector<std::string> ComboItems(int id) const {
    std::vector<std::string> items;
    const LRESULT n = SendDlgItemMessage(dialog_, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      char text[128] = {};
      SendDlgItemMessage(dialog_, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  LRESULT ComboSelection(int id) const { return SendDlgItemMessage(dialog_, id, CB_GETCURSEL, 0, 0); }
  std::string LastMessage() const { return sink_.texts.empty() ? std::string() : sink_.texts.back(); }

  drv::Session session_;
  static inline const ParameterDescriptor kEmpty[] = {{0, 0, 0, 0, 0, 0, 0.0, nullptr}};
  std::array<model::MenuListSlot, model::kMenuListSlots> slots_{};
  MessageSink sink_;
  HWND dialog_ = nullptr;
};

}  // namespace binding_test
