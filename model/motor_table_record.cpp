// LoadMotorTableRecord and ScaleMotorTableRecord: built-in motor rows rescaled for a motor's EMC constant.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/action_support.h"
#include "model/after_write_actions.h"
#include "model/motor_rows.h"
#include "model/mul_div.h"
#include "model/saturating_cast.h"

namespace model {
namespace {

using namespace motor;

constexpr std::uint8_t kUserDefinedServo = 60;
constexpr std::int32_t kReferenceEmc = 1100;
constexpr std::int32_t kMaxSpeed = 6000;
constexpr std::int32_t kUnity = 8192;

// The rescaling steps. Table values come from `row`; e (not 0) and the fan flag from the caller. Integer steps
// are MulDiv; floating results are truncated; 16-bit stores saturate.
void Rescale(std::uint8_t* image, const std::uint8_t* row, std::int32_t e, bool fan) {
  const std::int32_t n = std::min(MulDiv(ImageI16(row, kNNominal), kReferenceEmc, e), kMaxSpeed);
  const std::int32_t r1 = MulDiv(MulDiv(ImageU16(row, kR1), e, kReferenceEmc), e, kReferenceEmc);

  std::int32_t t = MulDiv(ImageI16(row, kWord38), ImageI16(row, kPNominal), 819);
  double f = kUnity;
  if (fan) {
    const std::int32_t w40 = ImageI16(row, kWord40);
    t = MulDiv(t, w40, kUnity);
    f = std::trunc(std::sqrt(std::max(0.0, w40 / 8192.0)) * 8192.0);
  }
  const double w44 = ImageI16(row, kWord44);
  const double w46 = ImageI16(row, kWord46);
  const double a = std::trunc(w44 * 0.104719755 * n * 0.001);
  const double b = std::trunc(w46 * 0.104719755 * static_cast<double>(n) * n * 1e-7);
  double budget = t - a - b;
  if (budget < 1.0) budget = 1.0;  // T := a + b + 1
  // R1 of 0 (a tiny row value scaled down) would divide by zero: it counts as the least resistance, 1.
  const double i_nominal = std::trunc(std::sqrt(budget * 66.6667 * 0.70921986 / std::max(r1, 1)) * 100.0);
  const std::int32_t m0 = MulDiv(ImageI16(row, kM0), SaturatingToInt32(f), kUnity);
  const double p_nominal =
      std::trunc(std::trunc(e * 0.0011695451 * i_nominal - w44 * 0.1 - w46 * n * 1e-5) * n * 0.000104719755);
  const std::int32_t word32 = MulDiv(ImageI16(row, kWord32), kReferenceEmc, e);
  const std::int32_t l_motor = MulDiv(MulDiv(ImageU16(row, kLMotor), e, kReferenceEmc), e, kReferenceEmc);

  PutImageI16(image, kNNominal, n);
  PutImageU16(image, kR1, r1);
  PutImageI16(image, kINominal, SaturatingToInt32(i_nominal));
  PutImageI16(image, kM0, m0);
  PutImageI16(image, kPNominal, SaturatingToInt32(p_nominal));
  PutImageI16(image, kWord32, word32);
  PutImageU16(image, kLMotor, l_motor);
}

}  // namespace

std::uint8_t LoadMotorTableRecord(std::uint8_t row, std::uint8_t* image) {
  const std::uint8_t* source = BuiltInMotorRow(row);
  if (!source) return 3;
  std::memcpy(image, source, kMotorRowSize);
  if (image[kMotorType] == kUserDefinedServo) {
    PutImageI16(image, kNNominal, std::min(ImageI16(image, kNNominal), kMaxSpeed));
    return 0;
  }
  const std::int32_t e = ImageU16(source, kEmc);
  if (e == 0) return 0;  // no EMC constant: the row cannot be rescaled
  Rescale(image, source, e, source[kFan] != 0);
  return 0;
}

std::uint8_t ScaleMotorTableRecord(std::uint8_t* image, std::uint8_t motor_type) {
  const std::uint8_t type = motor_type >= kBuiltInMotorRows ? kUserDefinedServo : motor_type;
  const std::uint8_t* row = BuiltInMotorRow(type);
  if (!row) return 3;
  if (type == kUserDefinedServo) {
    PutImageWord(image, kB61, ImageU16(row, kB61));
    return 0;
  }
  const std::int32_t e = ImageU16(image, kEmc);
  if (e == 0) return 0;  // no EMC constant: nothing to scale for
  Rescale(image, row, e, image[kFan] != 0);
  return 0;
}

}  // namespace model
