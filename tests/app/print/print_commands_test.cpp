// The printout of the active file by the groups of the print dialog: which sections each group prints for a
// project and for a reverse documentation, exported to the text file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/print/print_commands.h"
#include "app/print/print_content.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/message_presenter.h"
#include "tests/app/message_sink.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint16_t kGroupElements[] = {44, 45, 46, 47, 48, 49, 50, 52, 152};

using app_test::MessageSink;

struct GroupCase {
  const char* what;
  std::uint16_t kind;         // file kind of the active data set
  std::uint16_t element;      // the one group chosen
  const char* expected;       // a heading the printout holds
  const char* not_expected;   // one it must not hold
};

class PrintCommandsTest : public ::testing::TestWithParam<GroupCase> {
 protected:
  void SetUp() override {
    model::InitDataSet(0);
    model::InitDataSet(1);
    app::ResetFileSlots();
    app::SetActiveFile(1);
    model::SetMessagePresenter(&messages_);
    char pattern[] = "/tmp/print-commands-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    app::SetPrintTextPath((dir_ / "ZPRPRINT.TXT").string());
    SetByte(305, 10, 1);
    for (std::uint16_t element : kGroupElements) SetByte(305, element, 0);
  }
  void TearDown() override {
    app::SetPrintTextPath({});
    app::SetActiveFile(0);
    model::SetMessagePresenter(nullptr);
    fs::remove_all(dir_);
  }
  static void SetByte(std::uint16_t record, std::uint16_t element, std::uint8_t value) {
    ASSERT_EQ(model::WriteElement(record, element, &value, model::kModeRaw, 0), 0);
  }
  std::string Printed() const {
    std::ifstream in(dir_ / "ZPRPRINT.TXT", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
  MessageSink messages_;
};

TEST_P(PrintCommandsTest, EachGroupPrintsItsSectionsForTheFileKindsItServes) {
  const GroupCase& c = GetParam();
  ASSERT_EQ(model::WriteElement(302, 0, &c.kind, model::kModeRaw, 1), 0);
  SetByte(305, c.element, 1);
  ASSERT_EQ(app::PrintOrExportProject(nullptr), app::kPrintOk);
  EXPECT_TRUE(messages_.texts.empty());
  const std::string text = Printed();
  EXPECT_EQ(text.find("Parameter documentation\tZPR-Tool V 4.6 \t  page: 1"), 0u) << text.substr(0, 200);
  if (*c.expected) {
    EXPECT_NE(text.find(c.expected), std::string::npos) << c.what << "\n" << text;
  }
  EXPECT_EQ(text.find(c.not_expected), std::string::npos) << c.what << "\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Groups, PrintCommandsTest,
    ::testing::Values(
        GroupCase{"P on a project", app::kKindProject, 44, "P.. ", "parameter set 1"},
        GroupCase{"P on a reverse documentation", app::kKindReverseDoc, 44, "", "P.. "},
        GroupCase{"E on a reverse documentation", app::kKindReverseDoc, 45, "Service-Info: FA", "P.. "},
        GroupCase{"E on a project", app::kKindProject, 45, "", "Service-Info"},
        GroupCase{"parameter set 1", app::kKindProject, 47, "parameter set 1 and basic set: ", "parameter set 2"},
        GroupCase{"parameter set 2", app::kKindProject, 48, "parameter set 2: ", "parameter set 1"},
        GroupCase{"S and Z on a project", app::kKindProject, 49, "", "Z.. "},
        GroupCase{"menu skip", app::kKindProject, 50, "M.. menu skip part 4: ", "parameter set"},
        GroupCase{"scope recording prints nothing", app::kKindProject, 52, "", "\r\n \r\n"}),
    [](const ::testing::TestParamInfo<GroupCase>& info) { return "Case" + std::to_string(info.index); });

TEST_F(PrintCommandsTest, AFailingStartShowsItsMessageAndLeavesNoFile) {
  app::SetPrintTextPath((dir_ / "missing" / "ZPRPRINT.TXT").string());
  SetByte(305, 47, 1);
  EXPECT_EQ(app::PrintOrExportProject(nullptr), app::kPrintFailed);
  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(messages_.texts[0], "Internal error at ZRPP_StopAusdruck()");
  EXPECT_TRUE(fs::is_empty(dir_));
}

}  // namespace
