// MoveValuesToNewLayout: a data set of a layout below 64 (parameter sets in records 254 and 251) imported
// into the current layout.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/layout_upgrade.h"
#include "model/motor_rows.h"
#include "model/raw_number.h"
#include "model/record_layout.h"
#include "model/upgrade_support.h"

namespace model {
namespace {

using upgrade::IntOr;
using upgrade::WriteNumber;

constexpr std::uint16_t kOldSetRecords[2] = {254, 251};
constexpr std::uint16_t kCommentRecord = 317;
constexpr std::uint16_t kProjectRecord = 15;

enum class MoveOp : std::uint8_t { Copy, Map, Gain };

struct MoveRow {
  std::uint16_t record;  // of parameter set 1
  std::uint16_t element;
  MoveOp op;
  std::uint16_t offset;
  double argument;
};

constexpr MoveRow kMoveRows[] = {
#define MOVE_ROW(record, element, op, offset, argument) {record, element, MoveOp::op, offset, argument},
#include "model/data/old_layout_moves.def"
#undef MOVE_ROW
};
static_assert(std::size(kMoveRows) == 41);

struct ValueMap {
  std::array<std::pair<std::uint8_t, std::uint8_t>, 4> pairs;
  std::uint8_t count;
};
// 0: skip band (byte 91), 1: analog output (89), 2: BE5 function (88), 3: relay 2 function (90).
constexpr std::array<ValueMap, 4> kValueMaps = {{
    {{{{1, 2}, {0, 1}}}, 2},
    {{{{0, 4}, {1, 2}, {2, 1}}}, 3},
    {{{{1, 15}, {0, 7}, {3, 11}}}, 3},
    {{{{0, 1}, {1, 6}, {2, 4}, {3, 5}}}, 4},
}};

std::uint8_t Mapped(std::int64_t old_value, double map_index) {
  const ValueMap& map = kValueMaps.at(static_cast<std::size_t>(map_index));
  for (std::uint8_t i = 0; i < map.count; ++i) {
    if (map.pairs[i].first == old_value) return map.pairs[i].second;
  }
  return 0;
}

// An old parameter set as it was before the data set was initialised again.
class OldSet {
 public:
  explicit OldSet(std::vector<std::uint8_t> image, std::uint16_t record) : image_(std::move(image)), record_(record) {}
  // The old element at a byte offset, by the old record's own layout type; 0 outside the record.
  std::int64_t At(std::uint16_t offset) const {
    const std::uint8_t type = GetElementType(record_, offset);
    if (!IsIntegerType(type) || offset + ElementTypeSize(type) > image_.size()) return 0;
    return LoadInteger(image_.data() + offset, type);
  }
  std::int64_t Byte(std::uint16_t offset) const { return offset < image_.size() ? image_[offset] : 0; }
  const std::vector<std::uint8_t>& Image() const { return image_; }

 private:
  std::vector<std::uint8_t> image_;
  std::uint16_t record_;
};

std::vector<std::uint8_t> RecordImage(std::uint16_t record, std::uint8_t set) {
  std::vector<std::uint8_t> image(RecordSize(record));
  if (image.empty() || ReadRecord(record, image.data(), kModeRaw, set) != 0) image.clear();
  return image;
}

std::string TextAt(const std::vector<std::uint8_t>& image, std::uint16_t offset, std::size_t size) {
  if (offset >= image.size()) return {};
  const auto first = image.begin() + offset;
  const auto last = first + static_cast<std::ptrdiff_t>(std::min(size - 1, image.size() - offset));
  return std::string(first, std::find(first, last, std::uint8_t{0}));
}

std::uint8_t WriteText(std::uint16_t record, std::uint16_t element, const std::string& text, std::uint8_t set) {
  const std::uint16_t size = ElementTypeSize(GetElementType(record, element));
  if (size == 0) return 3;
  std::vector<char> buffer(size, '\0');
  std::memcpy(buffer.data(), text.data(), std::min<std::size_t>(text.size(), size - 1u));
  return WriteElement(record, element, buffer.data(), kModeRaw, set);
}

// The motor of one set: the nearest built-in row, or the old nominal data as a user-defined motor.
void MoveMotor(const OldSet& old, std::uint16_t s, std::uint8_t device_type, std::uint8_t set) {
  const auto control = static_cast<std::uint16_t>(40 + s);
  const auto motor = static_cast<std::uint16_t>(42 + s);
  const double current = static_cast<double>(old.Byte(62)) * GetDeviceNominalCurrent(set) * 2.0 / 255.0;
  const double row = FindMotorRow(device_type, static_cast<float>(current));
  WriteElement(motor, 29, &row, kModeConverted, set);  // B00 motor-type loads the row's data
  const std::int64_t poles = old.Byte(65);
  if (poles == 2) return;
  WriteNumber(control, 6, set, 0);  // B20 control mode
  WriteNumber(motor, 29, set, 0);   // B00: user defined
  WriteNumber(motor, 26, set, static_cast<double>(poles));
  WriteNumber(motor, 4, set, current * 100.0);
  WriteNumber(motor, 8, set, static_cast<double>(old.At(14)));
  WriteNumber(motor, 0, set, 4096);
  WriteNumber(motor, 27, set, 70);
  // The old motor voltage (word 0, 0.09765625 V a step) against the mains; a missing one counts as low.
  const double motor_voltage = static_cast<double>(old.At(0)) * 0.09765625;
  const double ratio = GetDeviceMainsVoltage(set) / motor_voltage;
  const std::uint16_t voltage = motor_voltage > 0.0 && ratio <= 6.6666 ? 3253 : 5657;
  WriteNumber(motor, 2, set, voltage);
  WriteNumber(motor, 6, set,
              FindMotorRowByCode(static_cast<std::uint8_t>(2 * poles), static_cast<float>(current), voltage));
}

void MoveSet(const OldSet& old, std::uint16_t s, std::uint8_t device_type, std::uint8_t set) {
  const auto r34 = static_cast<std::uint16_t>(34 + s);
  const auto r38 = static_cast<std::uint16_t>(38 + s);
  const auto r40 = static_cast<std::uint16_t>(40 + s);
  const auto r53 = static_cast<std::uint16_t>(53 + s);
  WriteNumber(r34, 19, set, 14);
  WriteNumber(r34, 20, set, 14);
  WriteNumber(r34, 21, set, 1);
  WriteNumber(r34, 22, set, 2);
  WriteNumber(r40, 6, set, 1);
  MoveMotor(old, s, device_type, set);

  for (const MoveRow& row : kMoveRows) {
    const auto record = static_cast<std::uint16_t>(row.record + s);
    switch (row.op) {
      case MoveOp::Copy:
        WriteNumber(record, row.element, set, static_cast<double>(old.At(row.offset)) * row.argument);
        break;
      case MoveOp::Map: WriteNumber(record, row.element, set, Mapped(old.Byte(row.offset), row.argument)); break;
      case MoveOp::Gain:
        WriteNumber(record, row.element, set, std::trunc(static_cast<double>(old.At(row.offset)) * 8192.0 * 0.01));
        break;
    }
  }
  // Old byte 62 (the current scale) divides; a zero one leaves its targets at their defaults.
  const std::int64_t scale = old.Byte(62);
  if (scale != 0) {
    WriteNumber(r38, 24, set, std::trunc(static_cast<double>(old.Byte(63)) * 8192.0 / static_cast<double>(scale)));
    const double torque = std::trunc(static_cast<double>(old.Byte(61)) / static_cast<double>(scale) * 8192.0);
    WriteNumber(r40, 4, set, torque);
    WriteNumber(r40, 2, set, torque - 2.0);
  }
  double infi = 0.0;  // INFI/INM of parameter set 1
  if (old.Byte(97) != 0 && ReadRawNumber(320, 18, set, &infi) == 0 && infi >= 2.0) WriteNumber(r40, 11, set, 80);
  if (old.Byte(87) == 3) WriteNumber(r53, 24, set, 1);
  if (old.Byte(87) == 2 && old.Byte(88) == 2) WriteNumber(r34, 0, set, 0);
}

// The comment texts of the old record 317: name, date and system text to their places, the further four
// comment lines joined into one text, then the terminal texts merged.
std::uint8_t MoveComments(const std::vector<std::uint8_t>& comments, std::uint8_t set) {
  if (comments.empty()) return 3;
  std::uint8_t status = WriteRecord(kCommentRecord, comments.data(), kModeRaw, set);
  if (status != 0) return status;
  constexpr std::size_t kLine = 81;
  WriteText(kProjectRecord, 38, TextAt(comments, 0, kLine), set);
  WriteText(kProjectRecord, 4, TextAt(comments, 81, kLine), set);
  WriteText(kCommentRecord, 324, TextAt(comments, 162, kLine), set);
  std::string joined;
  for (const std::uint16_t line : {243, 324, 405, 486}) {
    if (!joined.empty()) joined += "\r\n";
    joined += TextAt(comments, line, kLine);
  }
  WriteText(kCommentRecord, 1539, joined, set);
  for (const std::uint16_t line : {0, 81, 162, 243, 405, 486}) WriteText(kCommentRecord, line, {}, set);
  return MergeTerminalTexts(set);
}

}  // namespace

std::uint8_t MoveValuesToNewLayout(std::uint8_t set) {
  const std::vector<std::uint8_t> comments = RecordImage(kCommentRecord, set);
  const OldSet old_sets[2] = {OldSet(RecordImage(kOldSetRecords[0], set), kOldSetRecords[0]),
                              OldSet(RecordImage(kOldSetRecords[1], set), kOldSetRecords[1])};
  if (comments.empty() || old_sets[0].Image().empty() || old_sets[1].Image().empty()) return 3;
  std::array<std::uint8_t, 17> file_name{};
  std::int64_t device_type = 0;
  std::int64_t project_number = 0;
  std::uint8_t status = upgrade::ReadInt(304, 1, set, &device_type);
  if (status == 0) status = upgrade::ReadInt(kProjectRecord, 0, set, &project_number);
  if (status == 0) status = ReadElement(kProjectRecord, 21, file_name.data(), kModeRaw, set);
  if (status != 0) return status;
  const std::uint16_t kind = GetFileTypeCode(set);

  if ((status = InitDataSet(set)) != 0) return status;
  WriteNumber(302, 0, set, kind);  // the data set stays the kind of file it was read from
  WriteNumber(kProjectRecord, 0, set, static_cast<double>(project_number));

  auto type = static_cast<std::uint8_t>(device_type);
  std::uint8_t current_type = type;
  if (MatchInverterType(&type, &current_type) != 0) current_type = type;
  WriteNumber(304, 1, set, current_type);
  for (std::uint16_t s = 0; s < 2; ++s) MoveSet(old_sets[s], s, current_type, set);
  for (std::uint16_t s = 0; s < 2; ++s) WriteRecord(kOldSetRecords[s], old_sets[s].Image().data(), kModeRaw, set);

  if ((status = MoveComments(comments, set)) != 0) return status;
  WriteElement(kProjectRecord, 21, file_name.data(), kModeRaw, set);
  const OldSet& first = old_sets[0];
  WriteNumber(55, 6, set, static_cast<double>(first.Byte(92)));  // A30 operation input
  WriteNumber(55, 7, set, static_cast<double>(first.Byte(93)));  // A31 Esc-reset
  if (first.Byte(86) == 2) WriteNumber(55, 17, set, 1);          // A32 auto-reset
  if (first.Byte(86) == 3) WriteNumber(55, 8, set, 1);           // A33 auto-reset enable
  return 0;
}

}  // namespace model
