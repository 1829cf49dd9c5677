#include "scope/core/lang_texts.h"

#include <array>

namespace scope {
namespace {

struct LangRow {
  const char* german = "";
  const char* english = "";
};

constexpr std::array<LangRow, kLangRows> BuildTable() {
  std::array<LangRow, kLangRows> table{};
#define LANG_ROW(row, german, english) table[row] = LangRow{german, english};
#include "scope/data/lang_texts.def"
#undef LANG_ROW
  return table;
}
constexpr std::array<LangRow, kLangRows> kTable = BuildTable();

}  // namespace

const char* GetLangText(int row, int language_code) {
  if (row < 0 || row >= kLangRows) return "";
  const LangRow& r = kTable[static_cast<std::size_t>(row)];
  return (language_code == 0 || language_code == 1) ? r.german : r.english;
}

}  // namespace scope
