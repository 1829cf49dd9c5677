// The posi records' lists, code labels, unit labels and the motor-speed note.
#include "app/pages/posi_records.h"

#include <algorithm>
#include <cstring>

#include "app/binding/binding_support.h"
#include "model/device_identity.h"
#include "model/unit_texts.h"

namespace app {
namespace {

constexpr int kLabelChars = 50;
constexpr int kRewrittenChars = 4;
constexpr std::uint8_t kFamilyWithManyRecords = 2;
constexpr int kMaximumFamily2 = 31;
constexpr int kMaximumOther = 7;
constexpr int kCodeLabelBlock = 580;  // its code is 10 + n
constexpr std::uint16_t kPosiSpeedRecord = 320;
constexpr std::uint16_t kPosiSpeedFirst = 68;
constexpr std::uint16_t kMachineRecord = 38;
constexpr std::uint16_t kMaximumSpeedElement = 2;  // C01

// The digit each renumbered code label carries after the record number (label 580 is built apart).
struct CodeLabel {
  int id;
  char digit;
};
constexpr std::array<CodeLabel, 12> kCodeLabels = {{{571, '0'}, {572, '1'}, {573, '2'}, {574, '3'}, {575, '4'},
                                                     {576, '5'}, {577, '6'}, {578, '7'}, {579, '8'}, {581, '0'},
                                                     {583, '1'}, {582, '2'}}};

char Digit(int value) { return static_cast<char>('0' + value % 10); }

// The label's text, padded with blanks to at least `chars` characters; false when the page has no such label.
bool ReadLabel(HWND dialog, int id, std::array<char, kLabelChars + 1>& text, std::size_t chars) {
  if (GetDlgItem(dialog, id) == nullptr) return false;
  text.fill('\0');
  GetDlgItemText(dialog, id, text.data(), kLabelChars);
  for (std::size_t i = std::strlen(text.data()); i < chars; ++i) text[i] = ' ';
  return true;
}

}  // namespace

std::span<const std::uint8_t, kPosiRecordCount> PosiRecordLists() { return kPosiRecordLists; }

std::uint8_t PosiRecordList(int index) {
  if (index < 0 || index >= static_cast<int>(kPosiRecordCount)) return 0;
  return kPosiRecordLists[static_cast<std::size_t>(index)];
}

int PosiRecordMaximum(std::uint8_t set) {
  return model::GetDeviceFamily(set) == kFamilyWithManyRecords ? kMaximumFamily2 : kMaximumOther;
}

// Characters 1..3 of a code label: the digit of n, the label's digit and a blank for n below 10, else the two
// digits of n and the label's digit. Label 580: characters 1..2 are the two digits of 10 + n.
void RenumberCodeLabels(HWND dialog, int n) {
  n = std::clamp(n, 1, static_cast<int>(kPosiRecordCount));
  std::array<char, kLabelChars + 1> text{};
  for (const CodeLabel& label : kCodeLabels) {
    if (!ReadLabel(dialog, label.id, text, kRewrittenChars)) continue;
    if (n < 10) {
      text[1] = Digit(n);
      text[2] = label.digit;
      text[3] = ' ';
    } else {
      text[1] = Digit(n / 10);
      text[2] = Digit(n);
      text[3] = label.digit;
    }
    SetDlgItemText(dialog, label.id, text.data());
  }
  if (ReadLabel(dialog, kCodeLabelBlock, text, kRewrittenChars - 1)) {
    text[1] = Digit((10 + n) / 10);
    text[2] = Digit(10 + n);
    SetDlgItemText(dialog, kCodeLabelBlock, text.data());
  }
}

void SetFieldText4(HWND dialog, int id, const char* unit) {
  std::array<char, kLabelChars + 1> text{};
  if (!ReadLabel(dialog, id, text, kRewrittenChars)) return;
  bool ended = unit == nullptr;
  for (int i = 0; i < kRewrittenChars; ++i) {
    if (!ended && unit[i] == '\0') ended = true;
    text[static_cast<std::size_t>(i)] = ended ? ' ' : unit[i];
  }
  SetDlgItemText(dialog, id, text.data());
}

void WritePositionUnitLabels(HWND dialog, std::span<const int> ids, std::uint8_t set) {
  char unit[10] = {};
  model::GetPositionUnitText(unit, sizeof unit, set);
  for (int id : ids) SetFieldText4(dialog, id, unit);
}

void ShowMotorSpeedNote(HWND dialog, int index, std::uint8_t set) {
  double speed = 0.0;
  double maximum = 0.0;
  const bool valid = index >= 0 && index < static_cast<int>(kPosiRecordCount);
  const auto element = static_cast<std::uint16_t>(kPosiSpeedFirst + 4 * std::max(index, 0));
  const bool too_high = valid && binding::ReadValue(kPosiSpeedRecord, element, &speed, set) == 0 &&
                        binding::ReadValue(kMachineRecord, kMaximumSpeedElement, &maximum, set) == 0 &&
                        speed > maximum;
  SetDlgItemText(dialog, kMotorSpeedNoteId, too_high ? kMotorSpeedNote : "");
}

}  // namespace app
