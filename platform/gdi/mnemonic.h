// Texts with access keys: "&" marks the character after it (the first mark counts, it is underlined), "&&"
// stands for one "&", and an "&" at the very end is shown as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::gdi {

struct MnemonicText {
  std::string text;                          // the text as shown
  std::size_t mnemonic = std::string::npos;  // the marked character in it; npos when none
};

MnemonicText StripMnemonic(std::string_view marked);

}  // namespace platform::gdi
