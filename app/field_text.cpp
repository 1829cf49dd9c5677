// Writing a short text over the start of a control's text.
#include "app/field_text.h"

#include <array>
#include <cstring>
#include <string>

namespace app {

void SetFieldText4(HWND dialog, int id, const char* text) {
  constexpr std::size_t kWidth = 4;
  std::array<char, 256> current{};
  GetDlgItemText(dialog, id, current.data(), static_cast<int>(current.size()));
  std::string shown(text != nullptr ? text : "");
  shown.resize(kWidth, ' ');
  const std::size_t length = std::strlen(current.data());
  if (length > kWidth) shown.append(current.data() + kWidth, length - kWidth);
  SetDlgItemText(dialog, id, shown.c_str());
}

}  // namespace app
