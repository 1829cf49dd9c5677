// TX-Tool's worker end to end: a real TSlaveThread on one side of a pseudo-terminal and the simulated Tastomatik
// on the other, driven from the window thread, which also serves the worker's reports. Every job, and the faults
// the worker must survive. Also run under ThreadSanitizer.
#include "handheld/txtool/slave_thread.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <memory>
#include <string>
#include <vector>

#include "platform/comm/pseudo_terminal.h"
#include "platform/sys/clock.h"
#include "platform/vcl/application.h"
#include "sim/handheld/tastomatik.h"

namespace txtool {
namespace {

namespace tasto = sim::tasto;

constexpr int kCom = 45;

tasto::Unit TestUnit(int slots, std::uint16_t size) {
  tasto::Unit u;
  u.data_set_size = size;
  for (int n = 0; n < slots; ++n) {
    tasto::Slot s;
    s.attribute = static_cast<std::uint16_t>(n == 1 ? 0x0003 : 0x0001);
    const std::string name = "Satz " + std::to_string(n + 1);
    std::copy(name.begin(), name.end(), s.name.begin());
    for (int b = 0; b < size; ++b) s.image.push_back(static_cast<std::uint8_t>((b * 7 + n) & 0xFF));
    u.slots.push_back(s);
  }
  return u;
}

class SlaveThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::UseRealClock();
    Application->Reset();
    if (!pty.ok()) GTEST_SKIP() << "no pseudo-terminal";
    ::setenv(("COM" + std::to_string(kCom)).c_str(), pty.slave_path().c_str(), 1);
    line.idle = [] { TThread::CheckSynchronize(); };
  }
  void TearDown() override {
    // The worker frees itself once terminated (on the window thread, which is served here).
    if (worker) worker->Terminate();
    for (int i = 0; i < 2000 && TThread::Count() > 0; ++i) {
      TThread::CheckSynchronize();
      line.Settle(1);
    }
    EXPECT_EQ(TThread::Count(), 0);
    ::unsetenv(("COM" + std::to_string(kCom)).c_str());
    Application->Reset();
  }

  void Start(tasto::Unit unit) {
    master = std::make_unique<tasto::Tastomatik>(line, std::move(unit));
    SlaveEvents e;
    e.status = [this](const std::string& t) { statuses.push_back(t); };
    e.progress = [this](int p) { progress.push_back(p); };
    e.list_read = [this] { ++list_reads; };
    e.data_set_read = [this] { ++data_set_reads; };
    e.unit_changed = [this] { ++unit_changes; };
    e.message = [this](const std::string& t) {
      messages.push_back(t);
      if (worker_message) std::exchange(worker_message, nullptr)();
    };
    worker = TThread::Create<TSlaveThread>(true, shared, e);
    worker->Port().SetComNumber(kCom);
    worker->Resume();
    line.Settle(100);  // the worker opens its port; a probe sent before that is purged
  }
  // Connects (the worker may still be opening its port) and polls until the slot list is read.
  void ConnectAndList() {
    bool connected = false;
    for (int i = 0; i < 20 && !connected; ++i) {
      connected = master->Connect();
      if (!connected) line.Settle(50);
    }
    ASSERT_TRUE(connected);
    ASSERT_TRUE(PollUntil([&] { return list_reads > 0; }));
  }
  bool PollUntil(const std::function<bool()>& done, int max_polls = 80) {
    for (int i = 0; i < max_polls; ++i) {
      if (done()) return true;
      master->Poll();
    }
    return done();
  }
  bool Contains(const std::vector<std::string>& v, const std::string& s) const {
    return std::find(v.begin(), v.end(), s) != v.end();
  }
  int State() {
    std::lock_guard lock(shared->mutex);
    return shared->state;
  }

  platform::comm::PseudoTerminal pty;
  tasto::Line line{pty};
  std::shared_ptr<UnitShared> shared = std::make_shared<UnitShared>();
  std::unique_ptr<tasto::Tastomatik> master;
  TSlaveThread* worker = nullptr;
  std::vector<std::string> statuses, messages;
  std::vector<int> progress;
  int list_reads = 0, data_set_reads = 0, unit_changes = 0;
  std::function<void()> worker_message;  // runs while the message is shown
};

TEST_F(SlaveThreadTest, ConnectsIdentifiesAndReadsTheSlotList) {
  Start(TestUnit(3, 600));
  ConnectAndList();
  const tasto::Seen& seen = master->seen();
  EXPECT_EQ(seen.jobs, (std::vector<std::uint8_t>{15, 7, 14, 3, 5, 5, 5}));
  ASSERT_GE(seen.leds.size(), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(seen.leds.begin(), seen.leds.begin() + 4),
            (std::vector<std::uint8_t>{1, 2, 8, 4}));
  EXPECT_EQ(seen.line1, "PC angeschlossen");
  EXPECT_EQ(seen.line2, "TX-Tool 4.5     ");
  EXPECT_EQ(seen.bad_replies, 0);
  EXPECT_TRUE(Contains(statuses, kTextConnecting));
  EXPECT_TRUE(Contains(statuses, kTextConnected));
  EXPECT_TRUE(Contains(statuses, kTextReadingAttributes));
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->state, kStateIdle);
  EXPECT_EQ(shared->identity, master->unit().identity);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(shared->version.data())), "TASTO V 3.02");
  EXPECT_EQ(shared->data_set_size, 600);
  EXPECT_EQ(shared->data_set_count, 3);
  EXPECT_EQ(shared->attributes[0], 0x0001);
  EXPECT_EQ(shared->attributes[1], 0x0003);
  // The names of the slots come in the unit's text table, 14 of 17 bytes.
  ASSERT_EQ(shared->text_tables[0].size(), tasto::kNamesPerTable * tasto::kNameLength);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(shared->text_tables[0].data() + tasto::kNameLength)), "Satz 2");
}

TEST_F(SlaveThreadTest, ReadsWritesAndManagesSlots) {
  Start(TestUnit(3, 600));
  ConnectAndList();

  // Read slot 2: job 1 is set, blocks of 240, 240 and the rest.
  shared->RequestJob(kStateReadDataSet, 1);
  ASSERT_TRUE(PollUntil([&] { return data_set_reads == 1; }));
  EXPECT_EQ(master->seen().block_lengths, (std::vector<std::size_t>{240, 240, 120}));
  {
    std::lock_guard lock(shared->mutex);
    ASSERT_EQ(shared->incoming_length, 600u);
    EXPECT_TRUE(std::equal(shared->incoming.begin(), shared->incoming.begin() + 600,
                           master->unit().slots[1].image.begin()));
  }

  // Write a data set into slot 3: the last block is the rest minus one, then the name is fetched.
  const int lists = list_reads;
  {
    std::lock_guard lock(shared->mutex);
    for (std::size_t i = 0; i < 600; ++i) shared->outgoing[i] = static_cast<std::uint8_t>(255 - i % 256);
    shared->outgoing_length = 600;
    shared->outgoing_name = {'N', 'e', 'u', 'e', 'r', ' ', 'S', 'a', 't', 'z'};
    shared->outgoing_file = "/tmp/neu.zpr";
  }
  shared->RequestJob(kStateWriteDataSet, 2);
  ASSERT_TRUE(PollUntil([&] { return list_reads > lists; }));
  const tasto::Slot& written = master->unit().slots[2];
  EXPECT_EQ(std::vector<std::size_t>(master->seen().block_lengths.begin() + 3, master->seen().block_lengths.end()),
            (std::vector<std::size_t>{240, 240, 119}));
  ASSERT_GE(written.image.size(), 599u);
  for (std::size_t i = 0; i < 599; ++i) ASSERT_EQ(written.image[i], 255 - i % 256) << i;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(written.name.data())), "Neuer Satz");
  EXPECT_EQ(written.attribute & 1, 1);
  {
    std::lock_guard lock(shared->mutex);
    EXPECT_EQ(shared->file_names[2], "/tmp/neu.zpr");
    EXPECT_EQ(shared->attributes[2] & kAttrValid, kAttrValid);
  }

  // Write-protect slot 1.
  int before = list_reads;
  shared->RequestAttributeWrite(0, 0x0003);
  ASSERT_TRUE(PollUntil([&] { return list_reads > before && State() == kStateIdle; }));
  EXPECT_EQ(master->unit().slots[0].attribute, 0x0003);

  // New display texts for the unit.
  before = list_reads;
  {
    std::lock_guard lock(shared->mutex);
    const std::string t = "Halle 3          Linie 7         ";
    std::copy(t.begin(), t.begin() + 34, shared->new_display_texts.begin());
    shared->new_display_texts[16] = 0;
    shared->new_display_texts[33] = 0;
  }
  shared->RequestJob(kStateSendTexts, 0);
  ASSERT_TRUE(PollUntil([&] { return list_reads > before && State() == kStateIdle; }));
  EXPECT_EQ(master->unit().display1, "Halle 3         ");
  EXPECT_TRUE(Contains(statuses, kTextTextsSent));

  // Clear slot 2.
  before = list_reads;
  shared->RequestJob(kStateClearSlot, 1);
  ASSERT_TRUE(PollUntil([&] { return list_reads > before && State() == kStateIdle; }));
  EXPECT_TRUE(master->unit().slots[1].image.empty());
  {
    std::lock_guard lock(shared->mutex);
    EXPECT_EQ(shared->attributes[1], 0);
  }
  EXPECT_EQ(std::vector<std::uint8_t>(master->seen().jobs.begin() + 7, master->seen().jobs.end()),
            (std::vector<std::uint8_t>{1, 1, 1, 2, 2, 2, 8, 6, 13, 12}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(SlaveThreadTest, AFailedJobRevertsTheAttributeAndGivesTheListBack) {
  Start(TestUnit(2, 300));
  ConnectAndList();
  const int before = list_reads;
  master->FailNextJob(3);
  shared->RequestAttributeWrite(0, 0x0003);  // the form toggled write protection
  ASSERT_TRUE(PollUntil([&] { return list_reads > before; }));
  EXPECT_EQ(messages, (std::vector<std::string>{kTextCommFailure}));
  EXPECT_EQ(State(), kStateIdle);
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->attributes[0], 0x0001);
  EXPECT_EQ(shared->job.job, kJobNone);
}

TEST_F(SlaveThreadTest, TheJobDoneByteTellsADoneJobFromAFailedOne) {
  Start(TestUnit(1, 300));
  ConnectAndList();
  const struct {
    std::uint8_t code;
    bool failed;
  } cases[] = {{2, false}, {0, false}, {1, true}, {3, true}, {255, true}};
  std::uint16_t attribute = 0x0001;
  for (const auto& c : cases) {
    messages.clear();
    const int before = list_reads;
    master->ReportNextJobAs(c.code);
    const std::uint16_t toggled = attribute ^ kAttrProtected;
    shared->RequestAttributeWrite(0, toggled);
    ASSERT_TRUE(PollUntil([&] { return list_reads > before && State() == kStateIdle; })) << int(c.code);
    EXPECT_EQ(messages, c.failed ? std::vector<std::string>{kTextCommFailure} : std::vector<std::string>{})
        << int(c.code);
    std::lock_guard lock(shared->mutex);
    // A failed job leaves the attribute as the unit held it before.
    EXPECT_EQ(shared->attributes[0], c.failed ? attribute : toggled) << int(c.code);
    attribute = shared->attributes[0];
  }
}

TEST_F(SlaveThreadTest, AJobFailedWhileTheListIsReadReadsItAgain) {
  Start(TestUnit(3, 600));
  master->FailNextJob(3);  // the first job: identify
  ConnectAndList();
  EXPECT_EQ(list_reads, 1);
  EXPECT_EQ(messages, (std::vector<std::string>{kTextCommFailure}));
  EXPECT_EQ(master->seen().jobs, (std::vector<std::uint8_t>{15, 15, 7, 14, 3, 5, 5, 5}));
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->state, kStateIdle);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(shared->version.data())), "TASTO V 3.02");
  EXPECT_EQ(shared->data_set_size, 600);
  EXPECT_EQ(shared->attributes[0], 0x0001);
  EXPECT_EQ(shared->attributes[1], 0x0003);
  EXPECT_EQ(shared->attributes[2], 0x0001);
}

TEST_F(SlaveThreadTest, TheLineIsServedWhileTheFailureIsShown) {
  Start(TestUnit(1, 300));
  ConnectAndList();
  // The failure's message is open (its handler has not returned) while the unit goes on polling: the worker
  // answers, it does not wait for the window.
  int answered = 0;
  worker_message = [&] {
    for (int i = 0; i < 3; ++i) {
      const auto r = master->Transact(tasto::Request(tasto::kReadStatus, 50, 0));
      answered += r && r->raw.size() == 43;
    }
  };
  const int before = list_reads;
  master->FailNextJob(3);
  shared->RequestAttributeWrite(0, 0x0003);
  ASSERT_TRUE(PollUntil([&] { return list_reads > before; }));
  EXPECT_EQ(messages, (std::vector<std::string>{kTextCommFailure}));
  EXPECT_EQ(answered, 3);
}

TEST_F(SlaveThreadTest, GarbledTelegramsAreReportedAndTheConnectionGoesOn) {
  Start(TestUnit(1, 300));
  ConnectAndList();
  const struct {
    tasto::Fault fault;
    const char* status;  // nullptr: the reply itself is checked
  } cases[] = {
      {tasto::Fault::kBadBcc, kTextBadBcc},     {tasto::Fault::kTrailing, kTextTooMany},
      {tasto::Fault::kLateBody, kTextLate},     {tasto::Fault::kShortLength, kTextLate},
      {tasto::Fault::kUnknownType, nullptr},    {tasto::Fault::kUnserved, nullptr},
  };
  for (const auto& c : cases) {
    statuses.clear();
    EXPECT_TRUE(tasto::PlayFault(*master, line, c.fault)) << static_cast<int>(c.fault);
    if (c.status) {
      EXPECT_TRUE(Contains(statuses, c.status)) << c.status;
    }
    EXPECT_TRUE(master->Poll()) << static_cast<int>(c.fault);  // the line still works
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SlaveThreadTest, TheDataParameterCountsType6AsAReadAndType7AsAWrite) {
  Start(TestUnit(1, 300));
  ConnectAndList();
  {
    std::lock_guard lock(shared->mutex);
    shared->outgoing[0] = 0xAB;
    shared->outgoing[1] = 0xCD;
    shared->job.length = 2;
    shared->running_offset = 0;
  }
  const auto read = master->Transact(tasto::Request(tasto::kReadStatus, 1027, 0));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->data, (std::vector<std::uint8_t>{0xAB, 0xCD}));
  const auto write = master->Transact(tasto::Request(tasto::kWriteTexts, 1027, 0, {1, 2}));
  ASSERT_TRUE(write);
  EXPECT_EQ(write->raw, (std::vector<std::uint8_t>{0x02, 0x03, 0x00, 0x00, 0x01}));
  std::lock_guard lock(shared->mutex);
  EXPECT_TRUE(shared->text_tables[0].size() == tasto::kNamesPerTable * tasto::kNameLength);  // not a text table
}

TEST_F(SlaveThreadTest, AReconnectRestoresTheStateAndAChangedUnitIsReported) {
  Start(TestUnit(2, 300));
  ConnectAndList();
  // A type-0 probe mid-connection: the unit is identified again, then the remembered state comes back.
  const std::size_t jobs = master->seen().jobs.size();
  ASSERT_TRUE(tasto::PlayFault(*master, line, tasto::Fault::kReconnect));
  ASSERT_TRUE(PollUntil([&] { return master->seen().jobs.size() > jobs && State() == kStateIdle; }));
  EXPECT_EQ(std::vector<std::uint8_t>(master->seen().jobs.begin() + static_cast<std::ptrdiff_t>(jobs),
                                      master->seen().jobs.end()),
            (std::vector<std::uint8_t>{15}));
  EXPECT_EQ(unit_changes, 0);
  // Another unit on the line: a different identity.
  master->unit().identity[3] ^= 0xFF;
  ASSERT_TRUE(master->Connect());
  ASSERT_TRUE(PollUntil([&] { return unit_changes > 0; }, 10));
}

TEST_F(SlaveThreadTest, AReconnectWhileAListJobIsAskedReadsTheListAfresh) {
  // The unit takes the job for the data-set size and is gone before it answers; when it connects again the
  // remembered state asks for nothing more, so the list is read from the start instead.
  Start(TestUnit(2, 300));
  bool connected = false;
  for (int i = 0; i < 20 && !connected; ++i) {
    connected = master->Connect();
    if (!connected) line.Settle(50);
  }
  ASSERT_TRUE(connected);
  ASSERT_TRUE(PollUntil([&] { return State() == kStateTextsReceived; }));
  master->PullDuringNextJob();
  EXPECT_FALSE(master->Poll());
  EXPECT_EQ(State(), kStateSizeAsked);
  ASSERT_TRUE(master->Connect());
  ASSERT_TRUE(PollUntil([&] { return list_reads > 0; }, 40));
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->data_set_size, 300);
  EXPECT_EQ(shared->data_set_count, 2);
}

TEST_F(SlaveThreadTest, CountAndSizeFromTheUnitAreBoundedByTheBuffers) {
  tasto::Unit unit = TestUnit(0, 9000);
  unit.announced_count = 200;
  Start(unit);
  bool connected = false;
  for (int i = 0; i < 20 && !connected; ++i) {
    connected = master->Connect();
    if (!connected) line.Settle(50);
  }
  ASSERT_TRUE(connected);
  ASSERT_TRUE(PollUntil([&] { return State() == kStateReadingAttributes; }));
  std::lock_guard lock(shared->mutex);
  EXPECT_EQ(shared->data_set_count, 64);
  EXPECT_EQ(shared->data_set_size, kDataSetBufferSize);
}

TEST_F(SlaveThreadTest, SilenceReportsALostConnectionOnce) {
  Start(TestUnit(1, 300));
  ConnectAndList();
  ASSERT_TRUE(tasto::PlayFault(*master, line, tasto::Fault::kSilence));
  EXPECT_TRUE(Contains(statuses, kTextNoConnection));
  EXPECT_EQ(unit_changes, 1);
}

TEST_F(SlaveThreadTest, AUnitPulledMidJobIsReportedAndTheJobGoesOnAfterReconnecting) {
  Start(TestUnit(2, 600));
  ConnectAndList();
  shared->RequestJob(kStateReadDataSet, 1);
  ASSERT_TRUE(PollUntil([&] { return master->seen().block_lengths.size() == 1; }));
  master->PullDuringNextJob();
  EXPECT_FALSE(master->Poll());
  ASSERT_TRUE(tasto::PlayFault(*master, line, tasto::Fault::kSilence));
  EXPECT_TRUE(Contains(statuses, kTextNoConnection));
  EXPECT_EQ(unit_changes, 1);
  // Plugged in again: identified once more, then the read goes on where it stopped.
  ASSERT_TRUE(master->Connect());
  ASSERT_TRUE(PollUntil([&] { return data_set_reads == 1; }));
  EXPECT_EQ(unit_changes, 1);
  std::lock_guard lock(shared->mutex);
  ASSERT_EQ(shared->incoming_length, 600u);
  EXPECT_TRUE(std::equal(shared->incoming.begin(), shared->incoming.begin() + 600,
                         master->unit().slots[1].image.begin()));
}

}  // namespace
}  // namespace txtool
