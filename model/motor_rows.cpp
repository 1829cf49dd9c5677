#include "model/motor_rows.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "model/device_identity.h"

namespace model {
namespace {

// A row's fields at their offsets in the motor record; the bytes in between are 0.
struct MotorRowSource {
  std::uint8_t row;
  std::int32_t f_nominal, v_nominal, i_nominal, p_nominal, n_nominal, r1, x1s, kp_iq, ki_iq, kp_id, ki_id,
      i_magnetising, tb, poles, cos_phi, type, emc, l_motor, m0, fan, inertia, code, word38, word40, word44, word46;
};

constexpr MotorRowSource kSource[] = {
#define MOTOR_ROW(row, f, v, i, p, n, r1, x1s, kpiq, kiiq, kpid, kiid, imag, tb, poles, cphi, type, emc, l, m0, \
                  fan, inertia, code, w38, w40, w44, w46)                                                    \
  {row,  f,    v,    i,     p,   n,       r1,      x1s,  kpiq, kiiq, kpid, kiid, imag, tb,  poles, cphi,       \
   type, emc,  l,    m0,    fan, inertia, code,    w38,  w40,  w44,  w46},
#include "model/data/motor_rows.def"
#undef MOTOR_ROW
};
static_assert(std::size(kSource) == kBuiltInMotorRows, "motor_rows.def holds the 70 built-in motor rows");

constexpr bool RowsInOrder() {
  for (std::size_t i = 0; i < std::size(kSource); ++i) {
    if (kSource[i].row != i) return false;
  }
  return true;
}
static_assert(RowsInOrder(), "motor_rows.def: rows are numbered 0..69 in order");

using RowImage = std::array<std::uint8_t, kMotorRowSize>;

constexpr void PutWord(RowImage& image, std::size_t offset, std::int32_t value) {
  const auto v = static_cast<std::uint16_t>(value);
  image[offset] = static_cast<std::uint8_t>(v & 0xFFu);
  image[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}
constexpr void PutByte(RowImage& image, std::size_t offset, std::int32_t value) {
  image[offset] = static_cast<std::uint8_t>(value);
}

constexpr RowImage BuildImage(const MotorRowSource& s) {
  RowImage image{};
  PutWord(image, 0, s.f_nominal);
  PutWord(image, 2, s.v_nominal);
  PutWord(image, 4, s.i_nominal);
  PutWord(image, 6, s.p_nominal);
  PutWord(image, 8, s.n_nominal);
  PutWord(image, 10, s.r1);
  PutWord(image, 12, s.x1s);
  PutWord(image, 14, s.kp_iq);
  PutWord(image, 16, s.ki_iq);
  PutWord(image, 18, s.kp_id);
  PutWord(image, 20, s.ki_id);
  PutWord(image, 22, s.i_magnetising);
  PutByte(image, 24, s.tb);
  PutByte(image, 26, s.poles);
  PutByte(image, 27, s.cos_phi);
  PutByte(image, 29, s.type);
  PutWord(image, 30, s.emc);
  PutWord(image, 34, s.l_motor);
  PutWord(image, 38, s.word38);
  PutWord(image, 40, s.word40);
  PutWord(image, 44, s.word44);
  PutWord(image, 46, s.word46);
  PutWord(image, 60, s.m0);
  PutByte(image, 62, s.fan);
  PutWord(image, 70, s.inertia);
  PutWord(image, 72, s.code);
  return image;
}

constexpr std::array<RowImage, kBuiltInMotorRows> BuildTable() {
  std::array<RowImage, kBuiltInMotorRows> table{};
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = BuildImage(kSource[i]);
  return table;
}
constexpr std::array<RowImage, kBuiltInMotorRows> kTable = BuildTable();

constexpr std::uint8_t kHighestStandardRow = 29;

std::uint16_t Word(std::uint8_t row, std::size_t offset) {
  if (row >= kBuiltInMotorRows) return 0;
  return static_cast<std::uint16_t>(kTable[row][offset] | (kTable[row][offset + 1] << 8));
}

// The value's integer part in hundredths, as the rated values are held.
std::int64_t Hundredths(float value) {
  if (!std::isfinite(value)) return 0;
  const double whole = std::trunc(static_cast<double>(value));
  if (whole > 1.0e9) return static_cast<std::int64_t>(1.0e11);
  if (whole < -1.0e9) return static_cast<std::int64_t>(-1.0e11);
  return static_cast<std::int64_t>(whole) * 100;
}

}  // namespace

const std::uint8_t* BuiltInMotorRow(std::uint8_t row) {
  return row < kBuiltInMotorRows ? kTable[row].data() : nullptr;
}

std::uint8_t DefaultMotorOfDeviceType(std::uint8_t device_type) {
  return InverterTypeRowOf(device_type).default_motor;
}

std::uint16_t MotorRowVoltageClass(std::uint8_t row) { return Word(row, 2); }
std::uint16_t MotorRowRatedValue(std::uint8_t row) { return Word(row, 4); }
std::uint16_t MotorRowNumber(std::uint8_t row) { return Word(row, 6); }

std::uint8_t FindMotorRow(std::uint8_t device_type, float value) {
  const std::int64_t v = Hundredths(value);
  if (device_type >= kInverterTypeCount) return 1;
  std::int64_t d = DeviceValue(InverterTypeTable()[device_type], 1);
  if (d >= 6700) d = 5657;
  if (v > MotorRowRatedValue(kHighestStandardRow)) return 0;
  std::uint8_t previous = 0;  // the last row in the voltage band before r
  for (std::uint8_t r = 1; r <= 28; ++r) {
    const std::int64_t band = static_cast<std::int64_t>(MotorRowVoltageClass(r)) - d;
    if (band < -99 || band > 99) continue;
    const std::int64_t rated = MotorRowRatedValue(r);
    if (v < rated) {
      // previous 0 (no row in the band before r) compares with row 0, the user-defined motor.
      return rated - v < v - static_cast<std::int64_t>(MotorRowRatedValue(previous)) ? r : previous;
    }
    previous = r;
  }
  return 0;
}

std::uint16_t FindMotorRowByCode(std::uint8_t variant, float value, std::uint16_t code) {
  const std::int64_t v = Hundredths(value);
  if (v > MotorRowRatedValue(kHighestStandardRow)) return 0;
  if (variant < 5) {
    for (std::uint8_t r = 0; r <= kHighestStandardRow; ++r) {
      const std::int64_t diff = static_cast<std::int64_t>(MotorRowRatedValue(r)) - v;
      if (MotorRowVoltageClass(r) == code && (v <= MotorRowRatedValue(r) || (diff >= -10 && diff <= 0))) {
        return MotorRowNumber(r);
      }
    }
    return MotorRowNumber(kHighestStandardRow);
  }
  for (int r = kHighestStandardRow; r >= 0; --r) {
    const auto row = static_cast<std::uint8_t>(r);
    const std::int64_t diff = static_cast<std::int64_t>(MotorRowRatedValue(row)) - v;
    if (MotorRowVoltageClass(row) == code && (v >= MotorRowRatedValue(row) || (diff >= 0 && diff <= 10))) {
      return MotorRowNumber(row);
    }
  }
  return MotorRowNumber(1);
}

}  // namespace model
