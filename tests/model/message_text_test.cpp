#include "model/message_text.h"

#include <gtest/gtest.h>

#include <string>

namespace model {
namespace {

struct BuildCase {
  std::int8_t group;
  std::int32_t number;
  const char* title;
  const char* text;
};

TEST(BuildMessage, TitlesTextsAndFallbacks) {
  const BuildCase cases[] = {
      {5, 1, "Fault file operation:",
       "Can not open the file.\nDirectory and file-name correct?\nDisk inserted, disk drive closed?"},
      {20, 3, "Titel Nr. 20", "Please switch off enable at the inverter and click the button 'next'!"},
      {-2, 4, "Titel Nr. -2", "Please switch on enable at the inverter now!"},
      {7, 99, "Information:", "Anzeigetext Nr. 99"},
      {7, -1, "Information:", "Anzeigetext Nr. -1"},
      {0, 0, "Fault serial communication for ZPR 1xxx:", "Anzeigetext Nr. 0"},
      {6, 2, "Warning file operation:", "Can not close the file.\nCheck disk, or harddisk."},
      {127, 18, "Titel Nr. 127", "Anzeigetext Nr. 18"},
  };
  for (const BuildCase& c : cases) {
    EXPECT_EQ(BuildMessageTitle(c.group, true), c.title) << int{c.group};
    EXPECT_EQ(BuildMessageText(c.group, c.number), c.text) << int{c.group} << "." << c.number;
  }
}

TEST(SubstituteMessageInsert, ReplacesTheFirstPlaceholderLiterally) {
  struct Case {
    const char* text;
    const char* insert;
    const char* result;
  } const cases[] = {
      {"Value is too big. \n%s", "(Parameter C01)  ", "Value is too big. \n(Parameter C01)  "},
      {"Value is too big. \n%s", nullptr, "Value is too big. \n"},
      {"a %s b %s c", "X", "a X b %s c"},                 // only the first
      {"no placeholder", "ignored", "no placeholder"},
      {"%s", "100%d %s %n", "100%d %s %n"},               // an insert is never a format
      {"50% of %s", "C01", "50% of C01"},
      {"%s", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SubstituteMessageInsert(c.text, c.insert), c.result) << c.text;
}

TEST(SubstituteMessageInsert, KeepsTheBufferLimits) {
  const std::string long_insert(400, 'i');
  const std::string with = SubstituteMessageInsert("<%s>", long_insert.c_str());
  EXPECT_EQ(with, "<" + std::string(149, 'i') + ">");

  // The rest after the insert is cut so that the whole stays within 799 characters.
  const std::string text = std::string(700, 't') + "%s" + std::string(200, 'r');
  const std::string cut = SubstituteMessageInsert(text, long_insert.c_str());
  EXPECT_EQ(cut.size(), 799u);
  EXPECT_EQ(cut, std::string(700, 't') + std::string(99, 'i'));

  // "%s" beyond the 799 characters kept of the text is not looked at.
  const std::string late = std::string(798, 't') + "%s";
  EXPECT_EQ(SubstituteMessageInsert(late, "X"), std::string(798, 't') + "%");
}

}  // namespace
}  // namespace model
