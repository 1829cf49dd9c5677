// txtool end to end with the simulated Tastomatik on a pseudo-terminal: the start form finds the unit, a vqpt32
// project goes into a slot and comes back out of it as a project file that vqpt32 reads, and a unit pulled in
// the middle of a read leaves nothing on disk. The unit runs on a thread of its own, the forms on the test's
// window thread with the real clock (the line's time-outs are real). Also run under ThreadSanitizer.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "handheld/txtool/data_module.h"
#include "handheld/txtool/dialogs.h"
#include "handheld/txtool/main_form.h"
#include "handheld/txtool/start_form.h"
#include "handheld/txtool/txtool_application.h"
#include "handheld/txtool/txtool_texts.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "platform/comm/pseudo_terminal.h"
#include "platform/sys/clock.h"
#include "platform/sys/module_path.h"
#include "platform/testing/driver.h"
#include "platform/vcl/application.h"
#include "platform/win/win.h"
#include "sim/handheld/tastomatik.h"
#include "tests/handheld/txtool/forms_support.h"
#include "tests/handheld/txtool/unit_on_line.h"

namespace txtool {
namespace {

namespace fs = std::filesystem;
namespace drv = platform::testing;
namespace tasto = sim::tasto;
using namespace std::chrono_literals;

constexpr int kCom = 46;
constexpr std::uint16_t kSize = 2048;
tasto::Unit TestUnit() {
  tasto::Unit u;
  u.data_set_size = kSize;
  for (int n = 0; n < 4; ++n) {
    tasto::Slot s;
    s.attribute = n == 1 ? 0x0003 : n == 3 ? 0x0000 : 0x0001;
    s.image.assign(kSize, static_cast<std::uint8_t>(n));
    u.slots.push_back(s);
  }
  return u;
}

class TxToolUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    if (!unit.ok()) GTEST_SKIP() << "no pseudo-terminal";
    dir = fs::temp_directory_path() / ("txunit_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    platform::sys::SetExecutablePathOverride((dir / "txtool").string());
    ::setenv(("COM" + std::to_string(kCom)).c_str(), unit.path().c_str(), 1);
    Application->Reset();
    drv::OnMessageBox([](const drv::MessageBoxRecord& m) { return (m.type & 0xF) == MB_YESNO ? IDYES : IDOK; });
    data = CreateTxToolForms();
    main = data->MainForm;
    main->ShowStartForm = false;
    start = Application->Find<TStartform_>("Startform_");
    unit.Start();
  }
  void TearDown() override {
    unit.Stop();
    Application->Reset();  // terminates and joins the worker
    ::unsetenv(("COM" + std::to_string(kCom)).c_str());
    platform::sys::SetExecutablePathOverride(std::nullopt);
    if (!dir.empty()) fs::remove_all(dir);
  }
  // PumpUntil, noting every status text shown on the way (for the message of a failure).
  bool PumpNoting(const std::function<bool()>& done) {
    return PumpUntil([&] {
      const std::string& caption = main->Pan_BoxText->Caption();
      if (captions.empty() || captions.back() != caption) captions.push_back(caption);
      return done();
    });
  }
  std::string Seen() { return "state " + std::to_string(State()) + ", " + ::testing::PrintToString(captions); }
  int State() {
    const auto shared = data->Shared();
    std::lock_guard lock(shared->mutex);
    return shared->state;
  }
  // The start form's Ok on port kCom: it returns once the list has been read.
  void Connect() {
    data->PortNumber = kCom;
    start->But_Ok_Click(start);
    ASSERT_EQ(start->ModalResult(), mrOk);
    ASSERT_EQ(main->List_Datensatz_->Count(), 4);
  }
  // A vqpt32 project file with its own device type and one value.
  std::string Vqpt32Project(std::uint8_t type, std::uint8_t value) {
    const std::string project = txtool::Vqpt32Project((dir / "anlage.ZPR").string(), type, value);
    EXPECT_FALSE(project.empty());
    return project;
  }
  std::vector<std::string> MessagesSince(std::size_t first) const {
    std::vector<std::string> texts;
    const auto& all = drv::MessageBoxes();
    for (std::size_t i = first; i < all.size(); ++i) texts.push_back(all[i].text);
    return texts;
  }
  // The name dialog answered with this name whenever it waits.
  static void NameTheDataSet(const std::string& name) {
    drv::OnAnyDialogIdle([name](HWND dialog) {
      if (auto* names = dynamic_cast<TDlg_Namen_*>(TControl::FromHandle(dialog))) {
        names->Edit_Namen->SetText(name);
        names->But_Weiter_Click(names);
      }
    });
  }

  UnitOnLine unit{TestUnit()};
  std::vector<std::string> captions;
  drv::Session session;
  fs::path dir;
  TData* data = nullptr;
  TArbeitsform_* main = nullptr;
  TStartform_* start = nullptr;
};

TEST_F(TxToolUnit, AVqpt32ProjectGoesIntoASlotAndComesBackAsAProjectFile) {
  Connect();
  EXPECT_EQ(main->List_Datensatz_->Item(1)->SubItems()[3], kTextYes);

  // vqpt32's project with two values of its own.
  const std::uint8_t type = 61, value = 0x33;
  const std::string project = Vqpt32Project(type, value);

  // Into slot 3: overwrite asked, the file chosen, the name given.
  main->List_Datensatz_->SetItemIndex(2);
  drv::AnswerFileDialog(project);
  NameTheDataSet("Presse 7");
  const int lists = static_cast<int>(drv::MessageBoxes().size());
  main->But_Laden_Click(main);
  EXPECT_EQ(drv::MessageBoxes().at(static_cast<std::size_t>(lists)).text, kTextOverwrite);
  // The list comes back once the unit has the data set and its name (the LED goes out with it).
  ASSERT_TRUE(PumpUntil([&] { return !main->Led_Arbeit->Active(); }));
  EXPECT_EQ(State(), kStateIdle);  // the name was given: the write is complete
  EXPECT_EQ(main->List_Datensatz_->Item(2)->SubItems()[0], "Presse 7");
  {
    const auto shared = data->Shared();
    std::lock_guard lock(shared->mutex);
    EXPECT_EQ(shared->file_names[2], project);
  }

  // Out of slot 3 into a project file.
  main->List_Datensatz_->SetItemIndex(2);
  const std::string saved = (dir / "zurueck.ZPR").string();
  drv::AnswerFileDialog(saved);
  main->But_Speichern_Click(main);
  EXPECT_EQ(drv::FileDialogs().back().proposed, "Presse 7.ZPR");
  ASSERT_TRUE(PumpUntil([&] { return !main->Led_Arbeit->Active(); }));
  ASSERT_TRUE(fs::exists(saved));

  // vqpt32 reads it: TX-Tool's older layout, the values as they went in.
  ASSERT_EQ(model::InitDataSet(1), 0);
  EXPECT_EQ(model::ProjectFileAccess(model::kProjectOpen, 1, saved.c_str()), model::kFileOlderLayout);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectReadProject, 1, saved.c_str()), model::kFileDone);
  std::uint8_t got_type = 0, got_value = 0;
  model::ReadElement(304, 1, &got_type, model::kModeRaw, 1);
  model::ReadElement(11, 5, &got_value, model::kModeRaw, 1);
  EXPECT_EQ(got_type, type);
  EXPECT_EQ(got_value, value);

  unit.Stop();
  const tasto::Slot& slot = unit.unit().slots[2];
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(slot.name.data())), "Presse 7");
  ASSERT_GE(slot.image.size(), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(slot.image.begin(), slot.image.begin() + 4),
            (std::vector<std::uint8_t>{2, 238, 1, kSize >> 8}));
}

TEST_F(TxToolUnit, AUnitPulledDuringAReadLeavesNothingOnDisk) {
  Connect();
  main->List_Datensatz_->SetItemIndex(0);
  const std::string file = (dir / "halb.ZPR").string();
  drv::AnswerFileDialog(file);
  unit.PullDuringNextJob();
  const std::size_t boxes = drv::MessageBoxes().size();
  main->But_Speichern_Click(main);
  // The worker hears nothing, tells which job did not finish, reports the lost unit and waits for the next one;
  // the list is read again.
  ASSERT_TRUE(PumpNoting([&] { return !data->ListValid && main->List_Datensatz_->Count() == 0; })) << Seen();
  ASSERT_TRUE(PumpNoting([&] { return data->ListValid; })) << Seen();
  EXPECT_EQ(main->List_Datensatz_->Count(), 4);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_TRUE(main->Speed_Wechseln->Enabled());
  EXPECT_EQ(MessagesSince(boxes), (std::vector<std::string>{UnfinishedJobMessage(kStateReadDataSet, 0)}));
  EXPECT_EQ(UnfinishedJobMessage(kStateReadDataSet, 0),
            "Die Tastomatik antwortet nicht mehr !\n\nDer Datensatz 1 wurde nicht vollst\xE4ndig gelesen.");
}

TEST_F(TxToolUnit, AFailedFirstJobKeepsTheListAndAnOccupiedSlotIsNotOverwrittenUnasked) {
  unit.FailNextJob(3);
  const std::size_t boxes = drv::MessageBoxes().size();
  Connect();
  EXPECT_EQ(MessagesSince(boxes), (std::vector<std::string>{kTextCommFailure}));
  // The list is the unit's, read again after the failure: valid slots, version, size.
  const std::vector<std::string> status = {kTextOk, kTextOk, kTextOk, kTextInvalid};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(main->List_Datensatz_->Item(i)->SubItems()[1], status[i]) << i;
  EXPECT_EQ(data->BoxInfo->Lab_Boxversion->Caption(), "TASTO V 3.02");
  EXPECT_EQ(data->BoxInfo->Lab_Groesse_ds->Caption(), std::to_string(kSize) + kTextBytes);
  // Loading into an occupied slot asks first; the answer no ends it.
  drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDNO; });
  main->List_Datensatz_->SetItemIndex(0);
  const std::size_t asked = drv::MessageBoxes().size();
  main->But_Laden_Click(main);
  EXPECT_EQ(MessagesSince(asked), (std::vector<std::string>{kTextOverwrite}));
  EXPECT_TRUE(drv::FileDialogs().empty());
}

TEST_F(TxToolUnit, AUnitPulledDuringAWriteKeepsTheSlotInvalid) {
  Connect();
  main->List_Datensatz_->SetItemIndex(3);
  drv::AnswerFileDialog(Vqpt32Project(61, 0x33));
  NameTheDataSet("Halb");
  unit.PullDuringNextJob();
  const std::size_t boxes = drv::MessageBoxes().size();
  main->But_Laden_Click(main);
  ASSERT_TRUE(PumpNoting([&] { return !data->ListValid && main->List_Datensatz_->Count() == 0; })) << Seen();
  ASSERT_TRUE(PumpNoting([&] { return data->ListValid; })) << Seen();
  ASSERT_EQ(main->List_Datensatz_->Count(), 4);
  EXPECT_EQ(main->List_Datensatz_->Item(3)->SubItems()[0], "");
  EXPECT_EQ(main->List_Datensatz_->Item(3)->SubItems()[1], kTextInvalid);
  EXPECT_EQ(MessagesSince(boxes), (std::vector<std::string>{UnfinishedJobMessage(kStateWriteDataSet, 3)}));
  EXPECT_NE(UnfinishedJobMessage(kStateWriteDataSet, 3).find("Datensatz 4 wurde nicht vollst\xE4ndig geschrieben,\n"
                                                             "der Speicherplatz ist jetzt ung\xFCltig."),
            std::string::npos);
  unit.Stop();
  EXPECT_EQ(unit.unit().slots[3].attribute & 1, 0);
}

}  // namespace
}  // namespace txtool
