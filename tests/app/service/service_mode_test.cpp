// The service mode end to end: the vqpt32 binary against the simulated inverter on a pseudo-terminal.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "app/service/command_line_service.h"
#include "app/service/service_texts.h"
#include "link/online_services.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "platform/gdi/cp1252.h"
#include "tests/app/service_fixture.h"

namespace {

using app::ServiceTextId;
using service_test::ReadWhole;
using service_test::ServiceModeTest;

std::string Shown(ServiceTextId id) { return platform::gdi::Cp1252ToUtf8(app::ServiceText(id)) + "\n"; }

// The kind of a project file as the program's own reader sees it.
std::uint16_t FileKind(const std::string& path) {
  const std::uint8_t open = model::ProjectFileAccess(model::kProjectOpen, 0, path.c_str());
  if (open != 0) return 0;
  const std::uint16_t kind = model::OpenProjectFileKind();
  model::ProjectFileAccess(model::kProjectClose, 0, path.c_str());
  return kind;
}

// The stored bytes of a record of the inverter.
std::vector<std::uint8_t> DeviceRecord(sim::InverterDevice& device, std::uint16_t record) {
  std::vector<std::uint8_t> bytes(model::RecordSize(record));
  device.ReadStored(record, 0, bytes);
  return bytes;
}

// The whole records that a send writes, but for the project record 15, which takes the reading's comment (its
// user) when a reverse documentation becomes a project.
std::vector<std::uint16_t> SentRecords() {
  std::vector<std::uint16_t> records;
  for (const auto& row : ilink::FixedTransferList(ilink::TransferList::kFullWrite)) {
    if (row.record == 0 || row.record == 15 || row.single || row.direction != ilink::kDirWrite) continue;
    records.push_back(row.record);
  }
  return records;
}

TEST_F(ServiceModeTest, ReadWritesTheInverterIntoAReverseDocumentation) {
  StartInverter();
  // The path keeps its capitals and its blank.
  std::filesystem::create_directory(folder_.path() / "Mixed Case");
  const std::string path = File("Mixed Case/Drive.ZPR");
  const auto run = Vqpt32({"/SERV=Read", "/wnd=hide", "/com=1", "/FILE=" + path});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kReadDone));
  EXPECT_EQ(run.out,
            "Daten wurden aus Umrichter gelesen und Datei wurde erfolgreich gespeichert! Ergebnis = 0\n");
  ASSERT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(ReadWhole(path).substr(0, 3), "4\r\n");
  EXPECT_EQ(FileKind(path), model::kFileKindReverseDoc);
}

TEST_F(ServiceModeTest, SendPutsTheFileIntoTheInverterAsAProject) {
  StartInverter();
  ASSERT_TRUE(ReadInto("drive.zpr"));
  // The drive's parameters change after the reading; sending the reverse documentation puts them back.
  const auto records = SentRecords();
  ASSERT_FALSE(records.empty());
  std::vector<std::vector<std::uint8_t>> before;
  for (std::uint16_t r : records) before.push_back(DeviceRecord(device(), r));
  for (std::uint16_t r : {records.front(), records.back()}) {
    std::vector<std::uint8_t> changed = DeviceRecord(device(), r);
    for (auto& b : changed) b = static_cast<std::uint8_t>(b ^ 0x5A);
    device().WriteStored(r, 0, changed);
  }
  const auto run = Vqpt32({"/wnd=norm", "/serv=send", "/file=" + File("drive.zpr")});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kSendDone));
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(DeviceRecord(device(), records[i]), before[i]) << "record " << records[i];
  }
  EXPECT_FALSE(device().ActionRunning(0));
}

TEST_F(ServiceModeTest, SendSaveRunsSaveValuesAndNeedsItsSuccess) {
  StartInverter();
  ASSERT_TRUE(ReadInto("drive.zpr"));
  const auto saved = Vqpt32({"/wnd=full", "/serv=send_save", "/file=" + File("drive.zpr")});
  EXPECT_EQ(saved.exit_code, 0);
  EXPECT_EQ(saved.out, Shown(ServiceTextId::kSendSaveDone));

  device().SetActionBehaviour(0, 2, 5);  // the inverter's save ends with result byte 5
  const auto failed = Vqpt32({"/wnd=full", "/serv=send_save", "/file=" + File("drive.zpr")});
  EXPECT_EQ(failed.exit_code, 2);
  EXPECT_EQ(failed.out, Shown(ServiceTextId::kSaveFailed));
  // "send" is told apart from "send_save": no save is started.
  device().RefuseAction(0);
  const auto sent = Vqpt32({"/wnd=full", "/serv=send", "/file=" + File("drive.zpr")});
  EXPECT_EQ(sent.exit_code, 0);
}

TEST_F(ServiceModeTest, WithoutAWindowModeTheCodeIsTheOnlyAnswer) {
  StartInverter();
  const auto run = Vqpt32({"/serv=read", "/file=" + File("quiet.zpr")});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(std::filesystem::exists(File("quiet.zpr")));
  const auto faulty = Vqpt32({"/wnd=none", "/serv=read"});
  EXPECT_EQ(faulty.exit_code, 1);
  EXPECT_EQ(faulty.out, "");
}

TEST_F(ServiceModeTest, CommandLineFaultsGiveOneAndTouchNoLink) {
  StartInverter();
  const struct {
    std::vector<std::string> args;
    ServiceTextId text;
  } cases[] = {
      {{"/wnd=hide", "/serv=read"}, ServiceTextId::kFileMissing},
      {{"/wnd=hide", "/file=x.zpr"}, ServiceTextId::kServiceMissing},
      {{"/wnd=hide", "/serv=copy", "/file=x.zpr"}, ServiceTextId::kServiceUnknown},
      {{"/wnd=hide", "/serv=read", "/file=x.zpr", "/adr=31"}, ServiceTextId::kAddressInvalid},
      {{"/wnd=hide", "/serv=read", "/file=x.zpr", "/com=0"}, ServiceTextId::kPortInvalid},
  };
  for (const auto& c : cases) {
    const auto run = Vqpt32(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.args[1];
    EXPECT_EQ(run.out, Shown(c.text));
  }
  EXPECT_EQ(bus_->telegrams(), 0u);
}

TEST_F(ServiceModeTest, TheBusAddressReachesOnlyThatInverter) {
  StartInverter();
  bus_->AddDevice(7, service_test::DefaultIdentity());
  device(0).SetElementError(5, 1, 19);  // address 0 would answer the identity with a fault
  const auto run = Vqpt32({"/serv=read", "/adr=7", "/file=" + File("seven.zpr")});
  EXPECT_EQ(run.exit_code, 0);
}

TEST_F(ServiceModeTest, LinkFaultsGiveTwo) {
  // No device behind COM1.
  com1_ = File("no-such-port");
  auto run = Vqpt32({"/wnd=hide", "/serv=read", "/file=" + File("a.zpr")});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kLinkNotOpened));
  // A line where nobody answers.
  StartInverter(service_test::DefaultIdentity(), false);
  run = Vqpt32({"/wnd=hide", "/serv=read", "/file=" + File("a.zpr")});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kIdentifyFailed));
  EXPECT_EQ(run.out.substr(0, 8), "St\xC3\xB6rung");
  EXPECT_FALSE(std::filesystem::exists(File("a.zpr")));
}

TEST_F(ServiceModeTest, AnInverterOfOlderSoftwareIsStillRead) {
  sim::DeviceIdentity older = service_test::DefaultIdentity();
  older.version = 'O';  // the identity check warns (7), the reading goes on
  StartInverter(older);
  const auto run = Vqpt32({"/wnd=hide", "/serv=read", "/file=" + File("older.zpr")});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(FileKind(File("older.zpr")), model::kFileKindReverseDoc);
}

TEST_F(ServiceModeTest, AnInverterOfUnknownSoftwareIsNotReadAndAnotherDeviceNotSentTo) {
  sim::DeviceIdentity old = service_test::DefaultIdentity();
  old.version = '?';  // below the first layout
  StartInverter(old);
  auto run = Vqpt32({"/wnd=hide", "/serv=read", "/file=" + File("old.zpr")});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kIdentityWrong));
  EXPECT_FALSE(std::filesystem::exists(File("old.zpr")));

  StartInverter();
  ASSERT_TRUE(ReadInto("drive.zpr"));
  sim::DeviceIdentity other = service_test::DefaultIdentity();
  other.device_type = 45;
  StartInverter(other);
  run = Vqpt32({"/wnd=hide", "/serv=send", "/file=" + File("drive.zpr")});
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kWrongDevice));
}

TEST_F(ServiceModeTest, AnEnabledDriveIsNotSentTo) {
  StartInverter();
  ASSERT_TRUE(ReadInto("drive.zpr"));
  const auto records = SentRecords();
  const auto before = DeviceRecord(device(), records.front());
  for (std::uint8_t state : {3, 4, 7}) {
    device().set_device_state(state);
    const auto run = Vqpt32({"/wnd=hide", "/serv=send_save", "/file=" + File("drive.zpr")});
    EXPECT_EQ(run.exit_code, 3) << int{state};
    EXPECT_EQ(run.out, Shown(ServiceTextId::kDriveEnabled));
  }
  EXPECT_EQ(DeviceRecord(device(), records.front()), before);
}

TEST_F(ServiceModeTest, AFileThatCannotBeWrittenGivesFour) {
  StartInverter();
  const auto run = Vqpt32({"/wnd=hide", "/serv=read", "/file=" + File("no-folder/a.zpr")});
  EXPECT_EQ(run.exit_code, 4);
  EXPECT_EQ(run.out, Shown(ServiceTextId::kFileWriteFailed));
  // An existing file that cannot be replaced stays as it was.
  std::filesystem::create_directory(folder_.path() / "locked");
  std::ofstream(File("locked/a.zpr")) << "old";
  std::filesystem::permissions(folder_.path() / "locked", std::filesystem::perms::owner_read |
                                                             std::filesystem::perms::owner_exec);
  const auto locked = Vqpt32({"/serv=read", "/file=" + File("locked/a.zpr")});
  std::filesystem::permissions(folder_.path() / "locked", std::filesystem::perms::owner_all);
  if (geteuid() != 0) {  // root writes anywhere
    EXPECT_EQ(locked.exit_code, 4);
    EXPECT_EQ(ReadWhole(File("locked/a.zpr")), "old");
  }
}

TEST_F(ServiceModeTest, AFileThatCannotBeReadGivesFive) {
  StartInverter();
  ASSERT_TRUE(ReadInto("drive.zpr"));
  const std::string good = ReadWhole(File("drive.zpr"));
  std::ofstream(File("garbage.zpr"), std::ios::binary) << "this is no project file\r\n";
  std::ofstream(File("cut.zpr"), std::ios::binary) << good.substr(0, good.size() / 3);
  // A configuration holds the tool's settings, no drive's parameters: sending it would send defaults.
  ASSERT_EQ(model::InitDataSet(0), 0);
  const std::uint16_t configuration = model::kFileKindConfiguration;
  ASSERT_EQ(model::WriteElement(302, 0, &configuration, model::kModeRaw, 0), 0);
  ASSERT_EQ(model::ProjectFileAccess(model::kProjectWriteConfiguration, 0, File("settings.zpr").c_str()), 0);
  const struct {
    const char* name;
    ServiceTextId text;
  } cases[] = {
      {"settings.zpr", ServiceTextId::kFileOpenFailed},
      {"missing.zpr", ServiceTextId::kFileOpenFailed},
      {"garbage.zpr", ServiceTextId::kFileOpenFailed},
      {"cut.zpr", ServiceTextId::kFileReadFailed},
  };
  const auto records = SentRecords();
  const auto before = DeviceRecord(device(), records.front());
  for (const auto& c : cases) {
    const auto run = Vqpt32({"/wnd=hide", "/serv=send", "/file=" + File(c.name)});
    EXPECT_EQ(run.exit_code, 5) << c.name;
    EXPECT_EQ(run.out, Shown(c.text)) << c.name;
  }
  EXPECT_EQ(DeviceRecord(device(), records.front()), before);
}

// A job that must fail on its file fails before the link opens: the terminal is never answered here, so a
// job that reached the link would end with 2. A write-protected file stays as it was, and no device, FIFO or
// folder is read.
TEST_F(ServiceModeTest, TargetsThatCannotWorkAreRefusedBeforeTheLinkOpens) {
  StartInverter(service_test::DefaultIdentity(), /*serve=*/false);
  std::ofstream(File("locked.zpr")) << "old";
  std::filesystem::permissions(File("locked.zpr"), std::filesystem::perms::owner_read);
  ASSERT_EQ(mkfifo(File("fifo.zpr").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", File("zero.zpr"));
  std::filesystem::create_directory(File("folder.zpr"));
  const struct {
    const char* service;
    const char* name;
    int code;
    ServiceTextId text;
  } cases[] = {
      {"read", "drive.txt", 4, ServiceTextId::kFileWriteFailed},
      {"read", "no-folder/a.zpr", 4, ServiceTextId::kFileWriteFailed},
      {"read", "locked.zpr", 4, ServiceTextId::kFileWriteFailed},
      {"read", "fifo.zpr", 4, ServiceTextId::kFileWriteFailed},
      {"send", "fifo.zpr", 5, ServiceTextId::kFileOpenFailed},
      {"send", "zero.zpr", 5, ServiceTextId::kFileOpenFailed},
      {"send", "folder.zpr", 5, ServiceTextId::kFileOpenFailed},
      {"send", "missing.zpr", 5, ServiceTextId::kFileOpenFailed},
      {"send_save", "drive.txt", 5, ServiceTextId::kFileOpenFailed},
  };
  for (const auto& c : cases) {
    const auto run =
        Vqpt32({"/wnd=hide", std::string("/serv=").append(c.service), std::string("/file=").append(File(c.name))});
    EXPECT_EQ(run.exit_code, c.code) << c.service << " " << c.name;
    EXPECT_EQ(run.out, Shown(c.text)) << c.service << " " << c.name;
  }
  EXPECT_EQ(ReadWhole(File("locked.zpr")), "old");
}

TEST_F(ServiceModeTest, WithoutAServiceOptionTheProgramAsksForItsWindow) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, std::vector<std::string>{File("Project.ZPR")}}) {
    const auto run = Vqpt32(args);
    EXPECT_NE(run.exit_code, 0);
    EXPECT_NE(run.exit_code, -1);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
