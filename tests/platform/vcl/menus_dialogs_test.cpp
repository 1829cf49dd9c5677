// Menus and the open and save dialogs of a form.
#include <gtest/gtest.h>

#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;

class MenusTest : public VclTest {
 protected:
  void SetUp() override {
    form = Application->CreateForm<TDemoForm>();
    form->Show();
    drv::PumpUntilIdle();
    form->log.clear();
  }
  TDemoForm* form = nullptr;
};

TEST_F(MenusTest, PickingAMenuItemRunsItsOnClick) {
  EXPECT_TRUE(drv::PickMenu(form->Handle(), form->Info1->Command()));
  EXPECT_TRUE(drv::PickMenu(form->Handle(), form->Speichern1->Command()));
  EXPECT_EQ(form->log, (EventLog{"Info1.Click", "Speichern1.Click"}));
  const drv::MenuItemState state = drv::MenuState(form->Handle(), form->Speichern1->Command());
  EXPECT_EQ(state.text, "... als ZPR-Datei &speichern");
}

TEST_F(MenusTest, ChangesOfAnItemShowInTheMenuBar) {
  form->Speichern1->SetEnabled(false);
  form->Info1->SetChecked(true);
  form->Inhalt1->SetCaption("Schreibschutz &deaktivieren");
  EXPECT_TRUE(drv::MenuState(form->Handle(), form->Speichern1->Command()).grayed);
  EXPECT_TRUE(drv::MenuState(form->Handle(), form->Info1->Command()).checked);
  EXPECT_EQ(drv::MenuState(form->Handle(), form->Inhalt1->Command()).text, "Schreibschutz &deaktivieren");
  EXPECT_FALSE(drv::PickMenu(form->Handle(), form->Speichern1->Command()));  // greyed: nothing runs
  form->Info1->SetVisible(false);
  EXPECT_FALSE(drv::MenuState(form->Handle(), form->Info1->Command()).found);
  EXPECT_TRUE(form->log.empty());
}

TEST_F(MenusTest, ARightClickOnTheListOpensItsPopupMenu) {
  HMENU shown = nullptr;
  platform::win::SetPopupMenuResponder([&](HMENU menu, HWND owner) -> UINT {
    shown = menu;
    EXPECT_EQ(owner, form->Handle());
    return form->Loeschen2->Command();
  });
  ASSERT_TRUE(drv::RightClickControl(*form, "List_Datensatz_"));
  EXPECT_NE(shown, nullptr);
  EXPECT_EQ(form->Popup_Liste->PopupComponent(), form->List_Datensatz_);
  // The right button selects the row under it first, as the left one does.
  EXPECT_EQ(form->log, (EventLog{"List_Datensatz_.Change 3 on", "Loeschen2.Click"}));
  // Dismissed: nothing runs; a disabled item is never run either.
  platform::win::SetPopupMenuResponder([](HMENU, HWND) -> UINT { return 0; });
  form->Popup_Liste->Popup(10, 10);
  form->Loeschen2->SetEnabled(false);
  platform::win::SetPopupMenuResponder([&](HMENU, HWND) -> UINT { return form->Loeschen2->Command(); });
  form->Popup_Liste->Popup(10, 10);
  EXPECT_EQ(form->log.size(), 2u);
}

TEST_F(MenusTest, OpenAndSaveDialogsPassFilterAndNameAndTakeTheChoice) {
  form->Dlg_Speichern->FileName = "Datensatz 1.ZPR";
  drv::AnswerFileDialog(std::string("/tmp/slot1.ZPR"));
  EXPECT_TRUE(form->Dlg_Speichern->Execute());
  EXPECT_EQ(form->Dlg_Speichern->FileName, "/tmp/slot1.ZPR");
  drv::AnswerFileDialog(std::nullopt);
  form->Dlg_Laden->FileName = "";
  EXPECT_FALSE(form->Dlg_Laden->Execute());
  EXPECT_EQ(form->Dlg_Laden->FileName, "");
  const auto& asked = drv::FileDialogs();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_TRUE(asked[0].save);
  EXPECT_EQ(asked[0].filter, "ZPR-Dateien|*.ZPR");
  EXPECT_EQ(asked[0].proposed, "Datensatz 1.ZPR");
  EXPECT_FALSE(asked[1].save);
}

}  // namespace
}  // namespace vcltest
