// TX-Tool's data module and forms on the headless window layer: the configuration file, the list of data sets and
// the enabling of the actions, the dialogs, the change of unit, and the two conversions of the data module
// (a data set read from the unit into a project file, a project file into an image for the unit) with their
// failures. The worker is not running here; the shared block stands in for what it reports.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "handheld/common/stop_watch.h"
#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/conv_project_file.h"
#include "handheld/txtool/conv_unit_image.h"
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
#include "platform/win/layer_texts.h"
#include "platform/win/win.h"

namespace txtool {
namespace {

namespace fs = std::filesystem;
namespace drv = platform::testing;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TxToolForms : public ::testing::Test {
 protected:
  TxToolForms() {
    dir = fs::temp_directory_path() / ("txforms_" + std::to_string(::getpid()) + "_" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
    platform::sys::SetExecutablePathOverride((dir / "txtool").string());
    Application->Reset();
    drv::OnMessageBox([](const drv::MessageBoxRecord& m) { return (m.type & 0xF) == MB_YESNO ? IDNO : IDOK; });
  }
  ~TxToolForms() override {
    Application->Reset();
    platform::sys::SetExecutablePathOverride(std::nullopt);
    fs::remove_all(dir);
  }
  void Create() {
    data = CreateTxToolForms();
    main = data->MainForm;
    main->ShowStartForm = false;
    start = Application->Find<TStartform_>("Startform_");
    shared = data->Shared();
  }
  // What the worker would have learnt from a unit: slot attributes and names, size, texts.
  void Unit(std::vector<std::uint16_t> attributes, std::uint16_t size = 2048) {
    std::lock_guard lock(shared->mutex);
    shared->data_set_count = static_cast<int>(attributes.size());
    shared->data_set_size = size;
    for (std::size_t i = 0; i < attributes.size(); ++i) {
      shared->attributes[i] = attributes[i];
      const std::string name = "Satz " + std::to_string(i + 1);
      shared->names[i].fill(0);
      std::copy(name.begin(), name.end(), shared->names[i].begin());
    }
    const std::string version = "TASTO V 3.02", texts = "Halle 3";
    std::copy(version.begin(), version.end(), shared->version.begin());
    std::copy(texts.begin(), texts.end(), shared->display_texts.begin());
  }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  // A reverse documentation written into the test's folder: the drive's identity lies in record 5, the project's
  // 304 is a default. Its path.
  std::string ReverseDocumentation(const std::string& name, std::uint8_t family, std::uint8_t type,
                                   std::uint8_t board) {
    EXPECT_EQ(ConvInitImage(0), kConvDone);
    EXPECT_EQ(ConvWriteElement(5, 0, &family, 8, 0), kConvDone);
    EXPECT_EQ(ConvWriteElement(5, 1, &type, 8, 0), kConvDone);
    EXPECT_EQ(ConvWriteElement(5, 3, &board, 8, 0), kConvDone);
    EXPECT_EQ(ConvSetFileKind(18, 0), 18);
    const std::string path = Path(name);
    EXPECT_EQ(ConvProjectFile(model::kProjectWriteReverseDoc, 0, path.c_str()), model::kFileDone);
    EXPECT_EQ(ConvInitImage(0), kConvDone);
    return path;
  }
  int State() {
    std::lock_guard lock(shared->mutex);
    return shared->state;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& m : drv::MessageBoxes()) texts.push_back(m.text);
    return texts;
  }

  drv::Session session;
  fs::path dir;
  TData* data = nullptr;
  TArbeitsform_* main = nullptr;
  TStartform_* start = nullptr;
  std::shared_ptr<UnitShared> shared;
};

TEST_F(TxToolForms, ConfigurationFileBesideTheProgram) {
  struct Case {
    const char* content;  // nullptr: no file
    bool com1, com2, baud_checked;
    int messages;
  };
  for (const Case& c : {Case{nullptr, true, false, true, 0},
                        Case{"[Schnittstelle_RS232]\nComMummer=3\nBaudrate=19200\n", false, false, true, 1},
                        Case{"[Schnittstelle_RS232]\nComMummer=2\nBaudrate=1234\n", false, true, false, 1}}) {
    Application->Reset();
    fs::remove(dir / "txtool.cfg");
    if (c.content) std::ofstream(dir / "txtool.cfg") << c.content;
    const std::size_t before = drv::MessageBoxes().size();
    Create();
    EXPECT_EQ(data->ConfigPath(), (dir / "txtool.cfg").string());
    EXPECT_EQ(start->Radio_Com1_->Checked(), c.com1) << (c.content ? c.content : "none");
    EXPECT_EQ(start->Radio_Com2_->Checked(), c.com2);
    EXPECT_EQ(start->Radio_4800_->Checked() || start->Radio_9600_->Checked() || start->Radio_19200_->Checked() ||
                  start->Radio_38400_->Checked(),
              c.baud_checked);
    ASSERT_EQ(drv::MessageBoxes().size() - before, static_cast<std::size_t>(c.messages));
    if (c.messages) {
      EXPECT_EQ(drv::MessageBoxes().back().text, kTextConfigError);
    }
  }
  // A click writes the file at once, keys spelt as the file has them.
  start->Radio_Com1_->SetChecked(true);
  start->Radio_38400_->SetChecked(true);
  const std::string cfg = ReadText(dir / "txtool.cfg");
  EXPECT_NE(cfg.find("ComMummer=1"), std::string::npos) << cfg;
  EXPECT_NE(cfg.find("Baudrate=38400"), std::string::npos) << cfg;
}

TEST_F(TxToolForms, ListOfDataSetsAndTheActionsOfTheSelectedOne) {
  Create();
  Unit({kAttrValid, kAttrValid | kAttrProtected | kAttrReverseDoc, 0});
  {
    // A slot the PC never named shows the name in the unit's text table.
    std::lock_guard lock(shared->mutex);
    shared->names[0].fill(0);
    shared->text_tables[0].assign(2 * kTextLength, 0);
    const std::string name = "Pumpe Nord";
    std::copy(name.begin(), name.end(), shared->text_tables[0].begin());
  }
  data->ListRead();
  TListView* list = main->List_Datensatz_;
  ASSERT_EQ(list->Count(), 3);
  auto row = [&](int i) {
    std::string s = list->Item(i)->Caption();
    for (int k = 0; k < list->Item(i)->SubItems().Count(); ++k) s += "|" + list->Item(i)->SubItems()[k];
    return s;
  };
  EXPECT_EQ(row(0), "1|Pumpe Nord|ok|PC|nein");
  EXPECT_EQ(row(1), "2|Satz 2|ok|Umrichter|ja");
  EXPECT_EQ(row(2), "3||ung\xFCltig");
  EXPECT_EQ(main->Pan_BoxText->Caption(), "TASTO V 3.02");
  EXPECT_EQ(data->BoxInfo->Lab_Groesse_ds->Caption(), "2048 Bytes");
  EXPECT_EQ(data->BoxInfo->Lab_Anzahl_ds->Caption(), "3");
  EXPECT_EQ(data->BoxInfo->Edit_BoxText1->Text(), "Halle 3");
  EXPECT_TRUE(data->ListValid);
  EXPECT_FALSE(main->Led_Arbeit->Active());
  // Nothing selected: only change of unit and unit information.
  EXPECT_FALSE(main->Speed_Speichern->Enabled());
  EXPECT_FALSE(main->Menu_Laden->Enabled());
  EXPECT_TRUE(main->Speed_Wechseln->Enabled());
  EXPECT_TRUE(main->Menu_Boxinfo->Enabled());

  struct Case {
    int row;
    bool save, load, protect, clear;
    const char* protect_caption;
  };
  // The captions as the menu shows them: the mnemonic of "aktivieren" leaves S to "... als ZPR-Datei &speichern".
  for (const Case& c : {Case{1, true, false, true, false, "Schreibschutz &deaktivieren"},
                        Case{0, true, true, true, true, "Schreibschutz &aktivieren"},
                        Case{2, false, true, false, false, nullptr}}) {
    list->SetItemIndex(c.row);
    EXPECT_EQ(data->SelectedSlot, c.row);
    EXPECT_EQ(main->Speed_Speichern->Enabled(), c.save) << c.row;
    EXPECT_EQ(main->Popup_Speichern->Enabled(), c.save) << c.row;
    EXPECT_EQ(main->Menu_Laden->Enabled(), c.load) << c.row;
    EXPECT_EQ(main->Speed_Schreibschutz->Enabled(), c.protect) << c.row;
    EXPECT_EQ(main->Popup_Loeschen->Enabled(), c.clear) << c.row;
    if (c.protect_caption) {
      EXPECT_EQ(main->Menu_Schreibschutz->Caption(), c.protect_caption);
      EXPECT_EQ(main->Popup_Schreibschutz->Caption(), c.protect_caption);
    }
  }
}

TEST_F(TxToolForms, RequestsOfTheActions) {
  Create();
  Unit({kAttrValid, kAttrValid | kAttrProtected});
  data->ListRead();
  main->List_Datensatz_->SetItemIndex(1);
  main->But_Schreibschutz_Click(main);
  EXPECT_EQ(State(), kStateWriteAttribute);
  EXPECT_TRUE(main->Led_Arbeit->Active());
  EXPECT_FALSE(main->Speed_Wechseln->Enabled());
  {
    std::lock_guard lock(shared->mutex);
    EXPECT_EQ(shared->attributes[1], kAttrValid);
    EXPECT_EQ(shared->job.slot, 1);
  }
  // Clear: only after yes.
  data->ListRead();
  main->List_Datensatz_->SetItemIndex(0);
  drv::AnswerMessageBox(IDNO);
  main->But_Loeschen_Click(main);
  EXPECT_EQ(State(), kStateWriteAttribute);
  drv::AnswerMessageBox(IDYES);
  main->But_Loeschen_Click(main);
  EXPECT_EQ(State(), kStateClearSlot);
  EXPECT_EQ(drv::MessageBoxes().back().caption, kCaptionClear);
  // Save: the slot's name proposed, the read requested.
  drv::AnswerFileDialog(Path("satz.ZPR"));
  main->But_Speichern_Click(main);
  EXPECT_EQ(drv::FileDialogs().back().proposed, "Satz 1.ZPR");
  EXPECT_EQ(drv::FileDialogs().back().filter.substr(0, 11), "ZPR-Dateien");
  EXPECT_EQ(State(), kStateReadDataSet);
  EXPECT_EQ(data->FileName, Path("satz.ZPR"));
  EXPECT_EQ(main->Pro_Status->Max(), 2048);
}

TEST_F(TxToolForms, NameDialogTakesOneToSixteenCharacters) {
  Create();
  auto* names = Application->Find<TDlg_Namen_>("Dlg_Namen_");
  names->FileName = "/a.b/Presse 7.ZPR";
  names->FormShow(names);
  EXPECT_EQ(names->Edit_Namen->Text(), "Presse 7.ZPR");
  struct Case {
    std::string name;
    bool closes;
  };
  for (const Case& c : {Case{"", false}, Case{std::string(17, 'x'), false}, Case{std::string(16, 'x'), true},
                        Case{"\xC4", true}}) {
    names->SetModalResult(mrNone);
    names->Edit_Namen->SetText(c.name);
    names->But_Weiter_Click(names);
    EXPECT_EQ(names->ModalResult() == mrOk, c.closes) << c.name.size();
  }
}

// Return is "Weiter": it closes the dialog shown by itself once the name is fit, and an empty name keeps it open.
TEST_F(TxToolForms, ReturnOnTheNameDialogPressesWeiter) {
  Create();
  auto* names = Application->Find<TDlg_Namen_>("Dlg_Namen_");
  names->FileName = "/a.b/Presse 7.ZPR";
  std::vector<std::string> shown;
  drv::OnAnyDialogIdle([&](HWND modal) {
    ASSERT_EQ(modal, names->Handle());
    shown.push_back(names->Edit_Namen->Text());
    names->Edit_Namen->SetText(shown.size() == 1 ? "" : "Presse 8");
    drv::PressKey(VK_RETURN);
  });
  EXPECT_EQ(names->ShowModal(), mrOk);
  EXPECT_EQ(shown, (std::vector<std::string>{"Presse 7.ZPR", ""}));  // the empty name was not taken
  EXPECT_EQ(names->Edit_Namen->Text(), "Presse 8");
}

TEST_F(TxToolForms, UnitInformationTextsAndTheirSwitch) {
  Create();
  Unit({kAttrValid});
  data->ListRead();
  TBoxinfoform_* box = data->BoxInfo;
  box->Check_Deaktivieren->SetChecked(true);
  EXPECT_FALSE(box->Edit_BoxText1->Enabled());
  EXPECT_EQ(box->Edit_BoxText1->Color(), clBtnFace);
  EXPECT_EQ(box->Edit_BoxText1->Text(), "");
  box->Check_Deaktivieren->SetChecked(false);
  EXPECT_TRUE(box->Edit_BoxText2->Enabled());
  EXPECT_EQ(box->Edit_BoxText2->Color(), clWindow);
  box->Edit_BoxText1->SetText("Linie 4");
  box->But_Abbrechen_Click(box);
  EXPECT_EQ(box->Edit_BoxText1->Text(), "Halle 3");
  box->Edit_BoxText1->SetText("Linie 4");
  box->Edit_BoxText2->SetText("Bereich Nord");
  box->But_Ok_Click(box);
  EXPECT_EQ(State(), kStateSendTexts);
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(FieldText(shared->new_display_texts.data(), kTextLength), "Linie 4");
  EXPECT_EQ(FieldText(shared->new_display_texts.data() + kTextLength, kTextLength), "Bereich Nord");
}

TEST_F(TxToolForms, ChangeOfUnit) {
  Create();
  Unit({kAttrValid, kAttrValid});
  data->ListRead();
  {
    std::lock_guard lock(shared->mutex);
    shared->file_names[0] = "/x/a.ZPR";
  }
  // The user declines: nothing changes.
  drv::AnswerMessageBox(IDNO);
  main->But_Wechseln_Click(main);
  EXPECT_EQ(main->List_Datensatz_->Count(), 2);
  // The worker's report: no question, the connection ends, the list empties, the file names stay.
  const std::size_t boxes = drv::MessageBoxes().size();
  data->UnitChanged();
  EXPECT_EQ(drv::MessageBoxes().size(), boxes);
  EXPECT_EQ(main->List_Datensatz_->Count(), 0);
  EXPECT_FALSE(main->Speed_Wechseln->Enabled());
  EXPECT_TRUE(main->Led_Arbeit->Active());
  EXPECT_FALSE(data->ListValid);
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->state, 1000);
  EXPECT_TRUE(shared->stop);
  EXPECT_EQ(shared->job.slot, 255);
  EXPECT_EQ(shared->file_names[0], "/x/a.ZPR");
}

// A unit image by hand: head, directory and records given as {record, bytes}.
std::vector<std::uint8_t> UnitImage(const std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>>& recs) {
  std::vector<std::uint8_t> out(10, 0);
  const std::size_t dir_size = 4 * (recs.size() + 2);
  std::size_t offset = 10 + dir_size;
  auto put = [&](std::uint16_t r, std::size_t o) {
    out.push_back(static_cast<std::uint8_t>(r));
    out.push_back(static_cast<std::uint8_t>(r >> 8));
    out.push_back(static_cast<std::uint8_t>(o));
    out.push_back(static_cast<std::uint8_t>(o >> 8));
  };
  put(3, 10);
  for (const auto& [r, bytes] : recs) {
    put(r, offset);
    offset += bytes.size();
  }
  put(0, offset);
  for (const auto& rec : recs) out.insert(out.end(), rec.second.begin(), rec.second.end());
  return out;
}

TEST_F(TxToolForms, ADataSetReadFromTheUnitBecomesAProjectFile) {
  Create();
  Unit({kAttrValid, kAttrValid | kAttrReverseDoc});
  std::vector<std::uint8_t> identity(12, 0);
  identity[0] = 1;
  identity[1] = 61;
  identity[5] = 'C';
  std::vector<std::uint8_t> fourteen(28, 0x77);
  struct Case {
    int slot;
    std::uint16_t kind;
    std::uint8_t read_mode;
  };
  for (const Case& c : {Case{0, 17, model::kProjectReadProject}, Case{1, 18, model::kProjectReadReverseDoc}}) {
    const std::uint16_t id_record = c.kind == 17 ? 304 : 5;
    const auto image = UnitImage({{4, {'C', 22}}, {14, fourteen}, {id_record, identity}});
    {
      std::lock_guard lock(shared->mutex);
      std::copy(image.begin(), image.end(), shared->incoming.begin());
      shared->incoming_length = image.size();
      shared->job.slot = static_cast<std::uint8_t>(c.slot);
    }
    data->FileName = Path("slot" + std::to_string(c.slot) + ".ZPR");
    data->SaveDataSetAsFile();
    ASSERT_TRUE(fs::exists(data->FileName));
    {
      std::lock_guard lock(shared->mutex);
      EXPECT_EQ(shared->file_names[static_cast<std::size_t>(c.slot)], data->FileName);
    }
    // vqpt32 reads it: an older layout ('C'), record 14 at its default, the identity as the unit had it.
    ASSERT_EQ(model::InitDataSet(0), 0);
    std::vector<std::uint8_t> defaults14(model::RecordSize(14));
    model::ReadRecord(14, defaults14.data(), model::kModeRaw, 0);
    EXPECT_EQ(model::ProjectFileAccess(model::kProjectOpen, 0, data->FileName.c_str()), model::kFileOlderLayout);
    EXPECT_EQ(model::OpenProjectFileKind(), c.kind);
    ASSERT_EQ(model::ProjectFileAccess(c.read_mode, 0, data->FileName.c_str()), model::kFileDone);
    std::uint8_t type = 0;
    model::ReadElement(id_record, 1, &type, model::kModeRaw, 0);
    EXPECT_EQ(type, 61);
    std::vector<std::uint8_t> read14(model::RecordSize(14));
    model::ReadRecord(14, read14.data(), model::kModeRaw, 0);
    EXPECT_EQ(read14, defaults14);
    char name[128] = {};
    model::ReadElement(317, 162, name, model::kModeRaw, 0);
    EXPECT_EQ(std::string(name), "slot" + std::to_string(c.slot) + ".ZPR");
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(TxToolForms, ADamagedDataSetFromTheUnitWritesNoFile) {
  Create();
  Unit({kAttrValid});
  auto image = UnitImage({{4, {'C', 22}}, {11, std::vector<std::uint8_t>(64, 1)}});
  image[20] = 0xFF;  // record 11 starts far beyond the bytes received
  image[21] = 0x7F;
  {
    std::lock_guard lock(shared->mutex);
    std::copy(image.begin(), image.end(), shared->incoming.begin());
    shared->incoming_length = image.size();
  }
  data->FileName = Path("bad.ZPR");
  data->SaveDataSetAsFile();
  EXPECT_FALSE(fs::exists(data->FileName));
  EXPECT_EQ(Messages(), (std::vector<std::string>{kTextConvertFailed}));
  EXPECT_TRUE(data->ListValid);  // the list is back for the next action
}

TEST_F(TxToolForms, AProjectFileBecomesAnImageForTheUnit) {
  Create();
  Unit({kAttrValid});
  ASSERT_EQ(model::InitDataSet(0), 0);
  const std::uint8_t type = 61;
  ASSERT_EQ(model::WriteElement(304, 1, &type, model::kModeRaw, 0), 0);
  const std::string vq = Path("vq.ZPR");
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteProject, 0, vq.c_str()), model::kFileDone);

  data->FileName = vq;
  data->LoadFileToDataSet();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(State(), kStateWriteDataSet);
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->outgoing_length, 2048u);
  EXPECT_EQ(std::vector<std::uint8_t>(shared->outgoing.begin(), shared->outgoing.begin() + 4),
            (std::vector<std::uint8_t>{2, 238, 1, 8}));
  EXPECT_EQ(shared->outgoing[8], kUnitComplete);
  const auto records = ConvUnitDirectory(std::span(shared->outgoing).first(2047));
  ASSERT_TRUE(records);
  const auto id = std::find_if(records->begin(), records->end(), [](const UnitRecord& r) { return r.record == 304; });
  ASSERT_NE(id, records->end());
  EXPECT_EQ(shared->outgoing[id->offset + 1], 61);
}

TEST_F(TxToolForms, ReverseDocumentationGoesToTheUnitWithItsIdentity) {
  Create();
  Unit({kAttrValid});
  const std::uint8_t family = 2, type = 61;
  const std::string reverse = ReverseDocumentation("rueck.ZPR", family, type, 4);
  ASSERT_FALSE(HasFailure());

  drv::OnMessageBox([](const drv::MessageBoxRecord& m) { return m.text == kTextReverseDocQuestion ? IDYES : IDOK; });
  data->FileName = reverse;
  data->LoadFileToDataSet();
  ASSERT_EQ(State(), kStateWriteDataSet);
  EXPECT_EQ(drv::MessageBoxes().back().caption, kCaptionLoad);
  std::lock_guard lock(shared->mutex);
  const auto records = ConvUnitDirectory(std::span(shared->outgoing).first(2047));
  ASSERT_TRUE(records);
  const auto id = std::find_if(records->begin(), records->end(), [](const UnitRecord& r) { return r.record == 304; });
  ASSERT_NE(id, records->end());
  EXPECT_EQ(shared->outgoing[id->offset], family);
  EXPECT_EQ(shared->outgoing[id->offset + 1], type);
  EXPECT_EQ(shared->outgoing[id->offset + 3], 10);  // family 2: an option board below 10 becomes 10
}

// A German program on any locale: the question before a reverse documentation is written answers "Ja" or
// "Nein", and the file dialogs are German.
TEST_F(TxToolForms, TheWindowLayersTextsAreGermanWhateverTheLocale) {
  platform::win::SetLayerLanguage(platform::win::LayerLanguage::kEnglish);  // as an English locale would set it
  Create();
  Unit({kAttrValid});
  EXPECT_STREQ(platform::win::LayerText("Open"), "\xD6" "ffnen");
  std::vector<std::string> buttons;
  drv::OnMessageBox([&](const drv::MessageBoxRecord& m) {
    for (int id : {IDYES, IDNO, IDOK, IDCANCEL})
      if (GetDlgItem(drv::ActiveModal(), id)) buttons.push_back(drv::ItemText(drv::ActiveModal(), id));
    return m.text == kTextReverseDocQuestion ? IDNO : IDOK;
  });
  data->FileName = ReverseDocumentation("rueck.ZPR", 2, 61, 4);
  data->LoadFileToDataSet();
  ASSERT_EQ(Messages(), (std::vector<std::string>{kTextReverseDocQuestion}));
  EXPECT_EQ(buttons, (std::vector<std::string>{"&Ja", "&Nein"}));
}

TEST_F(TxToolForms, ClosingTheStartFormWhileWaitingEndsTheProgram) {
  platform::comm::PseudoTerminal silent;  // a port with no unit on it
  if (!silent.ok()) GTEST_SKIP() << "no pseudo-terminal";
  ::setenv("COM47", silent.slave_path().c_str(), 1);
  Create();
  data->PortNumber = 47;
  start->Show();
  PostMessage(start->Handle(), WM_CLOSE, 0, 0);
  handheld::StopWatch watch;
  watch.Start();
  start->But_Ok_Click(start);
  EXPECT_GE(watch.Stop(), 500.0);
  EXPECT_TRUE(start->Closing);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_NE(start->ModalResult(), mrOk);
  EXPECT_EQ(start->But_Schliessen->Caption(), kCaptionClose);
  ::unsetenv("COM47");
}

TEST_F(TxToolForms, OnASilentLineTheStartFormKeepsWaitingForTheUnit) {
  platform::comm::PseudoTerminal silent;  // a port with no unit on it
  if (!silent.ok()) GTEST_SKIP() << "no pseudo-terminal";
  ::setenv("COM47", silent.slave_path().c_str(), 1);
  platform::sys::UseRealClock();  // the worker's 5 s without a telegram, and its pause before the next connection
  Create();
  data->PortNumber = 47;
  start->Show();
  // What the form says every 100 ms; once the worker has given the unit up (the change of unit lights the work
  // LED) and waited for the next one for 2 s, the form is closed.
  std::vector<std::string> shown;
  int after_change = 0;
  TTimer watch(start);
  watch.SetInterval(100);
  watch.OnTimer = [&](TObject*) {
    if (shown.empty() || shown.back() != start->Lab_Status->Caption()) shown.push_back(start->Lab_Status->Caption());
    if (main->Led_Arbeit->Active() || after_change > 0) ++after_change;
    if (after_change == 20) PostMessage(start->Handle(), WM_CLOSE, 0, 0);
  };
  watch.SetEnabled(true);
  start->But_Ok_Click(start);
  EXPECT_GE(after_change, 20);
  EXPECT_EQ(shown, std::vector<std::string>{kTextWaiting});
  EXPECT_TRUE(Application->Terminated());
  ::unsetenv("COM47");
}

TEST_F(TxToolForms, ProjectFilesThatCannotGoToTheUnit) {
  Create();
  ASSERT_EQ(ConvInitImage(0), kConvDone);
  ASSERT_EQ(ConvSetFileKind(18, 0), 18);
  const std::string reverse = Path("rueck.ZPR");
  ASSERT_EQ(ConvProjectFile(model::kProjectWriteReverseDoc, 0, reverse.c_str()), model::kFileDone);
  const std::string damaged = Path("kaputt.ZPR");
  std::ofstream(damaged, std::ios::binary) << "4\r\nx\r\n";
  const std::string other = Path("other.ZPR");

  struct Case {
    std::string file;
    std::uint16_t size;
    int answer;  // to the reverse-documentation question (0: none asked)
    std::string message_start;
  };
  for (const Case& c : {Case{damaged, 2048, 0, kTextFileDamaged}, Case{reverse, 2048, IDNO, ""},
                        Case{reverse, 100, IDYES, kTextTooLarge}}) {
    Unit({kAttrValid}, c.size);
    {
      std::lock_guard lock(shared->mutex);
      shared->state = kStateIdle;
    }
    drv::OnMessageBox([&](const drv::MessageBoxRecord& m) {
      return m.text == kTextReverseDocQuestion ? c.answer : IDOK;
    });
    const std::size_t before = drv::MessageBoxes().size();
    data->FileName = c.file;
    data->LoadFileToDataSet();
    EXPECT_EQ(State(), kStateIdle) << c.file;
    const auto& boxes = drv::MessageBoxes();
    const std::size_t asked = c.answer ? 1 : 0;
    ASSERT_EQ(boxes.size() - before, asked + (c.message_start.empty() ? 0 : 1)) << c.file;
    if (!c.message_start.empty()) {
      EXPECT_EQ(boxes.back().text.rfind(c.message_start, 0), 0u) << boxes.back().text;
    }
    // The file is closed whatever happened: another file can be written.
    EXPECT_EQ(ConvProjectFile(model::kProjectWriteProject, 0, other.c_str()), model::kFileDone) << c.file;
  }
}

}  // namespace
}  // namespace txtool
