// Geometry of the message dialogs: the dialog is sized to its text and title, placed over its owner within
// the screen, and its buttons and text control are moved to fit. All values in pixels, fractions cut off.
#pragma once

#include <string_view>

#include "platform/sys/wintypes.h"

namespace model {

struct MessageTextShape {
  int lines = 1;    // 1 + the number of line feeds
  int longest = 0;  // characters of the longest line
  int total = 0;    // characters of the whole text
};

MessageTextShape ShapeOfMessageText(std::string_view text);

struct MessageDialogMetrics {
  SIZE text_extent{};   // the whole text measured as one line
  int title_width = 0;  // extent of the title
  SIZE button{};        // size of button 1 (button 2 has the same)
  bool has_button2 = false;
  bool notice = false;  // the modeless notice
  int frame_width = 0;  // the system's frame width
  RECT owner{};         // the owner window's rectangle on the screen
  int screen_width = 0;
  int screen_height = 0;
  int present_height = 0;  // the dialog's height before it is resized
};

struct MessageDialogLayout {
  RECT dialog{};  // left, top, right, bottom on the screen
  POINT button1{};
  POINT button2{};
  RECT text{};    // control 100 in the dialog's client area
  int text_width = 0;   // w
  int text_height = 0;  // h
};

MessageDialogLayout LayoutMessageDialog(const MessageTextShape& shape, const MessageDialogMetrics& metrics);

}  // namespace model
