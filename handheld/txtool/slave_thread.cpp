#include "handheld/txtool/slave_thread.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace txtool {

namespace {

constexpr std::uint8_t kStx = 0x02;
constexpr double kByteTimeoutMs = 200.0;
constexpr double kNoStxTimeoutMs = 5000.0;
constexpr double kBodyTimeoutMs = 1000.0;
constexpr double kReconnectPauseMs = 2000.0;
constexpr double kPauseStepMs = 50.0;
constexpr std::size_t kDataReplyMax = 255 - 3;  // LEN n + 3 fits a byte

constexpr std::uint8_t kTypeConnect = 0;
constexpr std::uint8_t kTypeRead = 4;
constexpr std::uint8_t kTypeWrite = 5;
constexpr std::uint8_t kTypeStatus = 6;
constexpr std::uint8_t kTypeTexts = 7;

constexpr std::uint16_t kParamControl = 50;
constexpr std::uint16_t kSubStatus = 0;
constexpr std::uint16_t kSubKey = 34;
constexpr std::uint16_t kSubStart = 35;
constexpr std::uint16_t kParamJob = 1026;
constexpr std::uint16_t kSubJob = 0;
constexpr std::uint16_t kSubJobDone = 1;
constexpr std::uint16_t kSubCount = 9;
constexpr std::uint16_t kParamData = 1027;
constexpr std::uint16_t kParamTextTable1 = 1028;
constexpr std::uint16_t kParamTextTable3 = 1030;

constexpr std::uint8_t kReplyOk[] = {0x02, 0x03, 0x00, 0x00, 0x01};
constexpr std::uint8_t kReplyNotServed[] = {0x02, 0x03, 0x00, 0x13, 0x12};
constexpr std::uint8_t kReplyUnknownType[] = {0x02, 0x03, 0x00, 0x12, 0x13};

constexpr std::uint8_t kLedCycle[] = {1, 2, 8, 4};

// The states a reconnect returns to: idle and the jobs the forms request (each asks the unit again).
bool ResumesAfterReconnect(int state) {
  switch (state) {
    case kStateIdle:
    case kStateReadDataSet:
    case kStateWriteAttribute:
    case kStateWriteDataSet:
    case kStateDataSetWritten:
    case kStateSendTexts:
    case kStateClearSlot:
      return true;
    default:
      return false;
  }
}

std::uint8_t Bcc(const std::uint8_t* bytes, std::size_t n) {
  std::uint8_t x = 0;
  for (std::size_t i = 0; i < n; ++i) x ^= bytes[i];
  return x;
}

// The states of the list's reading: a job failed there leaves no list to show, so the reading starts over.
bool ReadsTheList(int state) {
  return state == kStateConnected || state == kStateIdentifyAsked || state == kStateIdentified ||
         state == kStateVersionAsked || state == kStateVersionReceived || state == kStateTextsAsked ||
         state == kStateTextsReceived || state == kStateSizeAsked || state == kStateSizeReceived ||
         state == kStateReadingAttributes;
}

template <std::size_t N>
void SetText(std::array<std::uint8_t, N>& to, const char* text) {
  to.fill(0);
  std::memcpy(to.data(), text, std::min(N - 1, std::strlen(text)));
}

}  // namespace

std::string UnfinishedJobMessage(int state, int slot) {
  const char* job = nullptr;
  switch (state) {
    case kStateReadDataSet: job = kTextReadBroken; break;
    case kStateWriteDataSet:
    case kStateDataSetWritten: job = kTextWriteBroken; break;
    case kStateWriteAttribute: job = kTextProtectBroken; break;
    case kStateClearSlot: job = kTextClearBroken; break;
    case kStateSendTexts: job = kTextTextsBroken; break;
    default: return {};
  }
  char line[160];
  std::snprintf(line, sizeof line, job, slot + 1);
  return std::string(kTextUnitLost) + line;
}

TSlaveThread::TSlaveThread(std::shared_ptr<UnitShared> shared, SlaveEvents events)
    : shared_(std::move(shared)), events_(std::move(events)) {
  port_.SetBaudrate(9600);
  port_.SetComNumber(1);
  port_.SetDatabits(8);
  port_.SetInBuff(4096);
  port_.SetOutBuff(4096);
  port_.SetParity(handheld::kParityEven);
  port_.SetStopbits(handheld::kStopBitsOne);
  SetPriority(tpHigher);
}

void TSlaveThread::Execute() {
  SetFreeOnTerminate(true);
  while (!Terminated()) {
    RunConnection();
    // The pause between connections, cut short when the thread is terminated.
    handheld::StopWatch w;
    w.Start();
    while (!Terminated() && w.Running() < kReconnectPauseMs) port_.PauseWatch().Pause(true, kPauseStepMs);
  }
  port_.SetOpen(false);
}

// The reports carry copies of the handlers, not the thread: a report may run after the thread is gone.
void TSlaveThread::Report(std::function<void()> work) {
  if (work) TThread::Queue(std::move(work));
}

void TSlaveThread::Status(const std::string& text) {
  if (events_.status) Report([f = events_.status, text] { f(text); });
}

void TSlaveThread::Progress(int value) {
  if (events_.progress) Report([f = events_.progress, value] { f(value); });
}

void TSlaveThread::FireListRead() {
  if (events_.list_read) Report(events_.list_read);
}

void TSlaveThread::FireUnitChanged() {
  if (events_.unit_changed) Report(events_.unit_changed);
}

void TSlaveThread::Message(const std::string& text) {
  if (events_.message) Report([f = events_.message, text] { f(text); });
}

void TSlaveThread::ReportUnfinishedJob() {
  std::string text;
  {
    std::lock_guard lock(shared_->mutex);
    if (!IsFormJob(shared_->state)) return;
    text = UnfinishedJobMessage(shared_->state, shared_->job.slot);
  }
  Progress(0);
  Message(text);
}

bool TSlaveThread::Stopping() {
  std::lock_guard lock(shared_->mutex);
  return shared_->stop;
}

void TSlaveThread::RunConnection() {
  port_.SetOpen(true);
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = false;  // a change of unit ended the previous connection
    UnitJobRecord fresh;
    SetText(fresh.line1, "PC angeschlossen");
    SetText(fresh.line2, "TX-Tool 4.5     ");
    shared_->job = fresh;
    shared_->state = kStateStart;
  }
  remembered_state_ = 0;
  attribute_index_ = 0;
  led_step_ = 0;
  timed_out_once_ = false;
  list_announced_ = false;
  while (!Terminated() && !Stopping()) {
    const int result = ReceiveTelegram();
    switch (result) {
      case kReceiveConnect: HandleConnect(); break;
      case kReceiveStatus: HandleStatusRead(); break;
      case kReceiveTexts: HandleTextTable(); break;
      case kReceiveRead: HandleRead(); break;
      case kReceiveWrite: HandleWrite(); break;
      case kReceiveNoStx: {
        bool changing = false;
        {
          std::lock_guard lock(shared_->mutex);
          changing = shared_->stop;
        }
        if (!timed_out_once_ && !changing) {
          ReportUnfinishedJob();
          FireUnitChanged();
        }
        timed_out_once_ = true;
        Status(kTextNoConnection);
        break;
      }
      case kReceiveLate:
      case kReceiveMalformed: Status(kTextLate); break;
      case kReceiveBadBcc: Status(kTextBadBcc); break;
      case kReceiveTooMany: Status(kTextTooMany); break;
      case kReceiveTerminated: Status(kTextAborted); break;
      case kReceiveStopped: break;  // the loop ends at its test
      case kReceiveUnknownType: SendUnknownType(); break;
      default:
        Status(kTextNoUnit);
        return;
    }
  }
}

int TSlaveThread::ReceiveTelegram() {
  // Only the input is purged: the output still holds the reply just written, which must reach the unit.
  port_.FlushBuffer(true, false);
  handheld::StopWatch watch;
  watch.Start();
  std::uint8_t byte = 0;
  for (;;) {
    if (Terminated()) return kReceiveTerminated;
    bool ok = false;
    byte = port_.ReadChar(kByteTimeoutMs, &ok);
    if (ok && byte == kStx) break;
    if (!ok && !port_.Open()) port_.PauseWatch().Pause(false, kByteTimeoutMs);  // no line: wait, not spin
    if (watch.Running() > kNoStxTimeoutMs) return kReceiveNoStx;
    if (Stopping()) return kReceiveStopped;
  }
  telegram_[0] = kStx;
  bool ok = false;
  const std::uint8_t len = port_.ReadChar(kByteTimeoutMs, &ok);
  if (!ok) return kReceiveLate;
  telegram_[1] = len;
  if (!port_.ReadBlock(telegram_.data() + 2, len, kBodyTimeoutMs)) {
    return Terminated() ? kReceiveTerminated : kReceiveLate;
  }
  if (Terminated()) return kReceiveTerminated;
  telegram_length_ = static_cast<std::size_t>(len) + 2;
  if (port_.CharReady() > 0) return kReceiveTooMany;
  if (Bcc(telegram_.data(), telegram_length_) != 0) return kReceiveBadBcc;
  port_.FlushBuffer(true, false);
  // ADR, type, parameter and sub-number come before the data and the BCC.
  if (len < 7) return kReceiveMalformed;
  const std::uint8_t type = telegram_[3];
  parameter_ = static_cast<std::uint16_t>(telegram_[4] << 8 | telegram_[5]);
  sub_ = static_cast<std::uint16_t>(telegram_[6] << 8 | telegram_[7]);
  data_length_ = static_cast<std::size_t>(len) - 7;
  std::copy_n(telegram_.begin() + 8, data_length_, data_.begin());
  const bool data_param = parameter_ == kParamData && sub_ == 0;
  switch (type) {
    case kTypeConnect: return kReceiveConnect;
    case kTypeRead: return kReceiveRead;
    case kTypeWrite: return kReceiveWrite;
    case kTypeStatus: return data_param ? kReceiveRead : kReceiveStatus;
    case kTypeTexts: return data_param ? kReceiveWrite : kReceiveTexts;
    default: return kReceiveUnknownType;
  }
}

void TSlaveThread::Send(const std::uint8_t* bytes, std::size_t n) { port_.WriteBlock(bytes, n); }
void TSlaveThread::SendOk() { Send(kReplyOk, sizeof kReplyOk); }
void TSlaveThread::SendNotServed() { Send(kReplyNotServed, sizeof kReplyNotServed); }
void TSlaveThread::SendUnknownType() { Send(kReplyUnknownType, sizeof kReplyUnknownType); }

std::array<std::uint8_t, 43> TSlaveThread::BuildStatusReply() {
  std::array<std::uint8_t, 43> r{};
  std::lock_guard lock(shared_->mutex);
  UnitJobRecord& j = shared_->job;
  j.led = kLedCycle[led_step_];
  led_step_ = (led_step_ + 1) % 4;
  r[0] = kStx;
  r[1] = 41;
  std::size_t at = 4;
  for (const std::uint8_t b : j.line1) r[at++] = b;
  for (const std::uint8_t b : j.line2) r[at++] = b;
  r[at++] = j.spare0;
  r[at++] = j.two;
  r[at++] = j.led;
  r[at++] = j.job;
  r[at] = Bcc(r.data(), at);
  return r;
}

std::array<std::uint8_t, 15> TSlaveThread::BuildJobReply() {
  std::array<std::uint8_t, 15> r{};
  std::lock_guard lock(shared_->mutex);
  const UnitJobRecord& j = shared_->job;
  r = {kStx,
       13,
       0,
       0,
       j.pending,
       j.spare2,
       static_cast<std::uint8_t>(j.length >> 8),
       static_cast<std::uint8_t>(j.length),
       static_cast<std::uint8_t>(j.offset >> 24),
       static_cast<std::uint8_t>(j.offset >> 16),
       static_cast<std::uint8_t>(j.offset >> 8),
       static_cast<std::uint8_t>(j.offset),
       j.slot,
       j.spare3,
       0};
  r[14] = Bcc(r.data(), 14);
  return r;
}

std::vector<std::uint8_t> TSlaveThread::BuildDataReply(std::size_t offset, std::size_t n) {
  // Bounded by the reply frame and by the buffer: bytes beyond it are never sent.
  std::lock_guard lock(shared_->mutex);
  const std::size_t from = std::min(offset, kDataSetBufferSize);
  n = std::min({n, kDataReplyMax, kDataSetBufferSize - from});
  std::vector<std::uint8_t> r(n + 5, 0);
  r[0] = kStx;
  r[1] = static_cast<std::uint8_t>(n + 3);
  std::copy_n(shared_->outgoing.begin() + static_cast<std::ptrdiff_t>(from), n, r.begin() + 4);
  r.back() = Bcc(r.data(), n + 4);
  return r;
}

void TSlaveThread::HandleConnect() {
  Send(telegram_.data(), telegram_length_);
  {
    std::lock_guard lock(shared_->mutex);
    shared_->job.pending = 0;
    // The unit sends its text tables (the data sets' names) after every connect.
    for (auto& table : shared_->text_tables) table.clear();
    if (shared_->state != kStateStart) {
      remembered_state_ = shared_->state;
      shared_->state = kStateConnected;
    } else {
      shared_->state = kStateConnectedOnce;
    }
  }
  Status(kTextConnecting);
}

void TSlaveThread::HandleStatusRead() {
  if (parameter_ == kParamControl && sub_ == kSubStatus) {
    const auto r = BuildStatusReply();
    Send(r.data(), r.size());
  } else if (parameter_ == kParamJob && sub_ == kSubJob) {
    const auto r = BuildJobReply();
    Send(r.data(), r.size());
  } else {
    SendNotServed();
  }
}

void TSlaveThread::HandleTextTable() {
  if (parameter_ >= kParamTextTable1 && parameter_ <= kParamTextTable3 && sub_ == 0) {
    std::lock_guard lock(shared_->mutex);
    auto& table = shared_->text_tables[parameter_ - kParamTextTable1];
    table.assign(data_.begin(), data_.begin() + static_cast<std::ptrdiff_t>(std::min(data_length_, kTextTableMax)));
    SendOk();
  } else {
    SendNotServed();
  }
}

void TSlaveThread::HandleRead() {
  if (parameter_ == kParamData && sub_ == 0) {
    std::size_t offset = 0, length = 0;
    bool writing = false;
    {
      std::lock_guard lock(shared_->mutex);
      offset = shared_->running_offset;
      length = shared_->job.length;
      writing = shared_->state == kStateWriteDataSet;
    }
    const auto r = BuildDataReply(offset, length);
    Send(r.data(), r.size());
    if (writing) {
      std::size_t now = 0;
      {
        std::lock_guard lock(shared_->mutex);
        shared_->running_offset = std::min(offset + (r.size() - 5), kDataSetBufferSize);
        now = shared_->running_offset;
      }
      Status(kTextWritingDataSet);
      Progress(static_cast<int>(now));
    }
    return;
  }
  if (parameter_ >= kParamTextTable1 && parameter_ <= kParamTextTable3 && sub_ % kTextLength == 0 &&
      sub_ <= 13 * kTextLength) {
    std::vector<std::uint8_t> r = {kStx, static_cast<std::uint8_t>(kTextLength + 3), 0, 0};
    {
      std::lock_guard lock(shared_->mutex);
      const std::size_t slot = shared_->job.slot;
      r.insert(r.end(), shared_->outgoing_name.begin(), shared_->outgoing_name.end());
      shared_->names[slot] = shared_->outgoing_name;
      shared_->file_names[slot] = shared_->outgoing_file;
      shared_->attributes[slot] |= kAttrValid;
      shared_->job.job = kJobNone;
      if (shared_->state == kStateDataSetWritten) shared_->state = kStateIdle;  // the write is complete
    }
    r.push_back(Bcc(r.data(), r.size()));
    Send(r.data(), r.size());
    FireListRead();
    return;
  }
  SendNotServed();
}

void TSlaveThread::HandleWrite() {
  const std::uint8_t first = data_length_ > 0 ? data_[0] : 0;
  if (parameter_ == kParamControl && sub_ == kSubStart) {
    SendOk();
  } else if (parameter_ == kParamControl && sub_ == kSubKey) {
    SendOk();
    Status(kTextConnected);
    bool pending = false;
    {
      std::lock_guard lock(shared_->mutex);
      pending = shared_->job.pending != 0;
    }
    if (!pending) AdvanceOnPoll();
  } else if (parameter_ == kParamJob && sub_ == kSubJob) {
    {
      std::lock_guard lock(shared_->mutex);
      shared_->job.pending = first;
    }
    SendOk();
  } else if (parameter_ == kParamJob && sub_ == kSubJobDone) {
    SendOk();
    const bool failed = !JobReportedDone(first);
    bool texts = false, list_lost = false;
    {
      std::lock_guard lock(shared_->mutex);
      const int s = shared_->state;
      if (s == kStateWriteAttribute || s == kStateClearSlot || s == kStateSendTexts) shared_->unit_done = true;
      texts = s == kStateSendTexts;
      if (failed) {
        list_lost = ReadsTheList(s);
        if (s == kStateWriteAttribute) shared_->attributes[shared_->job.slot] = shared_->attribute_before;
        // A job of the list's reading starts the reading over (the list shown stays the last one read); a job
        // of the forms ends, its slot as the unit still holds it.
        shared_->state = list_lost ? kStateConnected : kStateIdle;
        shared_->job.job = kJobNone;
        shared_->unit_done = false;
        attribute_index_ = 0;
      }
    }
    if (texts && !failed) Status(kTextTextsSent);
    if (failed) {
      Message(kTextCommFailure);
      Progress(0);
      if (!list_lost) FireListRead();  // the list and its actions come back
    }
  } else if (parameter_ == kParamJob && sub_ == kSubCount) {
    SendOk();
    std::lock_guard lock(shared_->mutex);
    shared_->data_set_count = std::min<int>(first, static_cast<int>(kSlotCount));
  } else if (parameter_ == kParamData && sub_ == 0) {
    SendOk();
    TakeData();
  } else if (parameter_ == kParamTextTable1) {
    SendOk();
  } else {
    SendNotServed();
  }
}

void TSlaveThread::TakeData() {
  std::unique_lock lock(shared_->mutex);
  UnitShared& s = *shared_;
  const auto word = [&] { return static_cast<std::uint16_t>(data_length_ >= 2 ? data_[0] << 8 | data_[1] : 0); };
  switch (s.state) {
    case kStateSizeAsked:
      s.data_set_size = static_cast<std::uint16_t>(std::min<std::size_t>(word(), kDataSetBufferSize));
      s.state = kStateSizeReceived;
      s.job.job = kJobNone;
      attribute_index_ = 0;
      break;
    case kStateIdentifyAsked: {
      std::array<std::uint8_t, 4> id{};
      std::copy_n(data_.begin(), std::min<std::size_t>(data_length_, 4), id.begin());
      if (s.identity_known && id != s.identity) {
        lock.unlock();
        FireUnitChanged();
        return;
      }
      s.identity = id;
      s.identity_known = true;
      s.state = kStateIdentified;
      break;
    }
    case kStateVersionAsked:
      s.version.fill(0);
      std::copy_n(data_.begin(), std::min(data_length_, kTextLength), s.version.begin());
      s.state = kStateVersionReceived;
      s.job.job = kJobNone;
      break;
    case kStateTextsAsked:
      s.display_texts.fill(0);
      std::copy_n(data_.begin(), std::min(data_length_, 2 * kTextLength), s.display_texts.begin());
      s.state = kStateTextsReceived;
      s.job.job = kJobNone;
      break;
    case kStateReadingAttributes:
      if (attribute_index_ < static_cast<int>(kSlotCount)) s.attributes[attribute_index_] = word();
      ++attribute_index_;
      break;
    case kStateReadDataSet: {
      // Appended behind what arrived, never past the buffer nor the data-set size.
      const std::size_t limit = std::min<std::size_t>(s.data_set_size, kDataSetBufferSize);
      const std::size_t from = std::min(s.running_offset, limit);
      const std::size_t n = std::min(data_length_, limit - from);
      std::copy_n(data_.begin(), n, s.incoming.begin() + static_cast<std::ptrdiff_t>(from));
      s.running_offset = from + n;
      s.incoming_length = s.running_offset;
      const int now = static_cast<int>(s.running_offset);
      lock.unlock();
      Status(kTextReadingDataSet);
      Progress(now);
      break;
    }
    default: break;
  }
}

void TSlaveThread::AdvanceOnPoll() {
  std::unique_lock lock(shared_->mutex);
  UnitShared& s = *shared_;
  UnitJobRecord& j = s.job;
  const auto ask = [&](std::uint8_t job) {
    j.job = job;
    j.pending = 1;
  };
  std::function<void()> after;  // a report made once the lock is released
  switch (s.state) {
    case kStateConnected: ask(kJobIdentify); s.state = kStateIdentifyAsked; break;
    case kStateIdentified:
      // A reconnect goes back to a job the forms asked for (it asks the unit again) or to idle; a state that
      // waited for the unit's answer to a list job lost that job with the reconnect, so the list starts over.
      if (ResumesAfterReconnect(remembered_state_)) {
        s.state = remembered_state_;
        remembered_state_ = 0;
      } else {
        remembered_state_ = 0;
        attribute_index_ = 0;
        ask(kJobSendVersion);
        s.state = kStateVersionAsked;
      }
      break;
    case kStateVersionReceived: ask(kJobSendTexts); s.state = kStateTextsAsked; break;
    case kStateTextsReceived:
      j.offset = 24;
      j.length = 2;
      ask(kJobSendSize);
      s.state = kStateSizeAsked;
      break;
    case kStateSizeReceived:
    case kStateReadingAttributes:
      if (attribute_index_ < s.data_set_count) {
        j.slot = static_cast<std::uint8_t>(attribute_index_);
        ask(kJobSendAttribute);
        s.state = kStateReadingAttributes;
        const int i = attribute_index_;
        after = [this, i] {
          Progress(i);
          Status(kTextReadingAttributes);
        };
      } else {
        j.job = kJobNone;
        s.state = kStateIdle;
        if (!list_announced_) {
          list_announced_ = true;
          after = [this] {
            Progress(0);
            FireListRead();
          };
        }
      }
      break;
    case kStateReadDataSet: {
      const std::size_t size = std::min<std::size_t>(s.data_set_size, kDataSetBufferSize);
      if (s.running_offset >= size) {
        j.job = kJobNone;
        s.state = kStateIdle;
        after = [this] {
          Progress(0);
          if (events_.data_set_read) Report([this] { events_.data_set_read(); });
        };
      } else {
        j.offset = static_cast<std::uint32_t>(s.running_offset);
        j.length = static_cast<std::uint16_t>(std::min(kBlockLength, size - s.running_offset));
        ask(kJobSendBlock);  // the job code the unit needs to send a block
      }
      break;
    }
    case kStateWriteAttribute:
      if (s.unit_done) {
        s.unit_done = false;
        s.state = kStateIdle;
        j.job = kJobNone;
        after = [this] { FireListRead(); };
      } else {
        const std::uint16_t w = s.attributes[j.slot];
        s.outgoing[0] = static_cast<std::uint8_t>(w >> 8);
        s.outgoing[1] = static_cast<std::uint8_t>(w);
        s.running_offset = 0;
        j.offset = 0;
        j.length = 2;
        ask(kJobWriteAttribute);
      }
      break;
    case kStateWriteDataSet: {
      const std::size_t total = std::min(s.outgoing_length, kDataSetBufferSize);
      if (s.last_block) {
        ask(kJobDataSetComplete);
        j.pending = 1;
        s.state = kStateDataSetWritten;
        after = [this] { Progress(0); };
      } else {
        const std::size_t rest = total > s.running_offset ? total - s.running_offset : 0;
        j.offset = static_cast<std::uint32_t>(s.running_offset);
        if (rest <= kBlockLength) {
          // The last block goes as the rest minus one, as the unit has always been sent it.
          j.length = static_cast<std::uint16_t>(rest > 0 ? rest - 1 : 0);
          s.last_block = true;
        } else {
          j.length = static_cast<std::uint16_t>(kBlockLength);
        }
        ask(kJobTakeBlock);
      }
      break;
    }
    case kStateSendTexts:
      if (s.unit_done) {
        s.unit_done = false;
        s.state = kStateIdle;
        j.job = kJobNone;
        after = [this] { FireListRead(); };
      } else {
        std::copy(s.new_display_texts.begin(), s.new_display_texts.end(), s.outgoing.begin());
        s.running_offset = 0;
        j.offset = 0;
        j.length = static_cast<std::uint16_t>(2 * kTextLength);
        ask(kJobTakeTexts);
      }
      break;
    case kStateClearSlot:
      if (s.unit_done) {
        s.unit_done = false;
        s.names[j.slot].fill(0);
        s.attributes[j.slot] = 0;
        s.state = kStateIdle;
        j.job = kJobNone;
        after = [this] { FireListRead(); };
      } else {
        ask(kJobClearSlot);
      }
      break;
    default:
      if (s.state < kStateConnected) s.state = kStateConnected;
      break;
  }
  lock.unlock();
  if (after) after();
}

}  // namespace txtool
