// The components of the form layer driven as a user drives them: found by Name, clicked, typed into, with the
// events in the originals' order.
#include <gtest/gtest.h>

#include "platform/backend/capture.h"
#include "platform/gdi/sys_colors.h"
#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/input_injection.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;

class ControlsTest : public VclTest {
 protected:
  void SetUp() override {
    form = Application->CreateForm<TDemoForm>();
    form->Show();
    drv::PumpUntilIdle();
    form->log.clear();
  }
  TDemoForm* form = nullptr;
};

TEST_F(ControlsTest, EveryControlIsFoundByNameWithItsWindow) {
  for (const char* name : {"Pan_Schnittstelle", "Radio_Com1_", "Radio_Com2_", "Check_Deaktivieren", "Lab_Status",
                           "But_Ok", "Speed_Ende", "Edit_Namen", "Pro_Status", "List_Datensatz_", "Led_Arbeit",
                           "Zeile"}) {
    TControl* control = drv::FindControl(*form, name);
    ASSERT_NE(control, nullptr) << name;
    EXPECT_TRUE(IsWindow(control->Handle())) << name;
    EXPECT_EQ(TControl::FromHandle(control->Handle()), control) << name;
  }
  EXPECT_EQ(drv::FindControl(*form, "radio_com2_"), form->Radio_Com2_);  // names match without case
  EXPECT_EQ(drv::FindControl(*form, "Timer_Startdelay_"), nullptr);     // a component, not a control
  EXPECT_NE(form->Find<TTimer>("Timer_Startdelay_"), nullptr);
  EXPECT_EQ(drv::FindControl(*form, "Nichts"), nullptr);
  // The radio buttons sit on their panel's window.
  EXPECT_EQ(GetParent(form->Radio_Com1_->Handle()), form->Pan_Schnittstelle->Handle());
}

struct MouseCase {
  const char* control;
  EventLog expected;
};

TEST_F(ControlsTest, AClickRunsMouseDownMouseUpThenClick) {
  const MouseCase cases[] = {
      {"But_Ok", {"But_Ok.MouseDown", "But_Ok.MouseUp", "But_Ok.Click"}},
      {"Speed_Ende", {"Speed_Ende.MouseDown", "Speed_Ende.MouseUp", "Speed_Ende.Click"}},
      {"Zeile", {"Zeile.MouseDown", "Zeile.MouseUp", "Zeile.Click"}},
  };
  for (const MouseCase& c : cases) {
    form->log.clear();
    ASSERT_TRUE(drv::ClickControl(*form, c.control));
    EXPECT_EQ(form->log, c.expected) << c.control;
  }
}

TEST_F(ControlsTest, HoldingAButtonGivesMouseDownAloneAndReleasingElsewhereNoClick) {
  ASSERT_TRUE(drv::MouseDownOn(*form, "Speed_Ende", true));
  EXPECT_EQ(form->log, (EventLog{"Speed_Ende.MouseDownS"}));
  // Released outside the button (the capture brings the release back to it): no click.
  platform::win::InjectMouse(form->Speed_Ende->Handle(), WM_LBUTTONUP, 200, 200, 0);
  drv::PumpUntilIdle();
  EXPECT_EQ(form->log, (EventLog{"Speed_Ende.MouseDownS", "Speed_Ende.MouseUp"}));
}

TEST_F(ControlsTest, RightButtonGivesMouseEventsButNoClick) {
  drv::RightClickAt(form->Speed_Ende->Handle(), 5, 5);
  EXPECT_EQ(form->log, (EventLog{"Speed_Ende.MouseDown right", "Speed_Ende.MouseUp right"}));
}

TEST_F(ControlsTest, ADisabledControlTakesNoClick) {
  form->But_Ok->SetEnabled(false);
  form->Speed_Ende->SetEnabled(false);
  drv::ClickControl(*form, "But_Ok");
  drv::ClickControl(*form, "Speed_Ende");
  EXPECT_TRUE(form->log.empty());
  form->Speed_Ende->SetEnabled(true);
  drv::ClickControl(*form, "Speed_Ende");
  EXPECT_EQ(form->log.back(), "Speed_Ende.Click");
}

TEST_F(ControlsTest, RadioButtonsOfOnePanelExcludeEachOtherAndClickOnChecking) {
  drv::ClickControl(*form, "Radio_Com2_");
  EXPECT_TRUE(form->Radio_Com2_->Checked());
  EXPECT_FALSE(form->Radio_Com1_->Checked());
  form->Radio_Com1_->SetChecked(true);  // the program's check clicks too, as the user's does
  EXPECT_FALSE(form->Radio_Com2_->Checked());
  EXPECT_EQ(SendMessage(form->Radio_Com2_->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(form->Radio_Com1_->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  drv::ClickControl(*form, "Radio_Com1_");  // already checked: no second click
  form->Radio_Com1_->SetChecked(false);    // unchecking clicks nothing
  EXPECT_EQ(form->log, (EventLog{"Radio_Com2_.Click 2", "Radio_Com1_.Click 1"}));
}

TEST_F(ControlsTest, CheckBoxTogglesOnEachClick) {
  drv::ClickControl(*form, "Check_Deaktivieren");
  EXPECT_TRUE(form->Check_Deaktivieren->Checked());
  drv::ClickControl(*form, "Check_Deaktivieren");
  EXPECT_FALSE(form->Check_Deaktivieren->Checked());
  EXPECT_EQ(form->log, (EventLog{"Check_Deaktivieren.Click", "Check_Deaktivieren.Click"}));
}

TEST_F(ControlsTest, EditTakesTypedTextUpToMaxLengthAndReportsEachChange) {
  ASSERT_TRUE(drv::TypeInto(*form, "Edit_Namen", "Datensatz_Nummer_17"));
  EXPECT_EQ(form->Edit_Namen->Text(), "Datensatz_Nummer");  // 16 characters
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Edit_Namen.Change"), 16);
  form->log.clear();
  form->Edit_Namen->SetText("");
  EXPECT_EQ(form->log, (EventLog{"Edit_Namen.Change"}));
  form->Edit_Namen->SetEnabled(false);
  form->Edit_Namen->SetColor(clBtnFace);
  EXPECT_FALSE(IsWindowEnabled(form->Edit_Namen->Handle()));
  EXPECT_EQ(form->Edit_Namen->Color(), clBtnFace);
}

TEST_F(ControlsTest, AnEditIsPaintedInItsColourAndARadioButtonOnItsPanelsColour) {
  struct Case {
    TColor color;
    bool enabled;
    COLORREF expected;
  };
  const Case cases[] = {
      {clWindow, true, GetSysColor(COLOR_WINDOW)},
      {clBtnFace, false, GetSysColor(COLOR_BTNFACE)},  // the unit dialog's switched-off fields
      {clYellow, true, RGB(0xFF, 0xFF, 0)},
  };
  HWND edit = form->Edit_Namen->Handle();
  RECT r;
  GetClientRect(edit, &r);
  for (const Case& c : cases) {
    form->Edit_Namen->SetEnabled(c.enabled);
    form->Edit_Namen->SetColor(c.color);
    drv::PumpUntilIdle();
    EXPECT_EQ(platform::backend::WindowPixel(edit, r.right - 4, r.bottom / 2), c.expected) << c.color;
  }
  form->Pan_Schnittstelle->SetColor(clAqua);
  form->Radio_Com1_->Invalidate();
  drv::PumpUntilIdle();
  RECT rr;
  GetClientRect(form->Radio_Com1_->Handle(), &rr);
  EXPECT_EQ(platform::backend::WindowPixel(form->Radio_Com1_->Handle(), rr.right - 2, rr.bottom - 2), RGB(0, 0xFF, 0xFF));
}

TEST_F(ControlsTest, ProgressBarHoldsItsPositionInRange) {
  TProgressBar& bar = *form->Pro_Status;
  bar.SetPosition(40);
  EXPECT_EQ(bar.Position(), 32);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetMax(10);
  bar.SetPosition(10);
  bar.SetMax(4);
  EXPECT_EQ(bar.Position(), 4);
}

TEST_F(ControlsTest, ListViewSelectsTheClickedRowAndReportsOnlySelectionChanges) {
  TListView& list = *form->List_Datensatz_;
  EXPECT_EQ(list.Selected(), nullptr);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(1)->SubItems()[2], "Umrichter");
  const int row = list.RowHeight();
  drv::ClickAt(list.Handle(), 30, row + 4 + row + row / 2);  // the second row
  ASSERT_NE(list.Selected(), nullptr);
  EXPECT_EQ(list.Selected()->Caption(), "2");
  EXPECT_EQ(list.ItemIndex(), 1);
  drv::PressKey(VK_DOWN);
  EXPECT_EQ(list.ItemIndex(), 2);
  drv::PressKey(VK_DOWN);  // the last row stays
  drv::ClickAt(list.Handle(), 30, row / 2);  // the header selects nothing
  EXPECT_EQ(form->log, (EventLog{"List_Datensatz_.Change 2 on", "List_Datensatz_.Change 2 off",
                                 "List_Datensatz_.Change 3 on"}));
  form->log.clear();
  list.Clear();
  EXPECT_EQ(list.Selected(), nullptr);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.AddItem()->SetCaption("1");
  EXPECT_TRUE(form->log.empty());  // rebuilding the list changes no selection
}

TEST_F(ControlsTest, ShapeAndLabelPaintInTheirColours) {
  drv::PumpUntilIdle();
  HWND led = form->Led_Arbeit->Handle();
  EXPECT_EQ(platform::backend::WindowPixel(led, 10, 10), RGB(0xC0, 0xC0, 0xC0));
  form->Led_Arbeit->SetBrushColor(clLime);
  drv::PumpUntilIdle();
  EXPECT_EQ(platform::backend::WindowPixel(led, 10, 10), RGB(0, 0xFF, 0));
  EXPECT_EQ(platform::backend::WindowPixel(led, 0, 0), GetSysColor(COLOR_BTNFACE));  // outside the circle
  // The label draws its text in its font colour: some pixel of it is red.
  auto shot = platform::backend::CaptureWindow(form->Lab_Status->Handle());
  ASSERT_NE(shot, nullptr);
  int red = 0;
  for (int y = 0; y < shot->height(); ++y)
    for (int x = 0; x < shot->width(); ++x) red += shot->Pixel(x, y) == platform::gdi::ToPixel(RGB(0xFF, 0, 0));
  EXPECT_GT(red, 10);
}

}  // namespace
}  // namespace vcltest

namespace vcltest {
namespace {

TEST_F(ControlsTest, HidingAControlRepaintsOnlyWhatItCoveredAndTheOtherControlsStay) {
  const auto before = platform::backend::CaptureWindow(form->Handle());
  ASSERT_TRUE(before);
  form->Pan_Schnittstelle->Hide();
  drv::PumpUntilIdle();
  form->Pan_Schnittstelle->Show();
  drv::PumpUntilIdle();
  const auto after = platform::backend::CaptureWindow(form->Handle());
  ASSERT_TRUE(after);
  int differing = 0;
  for (int y = 0; y < before->height(); ++y) {
    for (int x = 0; x < before->width(); ++x) differing += before->Pixel(x, y) != after->Pixel(x, y);
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace vcltest
