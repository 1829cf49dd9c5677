// GetEncoderIncrements: the motor and position encoder resolutions from the encoder selections of a
// parameter set.
#include <algorithm>

#include "model/converter_support.h"
#include "model/device_identity.h"
#include "model/value_converters.h"

namespace model {
namespace {

constexpr std::int64_t kFamily2MotorIncrements = 16384;
constexpr std::int64_t kFixedIncrements = 4096;
constexpr std::int64_t kSaturatedSsiIncrements = 32767;

// The governing elements, each 0 when its read fails.
struct EncoderSettings {
  std::int64_t a = 0;      // "F36 BE4/5-increment"
  std::int64_t b = 0;      // "H22 X20-increments"
  std::int64_t x20 = 0;    // "H20 X20-function"
  std::int64_t c = 0;      // "H41 X41-increments"
  std::int64_t x41 = 0;    // "H40 X41-function"
  std::int64_t run = 0;    // "C60 run mode"
  std::int64_t me = 0;     // "B26 motor-encoder"
  std::int64_t pe = 0;     // "I02 posi.encoder"
  std::int64_t gear = 0;   // "G20 electronic gear"
  std::int64_t board = 0;  // "P02 option-board"
  std::int64_t ctl = 0;    // "B20 control mode"
  std::int64_t ssi = 0;    // "H62 SSI-data bits"
};

EncoderSettings ReadSettings(std::uint8_t set, bool second) {
  EncoderSettings s;
  const std::uint16_t inputs = second ? 35 : 34;
  const std::uint16_t options = second ? 60 : 59;
  const std::uint16_t control = second ? 39 : 38;
  const std::uint16_t motor = second ? 41 : 40;
  const std::uint16_t gear = second ? 47 : 46;
  ReadGoverning(inputs, 30, set, &s.a);
  ReadGoverning(inputs, 54, set, &s.b);
  ReadGoverning(inputs, 63, set, &s.x20);
  ReadGoverning(options, 10, set, &s.c);
  ReadGoverning(options, 9, set, &s.x41);
  ReadGoverning(control, 56, set, &s.run);
  ReadGoverning(motor, 15, set, &s.me);
  ReadGoverning(512, 86, set, &s.pe);
  ReadGoverning(gear, 9, set, &s.gear);
  ReadGoverning(IdentityRecord(set, IdentitySource::kRecord5ForReverseDoc), 3, set, &s.board);
  ReadGoverning(motor, 6, set, &s.ctl);
  ReadGoverning(options, 16, set, &s.ssi);
  return s;
}

std::int64_t SsiIncrements(std::int64_t b) { return b < 4096 ? b * 8 : kSaturatedSsiIncrements; }

// Encoder selection 1 names the X20 input, the board's own input or the option board's.
std::int64_t Source(std::int64_t selection, const EncoderSettings& s) {
  if (selection != 1) return selection;
  if (s.x20 == 5) return 4;
  return s.board <= 2 ? 1 : 5;
}

// Increments of a source; a source without increments of its own gives fallback.
std::int64_t SourceIncrements(std::int64_t source, const EncoderSettings& s, std::int64_t fallback) {
  switch (source) {
    case 0: return s.a * 4;
    case 1: case 5: return s.b * 4;
    case 4: return SsiIncrements(s.b);
    default: return fallback;
  }
}

bool HasOwnIncrements(std::int64_t source) { return source == 0 || source == 1 || source == 4 || source == 5; }

std::uint32_t Unsigned32(std::int64_t v) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 0xFFFFFFFFLL));
}

}  // namespace

void GetEncoderIncrements(std::uint32_t* motorIncrements, std::uint32_t* positionIncrements, std::uint8_t set,
                          std::uint8_t parameterSet) {
  const EncoderSettings s = ReadSettings(set, parameterSet == 1);
  std::int64_t motor = 0;
  std::int64_t position = 0;
  if (GetDeviceFamily(set) == 2) {
    motor = kFamily2MotorIncrements;
    switch (s.pe) {
      case 0: position = s.a * 4; break;
      case 1: position = (s.x20 == 5 && s.ssi == 25) ? SsiIncrements(s.b) : s.b * 4; break;
      case 3: position = s.x41 == 1 ? kFamily2MotorIncrements : s.c * 4; break;
      default: position = kFamily2MotorIncrements; break;
    }
  } else {
    const std::int64_t m = Source(s.me, s);
    const std::int64_t p = s.pe == 2 ? m : Source(s.pe, s);
    motor = SourceIncrements(m, s, s.a * 4);
    if (s.run >= 2) {
      position = s.ctl == 1 ? kFixedIncrements : SourceIncrements(p, s, motor);
    } else if (s.gear == 0) {
      position = motor;
      if ((m == 0 || !HasOwnIncrements(m)) && s.ctl == 1) motor = position = kFixedIncrements;
    } else {
      // The electronic gear: the position follows the motor encoder.
      if (s.ctl == 1) motor = kFixedIncrements;
      position = motor;
    }
  }
  *motorIncrements = Unsigned32(motor);
  *positionIncrements = Unsigned32(position);
}

}  // namespace model
