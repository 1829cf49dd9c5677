#include "platform/win/layer_texts.h"

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace platform::win {
namespace {

struct LayerTextRow {
  const char* english;
  const char* german;
};

constexpr LayerTextRow kLayerTexts[] = {
#define LAYER_TEXT(english, german) {english, german},
#include "platform/win/layer_texts.def"
#undef LAYER_TEXT
};
static_assert(std::size(kLayerTexts) == 34);

// -1 until the environment was read or a program chose.
std::atomic<int> g_language{-1};

}  // namespace

LayerLanguage LanguageOfEnvironment() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (!value || !*value) continue;
    return std::strncmp(value, "de", 2) == 0 ? LayerLanguage::kGerman : LayerLanguage::kEnglish;
  }
  return LayerLanguage::kEnglish;
}

void SetLayerLanguage(LayerLanguage language) { g_language = static_cast<int>(language); }

LayerLanguage CurrentLayerLanguage() {
  int language = g_language.load();
  if (language < 0) {
    language = static_cast<int>(LanguageOfEnvironment());
    g_language = language;
  }
  return static_cast<LayerLanguage>(language);
}

const char* LayerText(const char* english) {
  if (!english || CurrentLayerLanguage() == LayerLanguage::kEnglish) return english;
  for (const LayerTextRow& row : kLayerTexts)
    if (std::strcmp(row.english, english) == 0) return row.german;
  return english;
}

std::vector<DialogItemTemplate> LayerItems(std::span<const DialogItemTemplate> items) {
  std::vector<DialogItemTemplate> out(items.begin(), items.end());
  for (DialogItemTemplate& item : out) item.text = LayerText(item.text);
  return out;
}

}  // namespace platform::win
