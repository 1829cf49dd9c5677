// The language of the window layer's own texts (file dialog, message-box buttons, print and printer-setup
// dialogs, the window menu): German where the user's locale is German (the first of LC_ALL, LC_MESSAGES, LANG that is set
// begins with "de"), English otherwise; a program may set it itself.
#pragma once

#include <span>
#include <vector>

#include "platform/win/dialog_template.h"

namespace platform::win {

enum class LayerLanguage { kEnglish, kGerman };

// The language the environment asks for.
LayerLanguage LanguageOfEnvironment();
void SetLayerLanguage(LayerLanguage language);
LayerLanguage CurrentLayerLanguage();
// The text in the current language: a text of the layer's table in German, any other as it is.
const char* LayerText(const char* english);
// A dialog's rows with their texts in the current language.
std::vector<DialogItemTemplate> LayerItems(std::span<const DialogItemTemplate> items);

}  // namespace platform::win
