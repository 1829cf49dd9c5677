// The project named on the command line, opened at start; the scope control window following the active file
// through a stand-in for the scope library's binding.
#include <gtest/gtest.h>

#include "app/documents/file_slots.h"
#include "app/documents/scope_file_switch.h"
#include "app/shell/application_start.h"
#include "tests/app/documents_fixture.h"

namespace shell_test {
namespace {

TEST(StartupProject, TheFirstArgumentEndingInZprInAnyCase) {
  struct Case {
    std::vector<std::string> arguments;
    const char* expected;
  };
  const Case cases[] = {
      {{"/home/u/plant.zpr"}, "/home/u/plant.zpr"},
      {{"-x", "PLANT.ZPR", "b.zpr"}, "PLANT.ZPR"},
      {{"My Plant.Zpr"}, "My Plant.Zpr"},
      {{".zpr"}, ""},
      {{"plant.zprx", "zpr", "plant.txt"}, ""},
      {{}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(app::ProjectArgument(c.arguments), c.expected) << c.arguments.size();
}

TEST_F(DocumentsTest, TheProjectNamedAtStartOpensIntoFileOne) {
  const auto path = MakeProject("start.zpr", "from the command line");
  app::SetStartupProject(path.string());
  Run({[&] {
    EXPECT_EQ(Title(), "ZPR-Tool - File 1: START.ZPR");
    EXPECT_EQ(CommentOf(0), "from the command line");
    EXPECT_EQ(app::Slot(0).path, path.string());
    EXPECT_NE(model::ChangeList0Empty(0), 0);
  }});
  EXPECT_TRUE(app::TakeStartupProject().empty()) << "opened once";
  // A file that is gone: its message, and the program starts with the fresh data set.
  app::SetStartupProject((folder_.path() / "gone.zpr").string());
  Run({[] { EXPECT_EQ(Title(), "ZPR-Tool - File 1: NONAME1.ZPR"); }});
  EXPECT_TRUE(Saw("Can not open the file."));
}

// The stand-in binding counts what the documents ask of the library.
int g_shown = 0;
int g_unloaded = 0;

class ScopeFollowsTest : public DocumentsTest {
 protected:
  void SetUp() override {
    DocumentsTest::SetUp();
    g_shown = g_unloaded = 0;
    app::SetScopeLibraryCalls({[] { ++g_shown; }, [] { ++g_unloaded; }});
  }
  void TearDown() override {
    app::SetScopeLibraryCalls({});
    DocumentsTest::TearDown();
  }
  static HWND OpenScopeWindow() {
    HWND window = CreateWindow("STATIC", "scope control", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, Main(), nullptr,
                               nullptr, nullptr);
    app::ModelessWindow(app::Modeless::kScopeControl) = window;
    return window;
  }
};

void GiveRecording(std::uint8_t set) {
  ASSERT_EQ(model::ConvertToProjectType(model::kFileKindReverseDoc, set), model::kFileKindReverseDoc);
  const std::uint16_t channel = 1;
  ASSERT_EQ(model::WriteElement(454, 12, &channel, model::kModeRaw, set), 0);
}

// Switching to a file with a recording shows it; switching to one without says so and closes the window; Open
// then offers reverse documentation only and shows the opened recording; New closes the window.
TEST_F(ScopeFollowsTest, SwitchOpenAndNewWithTheScopeWindowOpen) {
  const auto recorded = MakeProject("rec.ZPR", "recorded", GiveRecording);
  HWND scope = nullptr;
  drv::AnswerFileDialog(recorded.string());
  Run({
      [&] {
        GiveRecording(1);
        scope = OpenScopeWindow();
        drv::PickMenu(Main(), 2012);
      },
      [&] {
        EXPECT_EQ(g_shown, 1);
        EXPECT_TRUE(IsWindow(scope));
        drv::PickMenu(Main(), 2011);
      },
      [&] {
        EXPECT_TRUE(Saw("There is no recording in the ZPR-Scope."));
        EXPECT_EQ(g_unloaded, 1);
        EXPECT_FALSE(IsWindow(scope));
        EXPECT_EQ(app::ModelessWindow(app::Modeless::kScopeControl), nullptr);
        scope = OpenScopeWindow();
        drv::PickMenu(Main(), 2001);
      },
      [&] {
        ASSERT_EQ(drv::FileDialogs().size(), 1u);
        EXPECT_NE(drv::FileDialogs()[0].filter.find("Reverse-docu.-file"), std::string::npos);
        EXPECT_EQ(Title(), "ZPR-Tool - File 1: REC.ZPR");
        EXPECT_EQ(g_shown, 2);
        EXPECT_TRUE(IsWindow(scope));
        answers_ = {1};  // yes to 8.7 (a reverse documentation back to defaults)
        drv::PickMenu(Main(), 2000);
      },
      [&] {
        EXPECT_EQ(g_unloaded, 2);
        EXPECT_FALSE(IsWindow(scope));
      },
  });
}

}  // namespace
}  // namespace shell_test
