// Measurements of a trace between a marker's points A and B: eleven results by type code, each as one line of
// text in English. The indexes are the samples at A's and B's times; a result needs them inside the recording.
#pragma once

#include <string>

#include "scope/core/marker.h"
#include "scope/core/trace.h"

namespace scope {

inline constexpr int kMeasurementCount = 11;

enum MeasurementCode {
  kInterval = 0,
  kValueInA,
  kValueInB,
  kValueDifference,
  kGradient,
  kAverage,
  kIntegral,
  kMinimum,
  kMaximum,
  kRms,
  kStandardDeviation,
};

// The text of one measurement of a time marker's A and B (microseconds from the trigger) on a trace. A trace
// without samples and an unknown code give ""; A or B unset, or outside the samples, give the "---" texts.
std::string MeasurementText(const Trace& trace, int marker_number, double a_time, double b_time, int code);

// The same for a marker, with its offset added when the trace asks for it; a value marker measures nothing.
std::string MeasurementText(const Trace& trace, const Marker& marker, bool with_offset, int code);

}  // namespace scope
