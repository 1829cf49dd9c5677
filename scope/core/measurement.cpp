#include "scope/core/measurement.h"

#include <cmath>
#include <cstdint>

#include "platform/afx/string_format.h"
#include "scope/core/lang_texts.h"

namespace scope {

namespace {

// The language rows of each code: the valid text, then the "---" text. The gradient and integral have three
// valid forms, chosen by size.
struct Rows {
  int valid;
  int none;
};
constexpr Rows kRows[kMeasurementCount] = {
    {353, 354}, {365, 366}, {367, 368}, {363, 364}, {346, 345}, {343, 344},
    {350, 349}, {357, 358}, {355, 356}, {359, 360}, {361, 362},
};
constexpr int kGradientPerSecond = 347;
constexpr int kGradientPerMicrosecond = 348;
constexpr int kIntegralSeconds = 351;
constexpr int kIntegralMicroseconds = 352;

const char* Text(int row) { return GetLangText(row, kLibraryLanguage); }

bool SampleIndex(const Trace& t, double time, std::uint32_t* index) {
  return !IsUnset(time) && t.IndexAt(time, index);
}

}  // namespace

std::string MeasurementText(const Trace& t, int marker_number, double a_time, double b_time, int code) {
  if (t.samples.empty() || code < 0 || code >= kMeasurementCount) return {};
  const Rows rows = kRows[code];
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  const bool a_valid = SampleIndex(t, a_time, &a);
  const bool valid = a_valid && SampleIndex(t, b_time, &b);
  if (code == kValueInA || code == kValueInB) {
    const bool ok = code == kValueInA ? a_valid : valid;
    if (!ok) return afx::Format(Text(rows.none), marker_number);
    const double v = t.samples[code == kValueInA ? a : b];
    return afx::Format(Text(rows.valid), marker_number, ChannelValueText(v, t.key, t.decimals).c_str(),
                       t.unit.c_str());
  }
  if (!valid) return Text(rows.none);

  const auto time_of = [&](std::uint32_t i) { return static_cast<double>(i) * t.time_base; };
  const auto label = [&](double us) { return MakeTimeLabel(us, t.time_base).Joined(); };
  const auto value = [&](double v) { return ChannelValueText(v, t.key, t.decimals); };
  const char* unit = t.unit.c_str();
  // The sums run from A to B; B before A (a value marker cannot be, times are ordered) sums nothing.
  const double n = static_cast<double>(b) - static_cast<double>(a) + 1;
  double sum = 0;
  double squares = 0;
  for (std::uint32_t i = a; i <= b && b >= a; ++i) {
    sum += t.samples[i];
    squares += t.samples[i] * t.samples[i];
  }
  switch (code) {
    case kInterval:
      return afx::Format(Text(rows.valid), label(time_of(a)).c_str(), label(time_of(b)).c_str(),
                         label(time_of(b) - time_of(a)).c_str());
    case kValueDifference:
      return afx::Format(Text(rows.valid), value(t.samples[b] - t.samples[a]).c_str(), unit);
    case kGradient: {
      const double dt = time_of(b) - time_of(a);
      if (!(dt > 0)) return Text(rows.none);
      const double g = (t.samples[b] - t.samples[a]) / dt;  // units per microsecond
      if (g < 0.001) return afx::Format(Text(kGradientPerSecond), g * 1000000, unit);
      if (g >= 1) return afx::Format(Text(kGradientPerMicrosecond), g, unit);
      return afx::Format(Text(rows.valid), g * 1000, unit);
    }
    case kAverage:
      return afx::Format(Text(rows.valid), value(n > 0 ? sum / n : 0).c_str(), unit);
    case kIntegral: {
      // The area under the samples: each sample stands for one time base (unit x microseconds).
      const double d = sum * t.time_base;
      if (std::fabs(d) > 1000000) return afx::Format(Text(kIntegralSeconds), d * 0.000001, unit);
      if (std::fabs(d) > 1000) return afx::Format(Text(rows.valid), d * 0.001, unit);
      return afx::Format(Text(kIntegralMicroseconds), d, unit);
    }
    case kMinimum:
    case kMaximum: {
      std::uint32_t best = a;
      for (std::uint32_t i = a + 1; i <= b; ++i)
        if (code == kMinimum ? t.samples[i] < t.samples[best] : t.samples[i] > t.samples[best]) best = i;
      return afx::Format(Text(rows.valid), value(t.samples[best]).c_str(), unit, label(time_of(best)).c_str());
    }
    case kRms:
      return afx::Format(Text(rows.valid), value(n > 0 ? std::sqrt(squares / n) : 0).c_str(), unit);
    case kStandardDeviation: {
      const double mean = n > 0 ? sum / n : 0;
      double deviations = 0;
      for (std::uint32_t i = a; i <= b; ++i) deviations += (t.samples[i] - mean) * (t.samples[i] - mean);
      return afx::Format(Text(rows.valid), n > 0 ? std::sqrt(deviations / n) : 0.0, unit);
    }
    default: return {};
  }
}

std::string MeasurementText(const Trace& t, const Marker& m, bool with_offset, int code) {
  if (!m.time_marker) return MeasurementText(t, m.number, kUnsetValue, kUnsetValue, code);
  return MeasurementText(t, m.number, with_offset ? m.AWithOffset() : m.a, with_offset ? m.BWithOffset() : m.b, code);
}

}  // namespace scope
