// The application: forms in creation order, the main loop and termination, ProcessMessages on and off the window
// thread, the active flag, help contexts, message boxes and the display of an exception that reaches the loop.
#include <gtest/gtest.h>

#include <thread>

#include "platform/testing/driver.h"
#include "platform/testing/vcl_driver.h"
#include "platform/win/idle.h"
#include "platform/win/win.h"
#include "tests/platform/vcl/demo_form.h"

namespace vcltest {
namespace {

namespace drv = platform::testing;

class TData : public TDataModule {
 public:
  explicit TData(TComponent* owner) : TDataModule(owner) {
    OnCreate = [](TObject*) { Order().push_back("Data"); };
  }
  static EventLog& Order() {
    static EventLog order;
    return order;
  }
};

class TOrderedForm : public TForm {
 public:
  explicit TOrderedForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) { TData::Order().push_back(Name().empty() ? "Form" : Name()); };
  }
};

using ApplicationTest = VclTest;

TEST_F(ApplicationTest, FormsAreCreatedInOrderAndADataModuleIsNoMainForm) {
  TData::Order().clear();
  Application->SetTitle("Tastomatik - Tool");
  Application->SetHelpFile("Txl31.hlp");
  Application->CreateForm<TData>();
  TOrderedForm* first = Application->CreateForm<TOrderedForm>();
  Application->CreateForm<TOrderedForm>();
  EXPECT_EQ(TData::Order(), (EventLog{"Data", "Form", "Form"}));
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_EQ(Application->Title(), "Tastomatik - Tool");
}

TEST_F(ApplicationTest, RunShowsTheMainFormAndEndsWhenItCloses) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  int step = 0;
  drv::OnMainIdle([&] {
    switch (step++) {
      case 0:
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_TRUE(Application->Active());
        drv::ClickControl(*form, "But_Ok");
        return true;
      case 1: form->Close(); return true;
      default: return false;  // not reached: the close ended the loop
    }
  });
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(step, 2);
  EXPECT_EQ(form->log, (EventLog{"Form.Create", "Form.Show", "But_Ok.MouseDown", "But_Ok.MouseUp", "But_Ok.Click",
                                 "Form.CloseQuery", "Form.Close"}));
}

TEST_F(ApplicationTest, TerminatedHoldsAtOnceEvenForALoopThatPumpsWithPeekMessage) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  Application->Terminate();
  EXPECT_TRUE(Application->Terminated());
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);  // the quit message is lost here
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, ProcessMessagesHandlesWaitingMessagesOnTheWindowThreadOnly) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  drv::PumpUntilIdle();
  form->log.clear();
  PostMessage(form->Handle(), WM_CLOSE, 0, 0);
  std::thread worker([] { Application->ProcessMessages(); });
  worker.join();
  EXPECT_TRUE(platform::win::HasPendingWork());  // the worker handled nothing
  EXPECT_FALSE(Application->Terminated());
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated());  // the main form closed
}

TEST_F(ApplicationTest, TheActiveFlagFollowsTheActiveWindow) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  EXPECT_FALSE(Application->Active());
  form->Show();
  EXPECT_TRUE(Application->Active());
  SetActiveWindow(nullptr);
  EXPECT_FALSE(Application->Active());
}

TEST_F(ApplicationTest, HelpContextCallsTheHelpFileAndNothingWithoutOne) {
  Application->CreateForm<TDemoForm>();
  EXPECT_FALSE(Application->HelpContext(100));
  Application->SetHelpFile("Txl31.hlp");
  EXPECT_TRUE(Application->HelpContext(100));
  const auto& requests = platform::win::HelpRequests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].file, "Txl31.hlp");
  EXPECT_EQ(requests[0].command, HELP_CONTEXT);
  EXPECT_EQ(requests[0].data, 100u);
}

TEST_F(ApplicationTest, MessageBoxAsksOverTheActiveForm) {
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  drv::AnswerMessageBox(IDNO);
  EXPECT_EQ(Application->MessageBox("Datensatz \xFC" "berschreiben ?", "... aus ZPR-Datei laden", MB_YESNO), IDNO);
  ASSERT_EQ(drv::MessageBoxes().size(), 1u);
  EXPECT_EQ(drv::MessageBoxes()[0].owner, form->Handle());
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Datensatz \xFC" "berschreiben ?");
  EXPECT_EQ(drv::MessageBoxes()[0].caption, "... aus ZPR-Datei laden");
}

TEST_F(ApplicationTest, AnExceptionFromAHandlerIsShownAndTheLoopGoesOn) {
  Application->SetTitle("Trevant");
  TDemoForm* form = Application->CreateForm<TDemoForm>();
  form->Show();
  form->But_Ok->OnClick = [](TObject*) { throw Exception("Laufzeitfehler"); };
  form->Timer_Startdelay_->OnTimer = [](TObject*) { throw std::runtime_error("COM - Fehler !"); };
  form->Timer_Startdelay_->SetEnabled(true);
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDOK; });
  drv::ClickControl(*form, "But_Ok");
  drv::Advance(500);
  ASSERT_EQ(drv::MessageBoxes().size(), 2u);
  EXPECT_EQ(drv::MessageBoxes()[0].text, "Laufzeitfehler.");  // a period is added after a letter
  EXPECT_EQ(drv::MessageBoxes()[0].caption, "Trevant");
  EXPECT_EQ(drv::MessageBoxes()[0].type & MB_ICONSTOP, MB_ICONSTOP);
  EXPECT_EQ(drv::MessageBoxes()[1].text, "COM - Fehler !");  // not after '!'
  // OnException takes over the display.
  std::string seen;
  Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
  drv::ClickControl(*form, "But_Ok");
  EXPECT_EQ(seen, "Laufzeitfehler");
  EXPECT_EQ(drv::MessageBoxes().size(), 2u);
}

}  // namespace
}  // namespace vcltest
