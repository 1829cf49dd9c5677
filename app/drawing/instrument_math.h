// Helpers of the instrument widgets: range checks, rounding to drawing coordinates and number texts that do
// not follow the process locale.
#pragma once

#include <string>

namespace app::instrument {

// A range the widgets can divide by: finite ends, maximum above minimum, a finite span.
bool UsableRange(double minimum, double maximum);
// Rounded to the nearest integer and held in the 16-bit coordinate range (a NaN gives 0).
int RoundToCoord(double v);
// printf's "%<width>.<precision>f" and "%.<precision>g" in the C locale.
std::string FormatFixed(double v, int width, int precision);
std::string FormatGeneral(double v, int precision);

}  // namespace app::instrument
