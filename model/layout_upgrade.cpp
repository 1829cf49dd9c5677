// UpgradeDataSetLayout and ClearElementForOldVersions: the corrections an older layout letter needs.
#include "model/layout_upgrade.h"

#include <array>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/raw_number.h"
#include "model/record_layout.h"
#include "model/round_value.h"
#include "model/upgrade_support.h"

namespace model {
namespace {

using upgrade::IntOr;
using upgrade::ReadInt;
using upgrade::WriteNumber;

constexpr std::uint8_t kLayoutRecord = 4;
constexpr std::uint8_t kCurrentLetter = 'Q';
constexpr std::uint8_t kSpeedConverter = 2;
constexpr std::uint8_t kSpeedType = kTypeI16;
constexpr std::uint8_t kSpeedDecimals = 3;
constexpr std::int64_t kUnreadable = -1;  // never one of the values the corrections look for

// Steps 1-3: run for every letter, their writes unchecked.
void CorrectEveryLayout(std::uint8_t set, std::int64_t letter) {
  if (GetFileTypeCode(set) == kFileKindProject) {
    for (const std::uint16_t record : {40, 41}) {
      const std::int64_t e56 = IntOr(record, 10, set, kUnreadable);  // E56 parameter set ident.
      if (e56 == 0 || e56 == 254 || e56 == 255) WriteNumber(record, 10, set, 1);
    }
  }
  for (const std::uint16_t record : {42, 43}) {
    std::int64_t emc = 0;  // B02 EMC-constant
    if (ReadInt(record, 30, set, &emc) == 0 && emc < 50) WriteNumber(record, 30, set, 1100);
  }
  if (letter < 'R') {
    for (const std::uint16_t record : {34, 35}) {
      std::int64_t f19 = 0;  // F19 quick-stop end
      if (ReadInt(record, 18, set, &f19) == 0 && f19 > 1) WriteNumber(record, 18, set, 0);
    }
  }
}

// Layouts 'B' to 'G': the run mode moved into the machine records, positioning encoder and CAN heartbeat.
std::uint8_t UpgradeFromB(std::uint8_t set, std::int64_t letter) {
  std::int64_t run_mode = 0;  // C60 copy
  std::uint8_t status = ReadInt(512, 67, set, &run_mode);
  if (status != 0) return status;
  for (const std::uint16_t record : {38, 39}) {
    status = WriteNumber(record, 56, set, static_cast<double>(run_mode));
    if (status != 0) return status;
  }
  status = WriteNumber(512, 86, set, 2);  // I02 posi.encoder
  if (status != 0) return status;
  std::int64_t heartbeat = 0;  // A109 CAN heartbeat
  status = ReadInt(458, 20, set, &heartbeat);
  if (status != 0) return status;
  if (heartbeat < 1 && (status = WriteNumber(458, 20, set, 65535)) != 0) return status;
  if (letter > 'F') return 0;
  for (std::uint16_t s = 0; s < 2; ++s) {
    std::int64_t motor_encoder = 0;  // B26
    status = ReadInt(static_cast<std::uint16_t>(40 + s), 15, set, &motor_encoder);
    if (status != 0) return status;
    if (motor_encoder == 1 && (status = WriteNumber(static_cast<std::uint16_t>(34 + s), 63, set, 2)) != 0) {
      return status;  // H20 X20-function
    }
  }
  for (const std::uint16_t record : {34, 35}) {
    if ((status = WriteNumber(record, 62, set, 10)) != 0) return status;  // F25 AE1-function
  }
  return 0;
}

// G32 and G33 of one set at 1.5 times their speed, when G32 stands at its upper limit.
std::uint8_t ScaleReferenceSpeeds(std::uint16_t record, std::uint8_t set) {
  std::int64_t g32 = 0;
  std::uint8_t status = ReadInt(record, 54, set, &g32);
  if (status != 0) return status;
  alignas(8) std::array<std::uint8_t, 8> limit{};
  if (GetElementUpperLimit(record, 54, limit.data(), kModeRaw, set) != 0) return 0;
  if (g32 < LoadInteger(limit.data(), GetElementType(record, 54))) return 0;
  // Without pole pairs the speed converter shows a placeholder, not a speed: nothing to scale.
  if (GetDeviceFamily(set) != 2 && IntOr(record == 46 ? 42 : 43, 26, set, 0) == 0) return 0;
  for (const std::uint16_t element : {54, 56}) {
    double stored = 0.0;
    if ((status = ReadRawNumber(record, element, set, &stored)) != 0) return status;
    double shown = 0.0;
    if (ConverterTable()[kSpeedConverter](&stored, &shown, 0.0, kSpeedType, kSpeedDecimals, 1, set, record) != 0) {
      continue;
    }
    if ((status = WriteNumber(record, element, set, RoundValue(shown * 1.5))) != 0) return status;
  }
  return 0;
}

// Layouts 'H' and later.
std::uint8_t UpgradeFromH(std::uint8_t set, std::int64_t letter) {
  std::uint8_t status = 0;
  if (letter >= 'I') {
    for (const std::uint16_t record : {38, 39}) {
      std::int64_t c49 = 0;  // C49 standstill reaction
      if ((status = ReadInt(record, 60, set, &c49)) != 0) return status;
      if (c49 > 1 && (status = WriteNumber(record, 60, set, 0)) != 0) return status;
    }
  }
  if (letter == 'H' || letter == 'I') {
    for (const std::uint16_t record : {46, 47}) {
      std::int64_t g04 = 0;  // G04 PID-controller limit; G05 is its negative
      if ((status = ReadInt(record, 6, set, &g04)) != 0) return status;
      if ((status = WriteNumber(record, 48, set, static_cast<double>(-g04))) != 0) return status;
    }
  }
  if (letter >= 'H' && letter <= 'J') {
    for (const std::uint16_t record : {46, 47}) {
      if ((status = ScaleReferenceSpeeds(record, set)) != 0) return status;
    }
  }
  return 0;
}

}  // namespace

std::uint8_t UpgradeDataSetLayout(std::uint8_t set, std::uint8_t target) {
  if (target < '@') return 1;
  if (target > kCurrentLetter) return 0;
  std::int64_t letter = 0;
  if (ReadInt(kLayoutRecord, 0, set, &letter) != 0) return 3;
  CorrectEveryLayout(set, letter);
  if (letter == target) return 0;

  std::uint8_t status = 0;
  if (letter < '@') {
    status = MoveValuesToNewLayout(set);
  } else if (letter <= 'A') {
    status = MergeTerminalTexts(set);
  } else if (letter <= 'G') {
    status = UpgradeFromB(set, letter);
  } else {
    status = UpgradeFromH(set, letter);
  }
  // The data set now holds the target's layout: saved and opened again, it is not converted a second time.
  if (status == 0 && letter < target) status = WriteNumber(kLayoutRecord, 0, set, target);
  return status;
}

std::uint8_t ClearElementForOldVersions(std::uint8_t set) {
  std::int64_t board = 0;
  std::int64_t letter = 0;
  if (ReadInt(304, 3, set, &board) != 0 || ReadInt(kLayoutRecord, 0, set, &letter) != 0) return 2;
  if (letter > 'F') return 0;
  std::int64_t encoder = 0;  // I02 posi.encoder
  const std::uint8_t status = ReadInt(512, 86, set, &encoder);
  if (status != 0) return status;
  if (encoder == 0 || board == 1 || board == 2 || board == 6 || board == 7) return 0;
  return WriteNumber(512, 86, set, 0);
}

}  // namespace model
