#include "model/message_dialog_layout.h"

#include <algorithm>

namespace model {

MessageTextShape ShapeOfMessageText(std::string_view text) {
  MessageTextShape shape;
  shape.total = static_cast<int>(text.size());
  int line = 0;
  for (char c : text) {
    if (c == '\n') {
      ++shape.lines;
      line = 0;
    } else {
      shape.longest = std::max(shape.longest, ++line);
    }
  }
  return shape;
}

MessageDialogLayout LayoutMessageDialog(const MessageTextShape& shape, const MessageDialogMetrics& m) {
  MessageDialogLayout out;
  const int h = static_cast<int>(m.text_extent.cy * (shape.lines + 1) * 1.5);
  // The text's width share of its longest line; an empty text counts as one empty line (no division by zero).
  const long long base = static_cast<long long>(m.text_extent.cx) + 80;
  const int w = shape.total > 0 ? static_cast<int>(base * shape.longest / shape.total) : static_cast<int>(base);
  out.text_width = w;
  out.text_height = h;

  const int width = std::max(std::max(w, m.title_width) + 20, 2 * static_cast<int>(m.button.cx));
  const int height = m.notice ? h + 10 : 2 * static_cast<int>(m.button.cy) + h + 20;

  const int owner_width = m.owner.right - m.owner.left;
  const int owner_height = m.owner.bottom - m.owner.top;
  int x = m.owner.left + (owner_width - width) / 2;
  int y = m.owner.top + (owner_height - height) / 2;
  x = std::max(0, std::min(x, m.screen_width - width));
  y = std::max(0, std::min(y, m.screen_height - m.present_height));
  out.dialog = RECT{x, y, x + width, y + height};

  const int bw = m.button.cx;
  const int button_top = static_cast<int>(height - 2.5 * m.button.cy);
  if (m.has_button2) {
    const int b = (width - 2 * bw) / 3 - m.frame_width;
    out.button1 = POINT{b, button_top};
    out.button2 = POINT{2 * b + bw, button_top};
  } else {
    out.button1 = POINT{(width - bw) / 2 - m.frame_width, button_top};
  }

  const int text_left = (width - w + 80) / 2 - 25;
  const int text_height = m.notice ? h : static_cast<int>(h * 0.65);
  out.text = RECT{text_left, 20, text_left + w + 15, 20 + text_height};
  return out;
}

}  // namespace model
