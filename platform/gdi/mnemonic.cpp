#include "platform/gdi/mnemonic.h"

namespace platform::gdi {

MnemonicText StripMnemonic(std::string_view s) {
  MnemonicText l;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != '&' && l.mnemonic == std::string::npos) l.mnemonic = l.text.size();
    }
    l.text += s[i];
  }
  return l;
}

}  // namespace platform::gdi
