// Keyboard navigation on forms: Tab and Shift+Tab through the tab stops in the order the controls were put on
// the form (round the end, past hidden and disabled ones and unchecked radio buttons), the first tab stop focused on showing, Return on
// the focused or else the Default button, Escape on the Cancel button, and keys a control takes itself.
#include <gtest/gtest.h>

#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;

class FormNavigationTest : public VclTest {
 protected:
  void SetUp() override {
    form = Application->CreateForm<TDemoForm>();
    form->Show();
  }
  std::string FocusName() const {
    for (TControl* c : {static_cast<TControl*>(form->Radio_Com1_), static_cast<TControl*>(form->Radio_Com2_),
                        static_cast<TControl*>(form->Check_Deaktivieren), static_cast<TControl*>(form->But_Ok),
                        static_cast<TControl*>(form->But_Abbrechen), static_cast<TControl*>(form->Edit_Namen),
                        static_cast<TControl*>(form->List_Datensatz_)})
      if (c->Focused()) return c->Name();
    return GetFocus() == form->Handle() ? "form" : "?";
  }
  TDemoForm* form = nullptr;
};

// A radio button is a tab stop while it is checked: none is, so the check box comes first.
TEST_F(FormNavigationTest, ShowingFocusesTheFirstTabStop) { EXPECT_EQ(FocusName(), "Check_Deaktivieren"); }

TEST_F(FormNavigationTest, TabAndShiftTabGoThroughTheTabStopsInOrderRoundTheForm) {
  form->Radio_Com2_->SetChecked(true);
  form->Check_Deaktivieren->SetEnabled(false);  // it had the focus: now none has it
  const struct {
    bool shift;
    const char* expected;
  } steps[] = {
      {false, "Radio_Com2_"},     {false, "But_Ok"},      {false, "But_Abbrechen"},   {false, "Edit_Namen"},
      {false, "List_Datensatz_"}, {false, "Radio_Com2_"}, {true, "List_Datensatz_"}, {true, "Edit_Namen"},
      {true, "But_Abbrechen"},
  };
  for (const auto& step : steps) {
    drv::PressKey(VK_TAB, step.shift);
    EXPECT_EQ(FocusName(), step.expected) << (step.shift ? "Shift+Tab" : "Tab");
  }
  // A hidden control is passed too.
  form->Edit_Namen->Hide();
  drv::PressKey(VK_TAB);
  EXPECT_EQ(FocusName(), "List_Datensatz_");
}

TEST_F(FormNavigationTest, TabIntoAnEditSelectsItsTextAndTheTabIsNotTyped) {
  form->Edit_Namen->SetText("Pumpe");
  form->But_Abbrechen->SetFocus();
  drv::PressKey(VK_TAB);
  ASSERT_EQ(FocusName(), "Edit_Namen");
  DWORD start = 0, end = 0;
  SendMessage(form->Edit_Namen->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);
  EXPECT_EQ(form->Edit_Namen->Text(), "Pumpe");
}

struct ButtonKeyCase {
  const char* name;
  const char* focus;  // the control focused before the key
  int vk;
  bool default_ok;    // But_Ok is the Default button
  bool cancel;        // But_Abbrechen is the Cancel button
  EventLog expected;
};

TEST_F(FormNavigationTest, ReturnClicksTheFocusedOrTheDefaultButtonAndEscapeTheCancelButton) {
  form->But_Abbrechen->OnClick = form->Logger("But_Abbrechen.Click");
  const ButtonKeyCase cases[] = {
      {"Return in the edit", "Edit_Namen", VK_RETURN, true, true, {"But_Ok.Click"}},
      {"Return on a check box", "Check_Deaktivieren", VK_RETURN, true, true, {"But_Ok.Click"}},
      {"Return on the other button", "But_Abbrechen", VK_RETURN, true, true, {"But_Abbrechen.Click"}},
      {"Return without a default", "Edit_Namen", VK_RETURN, false, true, {}},
      {"Escape", "Edit_Namen", VK_ESCAPE, true, true, {"But_Abbrechen.Click"}},
      {"Escape without a cancel button", "Edit_Namen", VK_ESCAPE, true, false, {}},
  };
  for (const ButtonKeyCase& c : cases) {
    form->But_Ok->SetDefault(c.default_ok);
    form->But_Abbrechen->SetCancel(c.cancel);
    drv::FindControl(*form, c.focus)->SetFocus();
    form->log.clear();
    drv::PressKey(c.vk);
    EventLog clicks;
    for (const std::string& line : form->log)
      if (line.find(".Click") != std::string::npos) clicks.push_back(line);
    EXPECT_EQ(clicks, c.expected) << c.name;
    EXPECT_EQ(form->Edit_Namen->Text(), "") << c.name;
  }
}

TEST_F(FormNavigationTest, TheDefaultButtonIsDrawnAsDefaultAndADisabledOneIsNotClicked) {
  form->But_Ok->SetDefault(true);
  EXPECT_EQ(GetWindowLong(form->But_Ok->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  form->But_Ok->SetEnabled(false);
  form->Edit_Namen->SetFocus();
  form->log.clear();
  drv::PressKey(VK_RETURN);
  EXPECT_EQ(form->log, EventLog{});
}

TEST_F(FormNavigationTest, ReturnOnTheDefaultButtonEndsAModalRunWithItsResult) {
  form->Hide();
  form->But_Ok->SetDefault(true);
  form->But_Ok->SetModalResult(mrOk);
  drv::OnAnyDialogIdle([&](HWND modal) {
    ASSERT_EQ(modal, form->Handle());
    drv::Type(form->Edit_Namen->Handle(), "Pumpe");
    drv::PressKey(VK_RETURN);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(form->Edit_Namen->Text(), "Pumpe");
}

}  // namespace
}  // namespace vcltest
