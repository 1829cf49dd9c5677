// A generated page on a real X display (a virtual X server): the motor page bound to the data set, an entry
// typed into one of its edits with real keystrokes and committed when the focus leaves it, as a page commits.
// The page as the server shows it is written as page_on_x.png. Skipped without Xvfb or xdotool.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "app/binding/binding_support.h"
#include "app/binding/dialog_binding.h"
#include "app/templates/page_templates.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/menu_list_table.h"
#include "platform/backend/capture.h"
#include "platform/backend/x11_display.h"
#include "platform/testing/driver.h"
#include "tests/support/xvfb_in_process.h"

namespace {

namespace drv = platform::testing;
using xtest::kXdotool;
using xtest::Xdotool;
using xtest::in_process::PumpUntil;

const app::PageDefinition* g_page = nullptr;

// The page frame in short: an edit's text is committed when it loses the focus, a click at once.
INT_PTR CALLBACK MiniPageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wparam);
  const int code = HIWORD(wparam);
  if (code == EN_SETFOCUS) SendDlgItemMessage(dialog, id, EM_SETSEL, 0, -1);
  if (code == EN_KILLFOCUS || code == BN_CLICKED) {
    app::StoreDialogToParameters(dialog, g_page->first, g_page->last, id, g_page->list, 0, 0);
    app::FillDialogFromParameters(dialog, g_page->first, g_page->last, g_page->list, 0, 0);
  }
  return TRUE;
}

TEST(PageOnX, AnEntryTypedIntoAGeneratedPageIsCommittedWhenTheFocusLeaves) {
  xtest::VirtualServer server("1024x768x24");
  if (server.display().empty() || access(kXdotool, X_OK) != 0) GTEST_SKIP() << "no Xvfb or xdotool";
  setenv("DISPLAY", server.display().c_str(), 1);
  drv::Session session;
  std::string error;
  ASSERT_TRUE(platform::backend::StartX11Display(&error)) << error;
  model::SetMenuListTableForTest({});
  model::InitDataSet(0);

  g_page = app::FindPageDefinition(16);
  ASSERT_NE(g_page, nullptr);
  HWND page = CreateDialogIndirectParam(nullptr, app::PageTemplate(16), nullptr, MiniPageProc, 0);
  ASSERT_NE(page, nullptr);
  drv::AddModelessDialog(page);
  ASSERT_EQ(app::FillDialogFromParameters(page, g_page->first, g_page->last, g_page->list, 0, 1), 0);
  ShowWindow(page, SW_SHOW);

  // The first editable number of the page.
  app::binding::ListRows rows;
  ASSERT_TRUE(app::binding::LoadRows(g_page->list, 0, rows));
  int id = g_page->first;
  const model::MenuListEntry* target = nullptr;
  for (std::size_t i = 0; i < rows.count && target == nullptr; ++i) {
    if (rows[i].kind == 1 && app::binding::RowEnabled(rows[i], 0)) {
      target = &rows[i];
    } else {
      id += app::binding::IdsOfRow(rows[i]);
    }
  }
  ASSERT_NE(target, nullptr);
  HWND edit = GetDlgItem(page, id);
  ASSERT_TRUE(PumpUntil([&] { return platform::backend::X11WindowOf(page) != 0 && IsWindowVisible(edit); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  PumpUntil([] { return true; });

  RECT box{};
  GetWindowRect(edit, &box);
  const std::string x = std::to_string((box.left + box.right) / 2);
  const std::string y = std::to_string((box.top + box.bottom) / 2);
  ASSERT_TRUE(Xdotool(server.display(), {"mousemove", "--sync", x, y, "click", "1"}));
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == edit; })) << "the click gave the edit no focus";
  ASSERT_TRUE(Xdotool(server.display(), {"key", "ctrl+a", "BackSpace"}));
  ASSERT_TRUE(Xdotool(server.display(), {"type", "--delay", "20", "1234"}));
  ASSERT_TRUE(PumpUntil([&] { return drv::ItemText(page, id) == "1234"; })) << drv::ItemText(page, id);
  ASSERT_TRUE(Xdotool(server.display(), {"key", "Tab"}));
  double value = 0.0;
  EXPECT_TRUE(PumpUntil([&] {
    model::ReadElement(target->record, target->element, &value, model::kModeConverted, 0);
    return value == 1234.0;
  })) << target->texts[0] << " holds " << value;

  const auto png = std::filesystem::path(ZPR_BIN_DIR) / "page_on_x.png";
  EXPECT_TRUE(platform::backend::SaveWindowPng(page, png.string(), true));
  app::ReleaseDialogBuffers(page);
  drv::RemoveModelessDialog(page);
  DestroyWindow(page);
  platform::backend::StopX11Display();
}

}  // namespace
