// The text clipboard and the primary selection that edits copy to and paste from; the text is Windows-1252 bytes.
// Without a display both are kept in the process. A display backend takes them over, so that the text goes to and
// comes from the other programs on the screen.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform::win {

enum class Selection { kClipboard, kPrimary };

struct SelectionBackend {
  // The program offers text: from now on it owns that selection.
  std::function<void(Selection, const std::string& text)> offer;
  // The text the selection's owner gives; nothing when there is no owner or it has no text.
  std::function<std::optional<std::string>(Selection)> fetch;
};
// Installs a backend; an empty one puts the selections back into the process.
void SetSelectionBackend(SelectionBackend backend);

void SetSelectionText(Selection which, std::string text);
// Empty when the selection holds no text.
std::string SelectionText(Selection which);

}  // namespace platform::win
