// Previous/Next between the parameter pages: for every device the walk from no page reaches Save as, every page
// that a walk or the menu opens leads to an enabled page of the file's own menu, and the walk back ends at the
// first page. The posted commands and the mouse following Previous/Next on the window layer.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "app/common/nav_button_cursor.h"
#include "app/documents/active_file_kind.h"
#include "app/documents/device_view.h"
#include "app/documents/page_navigation.h"
#include "model/data_set.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {
namespace {

using app::DeviceView;

constexpr std::uint32_t kSaveAs = 2003;

std::string Describe(const DeviceView& v) {
  std::ostringstream out;
  out << "kind " << v.kind << " family " << int(v.family) << " letter " << char(v.letter) << " posi mode "
      << v.posi_mode << " board " << v.board << " variant " << v.family3_variant << " access " << v.access_level;
  return out.str();
}

// Whether the menus show a command enabled for this device: in the file kind's own pop-up and not greyed by the
// device rules (2053/2054 and 2082/2086 have no menu item; the rules allow them).
bool Enabled(const DeviceView& v, std::uint32_t command) {
  if (command == kSaveAs) return true;
  const bool own_menu = v.Project() ? command >= 2034 && command <= 2057 : command >= 2063 && command <= 2089;
  return own_menu && app::DeviceAllowsCommand(v, command);
}

// The dialog template a page command opens on this device (0 for a command that opens no page).
std::uint32_t PageOf(const DeviceView& v, std::uint32_t command) {
  static const std::map<std::uint32_t, std::uint32_t> kPages = {
      {2034, 9},  {2035, 12}, {2063, 12}, {2036, 15}, {2064, 15}, {2037, 60}, {2065, 60}, {2038, 16}, {2066, 16},
      {2054, 52}, {2086, 52}, {2039, 17}, {2067, 17}, {2040, 18}, {2068, 18}, {2041, 19}, {2069, 19}, {2042, 20},
      {2070, 20}, {2071, 21}, {2043, 22}, {2072, 22}, {2044, 45}, {2073, 45}, {2055, 68}, {2087, 68}, {2045, 48},
      {2074, 48}, {2046, 59}, {2075, 66}, {2047, 46}, {2076, 46}, {2048, 47}, {2077, 47}, {2049, 23}, {2078, 23},
      {2050, 24}, {2079, 24}, {2051, 49}, {2080, 49}, {2056, 65}, {2088, 65}, {2057, 67}, {2089, 67}, {2052, 26},
      {2081, 26}, {2053, 44}, {2082, 44}, {2083, 25}, {2085, 13}, {2084, 14}};
  const auto found = kPages.find(command);
  if (found == kPages.end()) return 0;
  std::uint32_t page = found->second;
  // Family 2 has layouts of its own for B, C part 1 and F, posi mode 3 one for I.
  if (v.family == 2) {
    static const std::map<std::uint32_t, std::uint32_t> kFamily2 = {{16, 53}, {17, 54}, {22, 56}, {45, 57}, {68, 58}};
    if (const auto twin = kFamily2.find(page); twin != kFamily2.end()) page = twin->second;
  }
  if (v.PosiVariant3() && page == 46) page = 74;
  return page;
}

std::vector<DeviceView> EveryDevice() {
  std::vector<DeviceView> all;
  for (std::uint16_t kind : {17, 18}) {
    for (std::uint8_t family : {1, 2, 3}) {
      for (std::uint8_t letter = 'A'; letter <= 'F'; ++letter) {
        for (std::int64_t posi : {0, 2, 3}) {
          for (std::int64_t board : {0, 1, 3, 12}) {
            for (bool variant : {false, true}) {
              for (std::int64_t access : {0, 1, 2}) {
                all.push_back(DeviceView{kind, letter, family, board, posi, variant, access});
              }
            }
          }
        }
      }
    }
  }
  return all;
}

// Next from no page to Save as, then Previous back to the first page; each step opens an enabled page of the
// file's menu, and neither walk runs in a circle.
TEST(PageNavigation, EveryDeviceWalksThroughEnabledPagesToSaveAsAndBack) {
  int failures = 0;
  auto fail = [&](const DeviceView& v, const std::string& what) {
    if (++failures <= 12) ADD_FAILURE() << Describe(v) << ": " << what;
  };
  for (const DeviceView& v : EveryDevice()) {
    std::uint32_t page = app::kNavFromNoPage;
    std::uint32_t last_page = 0;
    std::set<std::uint32_t> seen;
    for (;;) {
      const std::uint32_t command = app::PageNavigationCommand(v, page, false);
      if (!Enabled(v, command)) {
        fail(v, "Next of page " + std::to_string(page) + " gives " + std::to_string(command));
        break;
      }
      if (command == kSaveAs) break;
      last_page = page = PageOf(v, command);
      if (!seen.insert(page).second) {
        fail(v, "Next comes back to page " + std::to_string(page));
        break;
      }
    }
    seen.clear();
    for (page = last_page; page != 0;) {
      const std::uint32_t command = app::PageNavigationCommand(v, page, true);
      if (command == 0) break;  // the first page
      if (!Enabled(v, command)) {
        fail(v, "Previous of page " + std::to_string(page) + " gives " + std::to_string(command));
        break;
      }
      page = PageOf(v, command);
      if (!seen.insert(page).second) {
        fail(v, "Previous comes back to page " + std::to_string(page));
        break;
      }
    }
    const std::uint32_t first = v.Project() ? 9 : 12;
    if (page != first && failures == 0) fail(v, "Previous ends on page " + std::to_string(page));
  }
  EXPECT_EQ(failures, 0);
}

// Every page the menu opens (not only those a walk meets) leads on to an enabled page both ways.
TEST(PageNavigation, EveryEnabledPageLeadsToAnEnabledPage) {
  int failures = 0;
  for (const DeviceView& v : EveryDevice()) {
    for (std::uint32_t opened = 2034; opened <= 2089; ++opened) {
      const std::uint32_t page = PageOf(v, opened);
      if (page == 0 || !Enabled(v, opened) || opened == 2053 || opened == 2054 || opened == 2082 || opened == 2086) {
        continue;
      }
      for (bool previous : {false, true}) {
        const std::uint32_t command = app::PageNavigationCommand(v, page, previous);
        const bool first_page = previous && page == (v.Project() ? 9u : 12u);
        if (first_page ? command == 0 : Enabled(v, command)) continue;
        if (++failures <= 12) {
          ADD_FAILURE() << Describe(v) << ": " << (previous ? "Previous" : "Next") << " of page " << page
                        << " (opened by " << opened << ") gives " << command;
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

// The table's own answers where the hooks do not intervene, the access levels' pages and the page-0 row.
TEST(PageNavigation, TableRowsHooksAndAccessLevels) {
  const DeviceView plain{17, 'E', 1, 1, 0, false, 0};
  DeviceView reverse_doc = plain;
  reverse_doc.kind = 18;
  DeviceView service = plain;
  service.access_level = app::kAccessLevelService;
  DeviceView developer = plain;
  developer.access_level = app::kAccessLevelDeveloper;
  DeviceView family2 = service;
  family2.family = 2;
  struct Case {
    const char* what;
    const DeviceView& device;
    std::uint32_t page;
    bool previous;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"no page: first project page", plain, 0, false, 2034},
      {"no page: first reverse-documentation page", reverse_doc, 0, false, 2063},
      {"unknown page counts as no page", plain, 999, false, 2034},
      {"last reverse-documentation page: Save as", reverse_doc, 14, false, kSaveAs},
      {"last project page: Save as", plain, 26, false, kSaveAs},
      {"developer page after the last page", developer, 26, false, 2053},
      {"developer page: Save as", developer, 44, false, kSaveAs},
      {"current controller after the motor at service level", service, 16, false, 2054},
      {"motor straight to the machine for the user", plain, 16, false, 2039},
      {"machine back to the current controller", service, 17, true, 2054},
      {"family 2 skips the current controller", family2, 54, true, 2038},
      {"family-2 layout of F part 1 goes on like F part 1", family2, 56, false, 2044},
      {"first page has no Previous", plain, 9, true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(app::PageNavigationCommand(c.device, c.page, c.previous), c.expected) << c.what;
  }
}

// GoToNextPage posts the page command to the main window (only one the program has: Save as here); OK and Cancel
// post nothing. EnsureActiveFileKind converts a reverse documentation only after a yes.
class NavigationWindowTest : public ShellTest {};

TEST_F(NavigationWindowTest, NextOfTheLastPagePostsSaveAsAndOkPostsNothing) {
  drv::AnswerFileDialog(std::nullopt);
  Run({
      [] { ASSERT_EQ(model::ConvertToProjectType(model::kFileKindReverseDoc, 0), model::kFileKindReverseDoc); },
      [] {
        app::GoToNextPage(14, app::kNavOk);
        app::GoToNextPage(14, app::kNavCancel);
      },
      [] { EXPECT_TRUE(drv::FileDialogs().empty()); },
      [] { app::GoToNextPage(14, app::kNavNext); },
      [] {
        ASSERT_EQ(drv::FileDialogs().size(), 1u);
        EXPECT_EQ(drv::FileDialogs()[0].title, "Save file as");
      },
  });
}

TEST_F(NavigationWindowTest, EnsureActiveFileKindAsksBeforeMakingAReverseDocumentationAProject) {
  std::vector<int> answers = {2, 1};  // no, then yes
  drv::OnDialogIdle(4, [&](HWND d) {
    dialogs_.push_back(drv::ItemText(d, 100));
    const int answer = answers.empty() ? 2 : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    EndDialog(d, answer);
  });
  Run({[&] {
    EXPECT_EQ(app::EnsureActiveFileKind(Main(), 17, app::kAskModifyValue), app::kKindAlready);
    EXPECT_EQ(app::EnsureActiveFileKind(Main(), 19, 0), app::kKindRefused);
    EXPECT_EQ(dialogs_.size(), 0u);
    EXPECT_EQ(app::EnsureActiveFileKind(Main(), 18, 0), app::kKindConverted) << "no question this way";
    EXPECT_EQ(model::GetFileTypeCode(0), 18);
    EXPECT_EQ(drv::Text(GetDlgItem(Main(), 501)).rfind("project", 0), std::string::npos) << "the status line follows";
    EXPECT_EQ(app::EnsureActiveFileKind(Main(), 17, app::kAskModifyValue), app::kKindRefused);
    EXPECT_EQ(model::GetFileTypeCode(0), 18);
    EXPECT_EQ(app::EnsureActiveFileKind(Main(), 17, app::kAskWriteQuellox), app::kKindConverted);
    EXPECT_EQ(model::GetFileTypeCode(0), 17);
  }});
  ASSERT_EQ(dialogs_.size(), 2u);
  EXPECT_EQ(dialogs_[0].rfind("Do you want to modify this value?", 0), 0u) << dialogs_[0];
  EXPECT_EQ(dialogs_[1].rfind("Do you want to write the Quellox?", 0), 0u) << dialogs_[1];
}

// The mouse over Next of the closing page comes back over Next of the next page, wherever that one lies; a page
// left with the mouse elsewhere moves nothing.
TEST(NavButtonCursor, TheMouseFollowsNextToTheNewPage) {
  drv::Session session;
  auto page_at = [](int x) {
    HWND page = CreateWindow("STATIC", "page", WS_POPUP | WS_VISIBLE, x, 100, 300, 200, nullptr, nullptr, nullptr,
                             nullptr);
    CreateWindow("BUTTON", "<<", WS_CHILD | WS_VISIBLE, 10, 150, 60, 24, page, reinterpret_cast<HMENU>(3), nullptr,
                 nullptr);
    CreateWindow("BUTTON", ">>", WS_CHILD | WS_VISIBLE, 80, 150, 60, 24, page, reinterpret_cast<HMENU>(4), nullptr,
                 nullptr);
    return page;
  };
  HWND first = page_at(0);
  HWND second = page_at(400);
  RECT next{};
  GetWindowRect(GetDlgItem(first, 4), &next);
  SetCursorPos(next.left + 3, next.top + 3);
  app::RememberNavButton(first, 3, 4);
  app::RestoreNavButtonCursor(second, 3, 4);
  POINT mouse{};
  GetCursorPos(&mouse);
  RECT target{};
  GetWindowRect(GetDlgItem(second, 4), &target);
  EXPECT_EQ(mouse.x, (target.left + target.right) / 2);
  EXPECT_EQ(mouse.y, (target.top + target.bottom) / 2);
  // Used up: the same page opened again later leaves the mouse alone; so does a page left from elsewhere.
  SetCursorPos(5, 5);
  app::RestoreNavButtonCursor(first, 3, 4);
  app::RememberNavButton(second, 3, 4);
  app::RestoreNavButtonCursor(first, 3, 4);
  GetCursorPos(&mouse);
  EXPECT_EQ(mouse.x, 5);
  EXPECT_EQ(mouse.y, 5);
  DestroyWindow(first);
  DestroyWindow(second);
}

}  // namespace
}  // namespace shell_test
