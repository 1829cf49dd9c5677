// The library's language table: 497 rows addressed 0..496, a German and an English column. Only the rows the
// library shows hold text; every other row (and a row outside 0..496) is the empty text.
#pragma once

namespace scope {

inline constexpr int kLangRows = 497;
// The language code the library always asks with (English).
inline constexpr int kLibraryLanguage = 255;
inline constexpr int kRowAllocationFailed = 125;
inline constexpr int kRowNoValue = 370;  // "???"
inline constexpr int kRowMeasureTitle = 372;  // the measurement window's caption

// The text of a row: codes 0 and 1 choose German, every other code English. Never null.
const char* GetLangText(int row, int language_code);

}  // namespace scope
