// The rule stage of the input check: combinations of parameters that no single range can see.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/input_check_report.h"
#include "model/raw_number.h"
#include "model/value_converters.h"

namespace model::input_check {
namespace {

constexpr std::string_view kEncoderIncrementsText = "F36 encoder-increment too high for C01 n-Max";
constexpr std::string_view kVectorFeedbackText = "F34 o.F35 not correct for B20=2:vect.feedback";
constexpr std::string_view kDirectionInputsText =
    "If one BE is set to '14: ccw V3.2' then the other BE has to be set to '14: cw V3.2' an no BE has set to "
    "'6:dirOfRotat', '8:halt' or '9:quick stop'!";
constexpr std::string_view kX20FunctionText =
    "Error in parametrisation of H20 X20-Function. Function does't fit to zu B26 motor-encoder or G27 "
    "synchron-encoder or I02 posi.encoder";
constexpr std::string_view kEncoderConflictText =
    "conflict at encoder-access or error at parametrisation of SinCos-Encoder: check H20, H40, B26, F31, F32!";
constexpr std::string_view kBinaryEncoderText =
    "BE encoder: If by ZPR B20=2 setted, encodersignal has to acchive to BE1/2 or optional board. By QWM "
    "F31/F32 don't match to G27 or I02 (If G27 or I02=0, F31/32 has set to encoder, if G27 or I01=1, F31/32 "
    "must not encoder!)";
constexpr std::string_view kAnalogInputsText = "F20 AE2-Funktion mu\xDF anders als F25 AE1-Funktion parametriert sein";
constexpr std::string_view kHint = "Hint: ";
constexpr std::string_view kNominalCurrentText = "B12 I-nominal is higher then ZPR-device nominal current";
constexpr std::string_view kTargetWindowText =
    "I22 target window is greater or equal as I23 dead band pos. control. This may cause trouble by positioning.";
constexpr std::string_view kCircularLengthText =
    "I01 circular length is zero or after calculation in internal increments zu high. Change I01 or I07, I08!";

constexpr std::uint16_t kPositioningRecord = 512;

bool OneOf(std::int64_t v, std::initializer_list<std::int64_t> values) {
  for (const std::int64_t x : values) {
    if (v == x) return true;
  }
  return false;
}

// Raw reads that remember the first failure: the rules of families 1 and 3 end the check with it.
class Reader {
 public:
  explicit Reader(std::uint8_t set) : set_(set) {}
  std::int64_t operator()(std::uint16_t record, std::uint16_t element) {
    std::int64_t v = 0;
    const std::uint8_t s = ReadRawInteger(record, element, set_, &v);
    if (s != 0 && status_ == 0) status_ = s;
    return s == 0 ? v : 0;
  }
  std::uint8_t status() const { return status_; }

 private:
  std::uint8_t set_;
  std::uint8_t status_ = 0;
};

// The elements of one parameter set: set 1 in the named record, set 2 in the next.
struct SetRecords {
  std::uint16_t terminals;  // 34
  std::uint16_t machine;    // 38
  std::uint16_t control;    // 40
  std::uint16_t motor;      // 42
  std::uint16_t technology; // 46
  std::uint16_t options;    // 59
};
SetRecords RecordsOf(std::uint16_t s) {
  return {static_cast<std::uint16_t>(34 + s), static_cast<std::uint16_t>(38 + s), static_cast<std::uint16_t>(40 + s),
          static_cast<std::uint16_t>(42 + s), static_cast<std::uint16_t>(46 + s), static_cast<std::uint16_t>(59 + s)};
}

bool DirectionInputsWrong(std::int64_t a, std::int64_t b, std::initializer_list<std::int64_t> others) {
  if (a != 14 && b != 14) return false;
  if (a != 14 || b != 14) return true;
  for (const std::int64_t o : others) {
    if (OneOf(o, {6, 8, 9})) return true;
  }
  return false;
}

// Families 1 and 3: each rule for set 1, then set 2; a failed read ends the check.
std::uint8_t CheckVectorRules(std::uint8_t set, Report& report) {
  Reader read(set);
  std::uint8_t status = 0;
  auto add = [&](std::uint16_t s, std::string_view text) {
    if (read.status() == 0 && status == 0) status = report.Add(SetPrefix(s), text);
  };
  auto feedback = [&](const SetRecords& r) { return read(r.control, 6) == 2 && read(r.control, 15) == 0; };

  for (std::uint16_t s = 0; s < 2 && status == 0; ++s) {  // 1: encoder increments against n-Max
    const SetRecords r = RecordsOf(s);
    const bool vector_feedback = feedback(r);
    const double p = static_cast<double>(read(r.motor, 26));
    const double n = static_cast<double>(read(r.machine, 2));
    const double inc = static_cast<double>(read(r.terminals, 30));
    if (read.status() != 0) return read.status();
    // Without pole pairs the increments per revolution cannot be judged: that counts as too high.
    if (vector_feedback && (p == 0.0 || n * inc / p > 6553600.0)) add(s, kEncoderIncrementsText);
  }
  for (std::uint16_t s = 0; s < 2 && status == 0; ++s) {  // 2: inputs of the vector feedback
    const SetRecords r = RecordsOf(s);
    const bool vector_feedback = feedback(r);
    const std::int64_t f34 = read(r.terminals, 22);
    const std::int64_t f35 = read(r.terminals, 23);
    if (read.status() != 0) return read.status();
    if (vector_feedback && (f34 != 14 || f35 != 15)) add(s, kVectorFeedbackText);
  }
  for (std::uint16_t s = 0; s < 2 && status == 0; ++s) {  // 3: direction inputs
    const SetRecords r = RecordsOf(s);
    const std::int64_t f31 = read(r.terminals, 19);
    const std::int64_t f32 = read(r.terminals, 20);
    const std::int64_t f33 = read(r.terminals, 21);
    const std::int64_t f34 = read(r.terminals, 22);
    const std::int64_t f35 = read(r.terminals, 23);
    if (read.status() != 0) return read.status();
    if (DirectionInputsWrong(f31, f32, {f33, f34, f35})) add(s, kDirectionInputsText);
  }
  const std::uint16_t identity = GetFileTypeCode(set) == kFileKindReverseDoc ? 5 : 304;
  for (std::uint16_t s = 0; s < 2 && status == 0; ++s) {  // 4: X20 function
    const SetRecords r = RecordsOf(s);
    const std::int64_t board = read(identity, 3);
    const std::int64_t ctl = read(r.control, 6);
    const std::int64_t me = read(r.control, 15);
    const std::int64_t x20 = read(r.terminals, 63);
    const std::int64_t gear = read(r.technology, 9);
    const std::int64_t sync = read(r.technology, 40);
    const std::int64_t run = read(r.machine, 56);
    const std::int64_t pe = read(kPositioningRecord, 86);
    if (read.status() != 0) return read.status();
    const bool wrong = (ctl > 1 && me != 0 && !OneOf(x20, {1, 2, 3, 5})) ||
                       (gear != 0 && sync == 1 && !OneOf(x20, {2, 3, 5})) ||
                       (run > 1 && pe == 1 && !OneOf(x20, {2, 3, 5}));
    if (OneOf(board, {5, 6, 7}) && wrong) add(s, kX20FunctionText);
  }
  return status;
}

enum class Finding : std::uint8_t { kNone, kConflict, kBinaryEncoder };

// The values the encoder rules of family 2 look at, for one parameter set.
struct EncoderValues {
  std::int64_t me, f31, f32, x20, x41;
  bool EncoderInput(std::int64_t f) const { return f == 14 || f == 15; }
  bool AnyEncoderInput() const { return EncoderInput(f31) || EncoderInput(f32); }
};

// The finding for an encoder source: 0 binary inputs, 1 the X20 port, 2 the X41 port.
Finding BySource(std::int64_t source, const EncoderValues& v) {
  switch (source) {
    case 0:
      if (v.me == 3 || OneOf(v.x20, {2, 3}) || v.x41 != 0) return Finding::kConflict;
      return v.EncoderInput(v.f31) && v.EncoderInput(v.f32) ? Finding::kNone : Finding::kBinaryEncoder;
    case 1:
      if ((v.me == 3 && v.x20 != 5) || !OneOf(v.x20, {2, 3, 5}) || (v.x41 != 0 && v.x20 != 5)) {
        return Finding::kConflict;
      }
      return v.AnyEncoderInput() ? Finding::kBinaryEncoder : Finding::kNone;
    case 2:
      if (v.me == 3 || v.AnyEncoderInput() || OneOf(v.x20, {2, 3}) || !OneOf(v.x41, {2, 3})) {
        return Finding::kConflict;
      }
      return Finding::kNone;
    default: return Finding::kNone;
  }
}

Finding ByEncoderPair(bool first, bool second, const EncoderValues& v) {
  if (first && second) return OneOf(v.x20, {2, 3}) || v.x41 != 0 ? Finding::kConflict : Finding::kNone;
  return first || second ? Finding::kBinaryEncoder : Finding::kNone;
}

// Family 2: all rules for set 1, then for set 2; reads that fail count as 0.
std::uint8_t CheckServoRules(std::uint8_t set, Report& report) {
  Reader read(set);
  for (std::uint16_t s = 0; s < 2; ++s) {
    const SetRecords r = RecordsOf(s);
    const EncoderValues v{read(r.control, 15), read(r.terminals, 19), read(r.terminals, 20), read(r.terminals, 63),
                          read(r.options, 9)};
    const std::int64_t f33 = read(r.terminals, 21);
    const std::int64_t f34 = read(r.terminals, 22);
    const std::int64_t gear = read(r.technology, 9);
    const std::int64_t sync = read(r.technology, 40);
    const std::int64_t run = read(r.machine, 56);
    const std::int64_t pe = read(kPositioningRecord, 86);
    const std::int64_t ae2 = read(r.terminals, 24);
    const std::int64_t ae1 = read(r.terminals, 62);

    auto add = [&](Finding finding) -> std::uint8_t {
      switch (finding) {
        case Finding::kConflict: return report.Add(SetPrefix(s), kEncoderConflictText);
        case Finding::kBinaryEncoder: return report.Add(SetPrefix(s), kBinaryEncoderText);
        case Finding::kNone: return 0;
      }
      return 0;
    };
    std::uint8_t status = 0;
    if (v.me == 3 && (v.AnyEncoderInput() || OneOf(v.x20, {2, 3}) || v.x41 != 1)) status = add(Finding::kConflict);
    if (status == 0 && gear != 0) status = add(BySource(sync, v));
    if (status == 0 && OneOf(run, {2, 3})) {
      constexpr std::int64_t kSourceOfEncoder[4] = {0, 1, -1, 2};  // I02 0, 1, 3 as G27 0, 1, 2; 2 none
      if (pe >= 0 && pe <= 3) status = add(BySource(kSourceOfEncoder[pe], v));
    }
    if (status == 0) status = add(ByEncoderPair(v.f31 == 14, v.f32 == 15, v));
    if (status == 0) status = add(ByEncoderPair(v.f31 == 15, v.f32 == 14, v));
    if (status == 0 && DirectionInputsWrong(f33, f34, {v.f31, v.f32})) {
      status = report.Add(SetPrefix(s), kDirectionInputsText);
    }
    if (status == 0 && ae2 == ae1 && ae2 != 0) status = report.Add(SetPrefix(s), kAnalogInputsText);
    if (status != 0) return status;
  }
  return 0;
}

// Every family: nominal current, positioning window and circular length.
std::uint8_t CheckHints(std::uint8_t set, Report& report) {
  const double nominal = static_cast<double>(GetDeviceNominalCurrent(set));
  constexpr double kPercentOfNominal[2] = {110.0, 105.0};  // B12 is held in hundredths of an ampere
  for (std::uint16_t s = 0; s < 2; ++s) {
    std::int64_t current = 0;
    const std::uint8_t read = ReadRawInteger(static_cast<std::uint16_t>(42 + s), 4, set, &current);
    if (read != 0) return read;
    if (static_cast<double>(current) > nominal * kPercentOfNominal[s]) {
      std::string_view prefix = s == 0 ? "Hint: P1." : "Hint: P2.";
      const std::uint8_t status = report.Add(prefix, kNominalCurrentText);
      if (status != 0) return status;
    }
  }

  std::int64_t window = 0;
  std::int64_t dead_band = 0;
  std::uint8_t read = ReadRawInteger(kPositioningRecord, 12, set, &window);
  if (read == 0) read = ReadRawInteger(kPositioningRecord, 92, set, &dead_band);
  if (read != 0) return read;
  if (window >= dead_band) {
    const std::uint8_t status = report.Add(kHint, kTargetWindowText);
    if (status != 0) return status;
  }

  std::int64_t length = 0;
  std::int64_t denominator = 0;
  std::int64_t numerator = 0;
  ReadRawInteger(kPositioningRecord, 48, set, &length);
  ReadRawInteger(kPositioningRecord, 56, set, &denominator);
  ReadRawInteger(kPositioningRecord, 52, set, &numerator);
  std::uint32_t motor_increments = 0;
  std::uint32_t position_increments = 0;
  GetEncoderIncrements(&motor_increments, &position_increments, set, 0);
  // In double: the product of three 32-bit values overflows any integer; no numerator counts as too high.
  const double internal = static_cast<double>(position_increments) * static_cast<double>(denominator) *
                          static_cast<double>(length);
  const double num = std::fabs(static_cast<double>(numerator));
  if (length == 0 || num == 0.0 || internal / num > 2147483647.0) return report.Add({}, kCircularLengthText);
  return 0;
}

}  // namespace

std::uint8_t CheckRules(std::uint8_t set, Report& report) {
  const std::uint8_t rules =
      GetDeviceFamily(set) == 2 ? CheckServoRules(set, report) : CheckVectorRules(set, report);
  if (rules != 0) return rules;
  return CheckHints(set, report);
}

}  // namespace model::input_check
