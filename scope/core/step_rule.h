// The 1-2-5 sequence of scale steps (..., 0.5, 1, 2, 5, 10, 20, ...) and snapping logical positions to the grid.
#pragma once

namespace scope {

enum class StepDirection { kUp, kDown };

// The next step of the sequence above or below x. The mantissa is rounded (half away from zero) before the step,
// so 1.4 goes up to 2 but 1.5 up to 5; x <= 0 counts as mantissa 0 at exponent 0 (up gives 2).
double NextStep(double x, StepDirection direction);

// A logical position (1000 per division) moved to the grid of k subdivisions per division: k > 0 up to the next
// multiple of 1000 / k (a multiple stays), k < 0 down to the previous one (likewise a multiple stays); k = 0 leaves it.
int SnapToGrid(int position, int k);

}  // namespace scope
