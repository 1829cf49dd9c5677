#include "model/message_catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace model {
namespace {

TEST(MessageCatalogue, GroupsHoldTheDeclaredCounts) {
  constexpr std::array<std::size_t, kMessageGroupCount> kCounts = {0,  46, 28, 24, 20, 14, 14, 19,
                                                                   10, 13, 39, 4,  22, 38, 18};
  std::size_t total = 0;
  for (int g = 0; g < kMessageGroupCount; ++g) {
    EXPECT_EQ(MessageGroupTexts(g).size(), kCounts[static_cast<std::size_t>(g)]) << "group " << g;
    total += MessageGroupTexts(g).size();
    for (std::string_view text : MessageGroupTexts(g)) EXPECT_FALSE(text.empty()) << "group " << g;
    EXPECT_FALSE(MessageGroupTitle(g).empty());
  }
  EXPECT_EQ(total, 309u);
  EXPECT_TRUE(MessageGroupTexts(-1).empty());
  EXPECT_TRUE(MessageGroupTexts(15).empty());
  EXPECT_TRUE(MessageGroupTitle(15).empty());
}

TEST(MessageCatalogue, GroupSixSharesTheListOfGroupFive) {
  EXPECT_EQ(MessageGroupTexts(6).data(), MessageGroupTexts(5).data());
  EXPECT_EQ(MessageGroupTitle(6), "Warning file operation:");
  EXPECT_EQ(MessageGroupTitle(5), "Fault file operation:");
}

TEST(MessageCatalogue, BothLanguageSlotsHoldTheSameMessages) {
  for (int g = 0; g < kMessageGroupCount; ++g) {
    EXPECT_EQ(MessageGroupTitle(g, 0), MessageGroupTitle(g, 1));
    const auto a = MessageGroupTexts(g, 0);
    const auto b = MessageGroupTexts(g, 1);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t n = 0; n < a.size(); ++n) EXPECT_EQ(a[n], b[n]);
  }
}

TEST(MessageCatalogue, TitlesAreStoredWordForWord) {
  constexpr std::array<std::string_view, kMessageGroupCount> kTitles = {
      "Fault serial communication for ZPR 1xxx:",
      "Fault serial communication",
      "Conflict with connected device",
      "Fault Quellox:",
      "Warning Quellox:",
      "Fault file operation:",
      "Warning file operation:",
      "Information:",
      "Warning:",
      "Fault",
      "Action:",
      "Fault data conversion:",
      "Input error",
      "ZPR-Tool",
      "ZPR-Tool motor action"};
  for (int g = 0; g < kMessageGroupCount; ++g) EXPECT_EQ(MessageGroupTitle(g), kTitles[static_cast<std::size_t>(g)]);
}

// Texts whose typos, blanks, trailing line feeds or carriage returns are easily "corrected" by mistake, and
// texts that callers quote.
struct StoredText {
  int group;
  int number;
  std::string_view text;
};

constexpr StoredText kTrickyTexts[] = {
    {1, 0, "Service correct executed!"},
    {1, 2, "Communication error: Parity error!Try again!"},
    {1, 11, "Echo of own telegram received,\nbecause no inverter has the korrect adress"},
    {1, 12,
     "Inverter does not answer!\nCable connected? Inverter on line (power supply)?\nIs the serial port correct set "
     "in the Options menu?\n"},
    {1, 45,
     "Serial communication could not be started, because the drivers\nare not correct installed. Please correct the "
     "settings\nof the serial interface in the Options menu"},
    {2, 5,
     "The inverter operation input (A30) is not set to 'serial X3'.\nShould the operation input be modified "
     "(deactivated) now?\n"},
    {2, 18, "dummy 17"},
    {2, 24, "Interruption of the serial communication"},
    {3, 23,
     "The Quellox was re-formated from V4.0 to the old condition till V3.x\nAll data were deleted, now the "
     "Quellox\nmust be written from ZPR or ZPR-Tool till version 3.x."},
    {4, 16, "The data in the Quellox are from an older version \nthan  written in this ZPR-Tool.\nThere are less "
            "parameter.\nRead Quellox?"},
    {4, 18, "The Quellox is already formatted for the versions till V3.x.\nThere are no mofifications necessary any more"},
    {5, 1, "Can not open the file.\nDirectory and file-name correct?\nDisk inserted, disk drive closed?"},
    {5, 4, "File-name has has the wrong file-name-extension.\nThe ending must be '.ZPR'!"},
    {5, 6,
     "File is from old ZPR-Tool V 3.x.\nImport data?\n\nMost parameters can be taken over ;\nDetails see in "
     "Online-Help: ZPR-Tool -> Contents-> ZPR-Tool versions -> import data from V3.2"},
    {6, 13,
     "File contains no reverse documentation data set\nand no scope recording data are avaiableChoose another file "
     "or close ZPR-Scope"},
    {8, 5,
     "Do you want to modify this value?  This works only,\nwhen the file type will be changed from Reverse "
     "documentation to Projecting.\nAll information (E.. Display values, R.. Production data,\nS.. Malfunction "
     "memory, Z.. Fault counter) and the Scope-recording will be lost."},
    {9, 1, "Fault-memory is empty!"},
    {10, 2, "Action 'Save values' errorfree executed!\n"},
    {10, 15, "Action 'Fault-acknowledge' was finished with error!"},
    {10, 34, "Teach-in action errorfree executed in inverter andactual values has been read from inverter."},
    {10, 38, "Action 'reset s-memory' errorfree executed!\n"},
    {12, 3, "Wrong address. (Bnam, Badr) \n%s"},
    {12, 7, "It is not allowed to modify parameter %s now,\n else there is a collision with another parameter value."},
    {12, 14, "This programm can not work up the data from the software version: old error-memory. "},
    {13, 4, "Data set 1 has been modified! \n Save before exit?"},
    {13, 8, "Function not available!"},
    {13, 31, "Should the new values in the inverter be saved against power-failure?"},
    {13, 33, "Wrong values in file. Continue?"},
    {13, 34, "Error in file with external motordatabase. Is file 'mottab.txt' not existing or damaged?"},
    {13, 35, "Are you shure to delete the dataset in database?"},
    {13, 36, "Dataset cannot be deleted or changed because of writeprotecting!"},
    {14, 0,
     "For this action the inverter will be disconnected from the working process, an connected break will be "
     "opened. The drive has to be free from any load! The 'Enable'-input must be served after "
     "instruction!\r\nContinue?"},
    {14, 14, "Please switch off enable at the inverter!"},
    {14, 17,
     "Action was interrupted from enable-signal at inverter. Please click on 'Abort' or 'Next' and check A30 "
     "operation input for a regular endig of action."},
};

TEST(MessageCatalogue, TrickyTextsAreStoredWordForWord) {
  for (const StoredText& c : kTrickyTexts) {
    const auto texts = MessageGroupTexts(c.group);
    ASSERT_LT(static_cast<std::size_t>(c.number), texts.size()) << c.group << "." << c.number;
    EXPECT_EQ(texts[static_cast<std::size_t>(c.number)], c.text) << c.group << "." << c.number;
  }
}

TEST(MessageCatalogue, LongestTextFitsTheTextBuffer) {
  std::size_t longest = 0;
  for (int g = 0; g < kMessageGroupCount; ++g)
    for (std::string_view text : MessageGroupTexts(g)) longest = std::max(longest, text.size());
  EXPECT_EQ(longest, 272u);
  EXPECT_LE(longest, kMessageTextLimit);
}

TEST(MessageCatalogue, TextsHoldPrintableAsciiAndLineBreaksOnly) {
  for (int g = 0; g < kMessageGroupCount; ++g)
    for (std::string_view text : MessageGroupTexts(g))
      for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        EXPECT_TRUE(c == '\n' || c == '\r' || (u >= 0x20 && u < 0x7F)) << g << ": " << text;
      }
}

struct LookupCase {
  std::int8_t group;
  std::int16_t number;
  std::int16_t size;
  std::uint8_t result;
  const char* text;  // nullptr: the buffer stays as it was
};

TEST(GetMessageText, LooksUpCutsAndRefuses) {
  const LookupCase cases[] = {
      {9, 1, 100, 0, "Fault-memory is empty!"},
      {6, 4, 100, 0, "File-name has has the wrong file-name-extension.\nThe ending must be '.ZPR'!"},
      {9, 1, 6, 0, "Fault"},    // at most size - 1 characters
      {9, 1, 1, 0, ""},         // room for the terminator only
      {14, 17, 800, 0, nullptr},  // checked below by length
      {9, 13, 100, 1, nullptr},  // one beyond the list
      {9, -1, 100, 1, nullptr},
      {0, 0, 100, 1, nullptr},   // group 0 has no texts
      {15, 0, 100, 1, nullptr},
      {-3, 0, 100, 1, nullptr},
      {9, 1, 0, 1, nullptr},     // no room at all
      {9, 1, -5, 1, nullptr},
  };
  for (const LookupCase& c : cases) {
    char buffer[800];
    std::memset(buffer, '#', sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    EXPECT_EQ(GetMessageText(c.group, c.number, buffer, c.size), c.result) << int{c.group} << "." << c.number;
    if (c.text != nullptr) {
      EXPECT_STREQ(buffer, c.text);
    }
    if (c.result == 1) {
      EXPECT_EQ(buffer[0], '#') << "refusal must leave the buffer alone";
    }
  }
  char buffer[800];
  ASSERT_EQ(GetMessageText(14, 17, buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer), MessageGroupTexts(14)[17]);
  EXPECT_EQ(GetMessageText(1, 0, nullptr, 10), 1);
}

TEST(GetMessageText, LastIndices) {
  EXPECT_EQ(LastMessageGroupIndex(), 14);
  EXPECT_EQ(LastMessageIndex(1), 45);
  EXPECT_EQ(LastMessageIndex(6), 13);
  EXPECT_EQ(LastMessageIndex(11), 3);
  EXPECT_EQ(LastMessageIndex(14), 17);
  EXPECT_EQ(LastMessageIndex(0), 0);
  EXPECT_EQ(LastMessageIndex(15), 0);
  EXPECT_EQ(LastMessageIndex(-1), 0);
}

}  // namespace
}  // namespace model
