// The language of the layer's own texts: read from LC_ALL, LC_MESSAGES and LANG (the first one set decides;
// German for de_*), set by a program; the message-box buttons, the file dialog, the print dialog and the window
// menu follow it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/dialog.h"
#include "platform/win/layer_texts.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;
using platform::win::LayerLanguage;

// Sets the three variables for the test and puts them back after it.
class Environment {
 public:
  Environment(const char* all, const char* messages, const char* lang) {
    for (const char* name : kNames) {
      const char* v = std::getenv(name);
      saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
    }
    Set("LC_ALL", all);
    Set("LC_MESSAGES", messages);
    Set("LANG", lang);
  }
  ~Environment() {
    for (std::size_t i = 0; i < std::size(kNames); ++i) Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }

 private:
  static void Set(const char* name, const char* value) {
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::vector<std::optional<std::string>> saved_;
};

TEST(LayerTexts, TheFirstLocaleVariableSetDecidesTheLanguage) {
  const struct {
    const char* all;
    const char* messages;
    const char* lang;
    LayerLanguage expected;
  } cases[] = {
      {nullptr, nullptr, "de_DE.UTF-8", LayerLanguage::kGerman},
      {nullptr, nullptr, "de_AT", LayerLanguage::kGerman},
      {nullptr, nullptr, "en_GB.UTF-8", LayerLanguage::kEnglish},
      {nullptr, nullptr, "C.UTF-8", LayerLanguage::kEnglish},
      {nullptr, nullptr, nullptr, LayerLanguage::kEnglish},
      {"en_US.UTF-8", "de_DE", "de_DE", LayerLanguage::kEnglish},
      {"", "de_CH.UTF-8", "en_US", LayerLanguage::kGerman},  // an empty variable counts as not set
      {"de_DE@euro", nullptr, "C", LayerLanguage::kGerman},
  };
  for (const auto& c : cases) {
    Environment env(c.all, c.messages, c.lang);
    EXPECT_EQ(platform::win::LanguageOfEnvironment(), c.expected)
        << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " " << (c.lang ? c.lang : "-");
  }
}

class LayerTextsTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::win::SetLayerLanguage(LayerLanguage::kEnglish); }
  drv::Session session_;
};

TEST_F(LayerTextsTest, TheTableGivesGermanTextsAndLeavesOthersAsTheyAre) {
  const struct {
    const char* english;
    const char* german;
  } cases[] = {
      {"&Yes", "&Ja"}, {"&No", "&Nein"}, {"Cancel", "Abbrechen"}, {"Save As", "Speichern unter"},
      {"Open", "\xD6" "ffnen"}, {"File &name:", "Datei&name:"}, {"Print Setup", "Druckereinrichtung"},
      {"&Size", "&Gr\xF6\xDF" "e \xE4ndern"}, {"&Close\tAlt+F4", "&Schlie\xDF" "en\tAlt+F4"},
      {"a text of the program", "a text of the program"},
  };
  for (const auto& c : cases) {
    platform::win::SetLayerLanguage(LayerLanguage::kGerman);
    EXPECT_STREQ(platform::win::LayerText(c.english), c.german);
    platform::win::SetLayerLanguage(LayerLanguage::kEnglish);
    EXPECT_STREQ(platform::win::LayerText(c.english), c.english);
  }
}

std::vector<std::string> ButtonTexts(HWND box) {
  std::vector<std::string> texts;
  for (int id : {IDYES, IDNO, IDCANCEL, IDOK})
    if (GetDlgItem(box, id)) texts.push_back(drv::ItemText(box, id));
  return texts;
}

TEST_F(LayerTextsTest, MessageBoxButtonsAndTheFileDialogSpeakTheProgramsLanguage) {
  platform::win::SetLayerLanguage(LayerLanguage::kGerman);
  std::vector<std::string> buttons;
  std::string title, name_label;
  drv::OnAnyDialogIdle([&](HWND d) {
    const auto info = platform::win::DescribeModal(d);
    if (info.kind == platform::win::ModalKind::kMessageBox) {
      buttons = ButtonTexts(d);
      EndDialog(d, IDNO);
    } else {
      char text[64] = {};
      GetWindowText(d, text, sizeof text);
      title = text;
      HWND label = GetWindow(d, GW_CHILD);
      GetWindowText(label, text, sizeof text);
      name_label = text;
      EndDialog(d, IDCANCEL);
    }
  });
  EXPECT_EQ(MessageBox(nullptr, "Weiter?", "Frage", MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(buttons, (std::vector<std::string>{"&Ja", "&Nein", "Abbrechen"}));
  char file[260] = "";
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  EXPECT_FALSE(GetSaveFileName(&ofn));
  EXPECT_EQ(title, "Speichern unter");
  EXPECT_EQ(name_label, "Datei&name:");
}

}  // namespace
