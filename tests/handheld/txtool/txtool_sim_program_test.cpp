// TX-Tool's forms against the handheld-sim program: every simulated slot is saved as a project file that vqpt32
// sends to the inverter-sim program (exit code 0), a project put into a slot with --load comes back out as it
// went in, and a name given in TX-Tool is kept by the unit (in its state file) and shows again on the next
// connection. The forms run on the test's window thread with the real clock. Also run under ThreadSanitizer.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "handheld/txtool/data_module.h"
#include "handheld/txtool/dialogs.h"
#include "handheld/txtool/main_form.h"
#include "handheld/txtool/start_form.h"
#include "handheld/txtool/txtool_application.h"
#include "handheld/txtool/txtool_texts.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "platform/sys/clock.h"
#include "platform/sys/module_path.h"
#include "platform/testing/driver.h"
#include "platform/vcl/application.h"
#include "platform/win/win.h"
#include "tests/app/service_fixture.h"
#include "tests/handheld/txtool/forms_support.h"
#include "tests/handheld/txtool/sim_process.h"

namespace txtool {
namespace {

namespace fs = std::filesystem;
namespace drv = platform::testing;
using namespace std::chrono_literals;

constexpr int kCom = 48;

class TxToolSimProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    dir = fs::temp_directory_path() / ("txsim_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    platform::sys::SetExecutablePathOverride((dir / "txtool").string());
    drv::OnMessageBox([](const drv::MessageBoxRecord& m) { return (m.type & 0xF) == MB_YESNO ? IDYES : IDOK; });
  }
  void TearDown() override {
    Application->Reset();
    ::unsetenv(("COM" + std::to_string(kCom)).c_str());
    platform::sys::SetExecutablePathOverride(std::nullopt);
    fs::remove_all(dir);
  }
  // Fresh forms (as a new start of the program) on the simulator's terminal, Ok on the start form: back once
  // the list has been read.
  void Connect(const SimProcess& unit, int rows) {
    Application->Reset();
    ::setenv(("COM" + std::to_string(kCom)).c_str(), unit.path().c_str(), 1);
    data = CreateTxToolForms();
    main = data->MainForm;
    main->ShowStartForm = false;
    auto* start = Application->Find<TStartform_>("Startform_");
    data->PortNumber = kCom;
    start->But_Ok_Click(start);
    ASSERT_EQ(start->ModalResult(), mrOk);
    ASSERT_EQ(main->List_Datensatz_->Count(), rows);
  }
  std::string Row(int row, int column) { return main->List_Datensatz_->Item(row)->SubItems()[column]; }
  // Slot row saved as a project file: no message on the way.
  void Save(int row, const std::string& file) {
    const std::size_t boxes = drv::MessageBoxes().size();
    main->List_Datensatz_->SetItemIndex(row);
    drv::AnswerFileDialog(file);
    main->But_Speichern_Click(main);
    ASSERT_TRUE(PumpUntil([&] { return !main->Led_Arbeit->Active(); }));
    EXPECT_EQ(drv::MessageBoxes().size(), boxes) << drv::MessageBoxes().back().text;
    EXPECT_TRUE(fs::exists(file)) << file;
  }
  std::string Vqpt32Project(const std::string& name, std::uint8_t type, std::uint8_t value) {
    const std::string project = txtool::Vqpt32Project((dir / name).string(), type, value);
    EXPECT_FALSE(project.empty());
    return project;
  }

  drv::Session session;
  fs::path dir;
  TData* data = nullptr;
  TArbeitsform_* main = nullptr;
};

TEST_F(TxToolSimProgram, EverySlotIsSavedAsAProjectThatVqpt32SendsToTheInverter) {
  const std::string loaded = Vqpt32Project("anlage.ZPR", 61, 0x33);
  SimProcess unit({"--pty", "--slots", "3", "--load", "4=" + loaded});
  ASSERT_FALSE(unit.path().empty());
  Connect(unit, 4);
  const std::vector<std::string> names = {"Datensatz 1", "Datensatz 2", "Datensatz 3", "anlage"};
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(Row(row, 0), names[static_cast<std::size_t>(row)]) << row;
    EXPECT_EQ(Row(row, 1), kTextOk) << row;
  }
  for (int row = 0; row < 4; ++row) Save(row, (dir / ("slot" + std::to_string(row + 1) + ".ZPR")).string());

  // The sample projects, one of each family, go to an inverter of their family.
  const bool vqpt32 = fs::exists(fs::path(ZPR_BIN_DIR) / "vqpt32");  // a build of the handheld tools only lacks it
  for (int family = 1; family <= 3 && vqpt32; ++family) {
    const std::string file = (dir / ("slot" + std::to_string(family) + ".ZPR")).string();
    SimProcess inverter("inverter-sim", {"--pty", "--family", std::to_string(family), "--type", "43"});
    ASSERT_FALSE(inverter.path().empty());
    const auto run = service_test::RunVqpt32({"/wnd=hide", "/serv=send", "/com=1", "/file=" + file}, inverter.path());
    EXPECT_EQ(run.exit_code, 0) << "family " << family << ": " << run.out;
  }
  // The project loaded into slot 4 comes back with its values.
  const std::string back = (dir / "slot4.ZPR").string();
  ASSERT_EQ(model::InitDataSet(1), 0);
  EXPECT_EQ(model::ProjectFileAccess(model::kProjectOpen, 1, back.c_str()), model::kFileOlderLayout);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectReadProject, 1, back.c_str()), model::kFileDone);
  std::uint8_t type = 0, value = 0;
  model::ReadElement(304, 1, &type, model::kModeRaw, 1);
  model::ReadElement(11, 5, &value, model::kModeRaw, 1);
  EXPECT_EQ(type, 61);
  EXPECT_EQ(value, 0x33);
}

TEST_F(TxToolSimProgram, ANameGivenInTxToolShowsAgainOnTheNextConnection) {
  const std::string state = (dir / "unit.state").string();
  const std::string project = Vqpt32Project("presse.ZPR", 43, 0x21);
  {
    SimProcess unit({"--pty", "--slots", "2", "--state", state});
    Connect(unit, 2);
    main->List_Datensatz_->SetItemIndex(1);
    drv::AnswerFileDialog(project);
    drv::OnAnyDialogIdle([](HWND dialog) {
      if (auto* names = dynamic_cast<TDlg_Namen_*>(TControl::FromHandle(dialog))) {
        names->Edit_Namen->SetText("Presse 7");
        names->But_Weiter_Click(names);
      }
    });
    main->But_Laden_Click(main);
    ASSERT_TRUE(PumpUntil([&] { return !main->Led_Arbeit->Active(); }));
    EXPECT_EQ(Row(1, 0), "Presse 7");
    // TX-Tool starts again: the unit's text table names the slot.
    Connect(unit, 2);
    EXPECT_EQ(Row(1, 0), "Presse 7");
    EXPECT_EQ(Row(0, 0), "Datensatz 1");
    EXPECT_EQ(unit.End(), std::optional<int>(0));
  }
  // The unit starts again from its state file: the name is still there, and so is the data set.
  SimProcess unit({"--pty", "--state", state});
  Connect(unit, 2);
  EXPECT_EQ(Row(1, 0), "Presse 7");
  EXPECT_EQ(Row(1, 1), kTextOk);
  const std::string back = (dir / "back.ZPR").string();
  Save(1, back);
  ASSERT_EQ(model::InitDataSet(1), 0);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectOpen, 1, back.c_str()), model::kFileOlderLayout);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectReadProject, 1, back.c_str()), model::kFileDone);
  std::uint8_t value = 0;
  model::ReadElement(11, 5, &value, model::kModeRaw, 1);
  EXPECT_EQ(value, 0x21);
}

}  // namespace
}  // namespace txtool
