// X keysyms to virtual keys and Windows-1252 characters.
#include <gtest/gtest.h>

#include "platform/backend/x11_keys.h"

namespace {

TEST(X11Keys, KeysymsMapToVirtualKeysOrCharacters) {
  using platform::backend::CharOfKeysym;
  using platform::backend::VirtualKeyOfKeysym;
  EXPECT_EQ(VirtualKeyOfKeysym('a'), 'A');
  EXPECT_EQ(VirtualKeyOfKeysym('Z'), 'Z');
  EXPECT_EQ(VirtualKeyOfKeysym('7'), '7');
  EXPECT_EQ(VirtualKeyOfKeysym(0xFF0D), 0x0D);  // Return
  EXPECT_EQ(VirtualKeyOfKeysym(0xFFBF), 0x71);  // F2
  EXPECT_EQ(VirtualKeyOfKeysym(0xFF54), 0x28);  // Down
  EXPECT_EQ(VirtualKeyOfKeysym(0x00E4), 0);     // a-umlaut has no key code: it comes as a character
  EXPECT_EQ(CharOfKeysym(0x00E4), 0xE4);
  EXPECT_EQ(CharOfKeysym(0x00B5), 0xB5);        // micro sign
  EXPECT_EQ(CharOfKeysym(0x20AC), 0x80);        // euro sign
  EXPECT_EQ(CharOfKeysym(0x1002013), 0x96);     // en dash as a Unicode keysym
  EXPECT_EQ(CharOfKeysym(0x1004E00), -1);
  EXPECT_EQ(CharOfKeysym(0xFF0D), -1);
}

}  // namespace
