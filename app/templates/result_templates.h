// Dialog templates 29 (the comparison result) and 42 (the input-check result): a count, a multi-line list and OK.
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kComparisonTemplate = 29;
inline constexpr int kComparisonHeading = 705;
inline constexpr int kComparisonList = 706;
inline constexpr int kComparisonCount = 707;
inline constexpr int kComparisonCountLabel = 708;

inline constexpr int kInputCheckTemplate = 42;
inline constexpr int kInputCheckCount = 1064;
inline constexpr int kInputCheckList = 1065;
inline constexpr int kInputCheckHeading = 1066;

const DialogTemplate& ComparisonTemplate();
const DialogTemplate& InputCheckTemplate();

}  // namespace app
