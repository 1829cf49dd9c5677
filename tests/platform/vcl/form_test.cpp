// Forms: showing, closing (with the close query and the close action), modal runs, the main form, Release,
// and KeyPreview with the shift state.
#include <gtest/gtest.h>

#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/idle.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;

class FormTest : public VclTest {
 protected:
  void SetUp() override {
    main = Application->CreateForm<TDemoForm>();
    dialog = Application->CreateForm<TDemoForm>();
    dialog->SetName("Dlg");
  }
  TDemoForm* main = nullptr;
  TDemoForm* dialog = nullptr;
};

TEST_F(FormTest, TheFirstFormIsTheMainFormAndEachFormRanOnCreate) {
  EXPECT_EQ(Application->MainForm(), main);
  EXPECT_EQ(main->log, (EventLog{"Form.Create"}));
  EXPECT_EQ(dialog->log, (EventLog{"Form.Create"}));
  EXPECT_FALSE(main->Visible());
  EXPECT_FALSE(IsWindowVisible(main->Handle()));
}

struct CloseCase {
  const char* name;
  bool may_close;
  TCloseAction action;
  EventLog expected;
  bool visible_after;
};

TEST_F(FormTest, CloseAsksTheQueryThenRunsOnCloseWithItsAction) {
  const CloseCase cases[] = {
      {"hide", true, caHide, {"Form.CloseQuery", "Form.Close", "Form.Hide"}, false},
      {"refused", false, caHide, {"Form.CloseQuery"}, true},
      {"none", true, caNone, {"Form.CloseQuery", "Form.Close"}, true},
  };
  for (const CloseCase& c : cases) {
    dialog->Show();
    dialog->log.clear();
    dialog->may_close = c.may_close;
    dialog->close_action = c.action;
    dialog->Close();
    EXPECT_EQ(dialog->log, c.expected) << c.name;
    EXPECT_EQ(dialog->Visible(), c.visible_after) << c.name;
    EXPECT_EQ(IsWindowVisible(dialog->Handle()) != 0, c.visible_after) << c.name;
    EXPECT_FALSE(Application->Terminated()) << c.name;
  }
}

TEST_F(FormTest, TheWindowManagersCloseClosesTheFormAndTheMainFormEndsTheApplication) {
  dialog->Show();
  SendMessage(dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(dialog->Visible());
  main->Show();
  PostMessage(main->Handle(), WM_CLOSE, 0, 0);
  drv::PumpUntilIdle();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(FormTest, CaFreeDestroysTheFormAfterTheMessage) {
  dialog->Show();
  dialog->close_action = caFree;
  HWND hwnd = dialog->Handle();
  dialog->Close();
  EXPECT_TRUE(IsWindow(hwnd));  // the handler that asked is still running
  drv::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(Application->Find<TForm>("Dlg"), nullptr);
}

TEST_F(FormTest, ShowModalRunsUntilAButtonWithAModalResult) {
  main->Show();
  drv::OnAnyDialogIdle([&](HWND modal) {
    EXPECT_EQ(modal, dialog->Handle());
    EXPECT_FALSE(IsWindowEnabled(main->Handle()));  // the other forms wait
    drv::ClickControl(*dialog, "But_Abbrechen");
  });
  dialog->log.clear();
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(dialog->log, (EventLog{"Form.Show", "Form.CloseQuery", "Form.Close", "Form.Hide"}));
  EXPECT_FALSE(dialog->Visible());
  EXPECT_TRUE(IsWindowEnabled(main->Handle()));
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST_F(FormTest, ARefusedCloseQueryKeepsAModalFormOpen) {
  int round = 0;
  drv::OnAnyDialogIdle([&](HWND) {
    ++round;
    if (round == 1) {
      dialog->may_close = false;
      dialog->Close();
    } else if (round == 2) {
      EXPECT_TRUE(dialog->Visible());
      EXPECT_EQ(dialog->ModalResult(), mrNone);
      dialog->may_close = true;
      dialog->SetModalResult(mrOk);
    }
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(round, 2);
}

TEST_F(FormTest, AnExceptionOfACloseHandlerAtTheEndOfAModalRunIsShownAndTheFormStays) {
  bool thrown = false;
  dialog->OnCloseQuery = [&](TObject*, bool&) {
    if (!thrown) {
      thrown = true;
      throw Exception("Datensatz Initialisierungsfehler");
    }
  };
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDOK; });
  drv::OnAnyDialogIdle([&](HWND) { dialog->SetModalResult(mrOk); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);  // the second end went through
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Datensatz Initialisierungsfehler.");
  EXPECT_TRUE(platform::win::ModalWindows().empty());
}

TEST_F(FormTest, ShowModalFromInsideOnShowAndShowFromInsideTheModalForm) {
  // The main form's OnShow runs a start form modally; the start form shows the main form and closes itself.
  main->OnShow = [&](TObject*) {
    main->log.push_back("Main.Show");
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    main->log.push_back("Main.ShowDone");
  };
  drv::OnAnyDialogIdle([&](HWND) {
    main->Show();  // already showing: no second OnShow
    dialog->SetModalResult(mrOk);
  });
  main->log.clear();
  main->Show();
  EXPECT_EQ(main->log, (EventLog{"Main.Show", "Main.ShowDone"}));
  EXPECT_TRUE(IsWindowVisible(main->Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
}

TEST_F(FormTest, AVisibleFormCannotBeShownModally) {
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), EInvalidOperation);
}

TEST_F(FormTest, TerminatingTheApplicationEndsAModalRunWithCancel) {
  drv::OnAnyDialogIdle([&](HWND) { Application->Terminate(); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(Application->Terminated());
}

struct KeyCase {
  const char* name;
  int vk;
  bool shift;
  bool ctrl;
  EventLog expected;
};

TEST_F(FormTest, KeyPreviewGivesTheFormEachKeyFirstWithTheShiftState) {
  main->SetKeyPreview(true);
  main->Show();
  main->But_Ok->SetFocus();
  main->But_Ok->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    main->log.push_back("But_Ok.KeyDown " + std::to_string(key) + ShiftText(shift));
  };
  const KeyCase cases[] = {
      {"Shift+Z", 'Z', true, false, {"Form.KeyDown 90S", "But_Ok.KeyDown 90S"}},
      {"F1", VK_F1, false, false, {"Form.KeyDown 112", "But_Ok.KeyDown 112"}},
      {"Ctrl+Left", VK_LEFT, false, true, {"Form.KeyDown 37C", "But_Ok.KeyDown 37C"}},
      // Return on a focused button clicks it.
      {"Return", VK_RETURN, false, false, {"Form.KeyDown 13", "But_Ok.KeyDown 13", "But_Ok.Click"}},
  };
  for (const KeyCase& c : cases) {
    main->log.clear();
    drv::PressKey(c.vk, c.shift, c.ctrl);
    // The shift and control keys themselves come first.
    EventLog keys;
    for (const std::string& line : main->log)
      if (line.find(" 16") == std::string::npos && line.find(" 17") == std::string::npos) keys.push_back(line);
    EXPECT_EQ(keys, c.expected) << c.name;
  }
  // A key the form takes (sets to 0) does not reach the control.
  main->consume_key = VK_F12;
  main->log.clear();
  drv::PressKey(VK_F12);
  EXPECT_EQ(main->log, (EventLog{"Form.KeyDown 123"}));
  // Without KeyPreview the focused control alone sees it.
  main->SetKeyPreview(false);
  main->log.clear();
  drv::PressKey(VK_ESCAPE);
  EXPECT_EQ(main->log, (EventLog{"But_Ok.KeyDown 27"}));
}

TEST_F(FormTest, KeysReachTheFormWhenNoControlHasTheFocus) {
  main->Show();
  SetFocus(nullptr);
  SetActiveWindow(main->Handle());
  main->log.clear();
  drv::PressKey('1');
  EXPECT_EQ(main->log, (EventLog{"Form.KeyDown 49"}));
}

}  // namespace
}  // namespace vcltest
