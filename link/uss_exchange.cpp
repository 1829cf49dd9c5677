// Opening and closing the link and one telegram exchange: send the request, wait for the reply in the nominal
// time windows of the baud rate, check its frame.
#include <algorithm>
#include <string>

#include "link/com_port.h"
#include "link/link_status.h"
#include "link/stop_watch.h"
#include "link/uss_abandon.h"
#include "link/uss_state.h"
#include "platform/sys/clock.h"

namespace ilink {
namespace detail {

UssModule& Uss() {
  static UssModule module;
  return module;
}

}  // namespace detail

namespace {

using detail::Uss;

constexpr std::uint32_t kLimitCap = 65535;
constexpr std::uint32_t kFirstBytePollMs = 5;
constexpr std::uint32_t kRestPollMs = 2;
constexpr std::uint32_t kFirstBytePollSteps = 500;  // 10 us steps counted per 5 ms poll
constexpr std::uint32_t kRestPollSteps = 200;       // per 2 ms poll
constexpr DWORD kDrainMs = 2000;
constexpr int kDiscardRounds = 1024;

std::uint8_t OpenUssPort() {
  auto& m = Uss();
  if (m.settings.baud_index >= kUssBaudSteps) m.settings.baud_index = 0;
  const std::string name =
      "COM" + std::to_string(m.settings.port_index < 16 ? m.settings.port_index + 1 : 1);
  const UssBaudStep& step = UssBaudStepOf(m.settings.baud_index);
  m.char_allowance = step.char_allowance;
  m.reply_time_base = step.reply_time_base;
  m.first_byte_limit = (std::uint32_t{m.settings.highest_address} + 1) * m.settings.reply_wait;
  StopWatchInit();
  return ComPortOpen(name.c_str(), step.baud);
}

std::uint8_t CloseUssPort() {
  ComPortClose();
  return kOk;
}

std::uint8_t SendUssTelegram() {
  auto& m = Uss();
  platform::comm::COMSTAT status;
  if (ComLineStatus(&status) != kOk) return kLineErrorBeforeSend;
  if (status.cbOutQue != 0) return kTransmitBusy;
  const std::uint32_t length = std::uint32_t{m.request[1]} + 2;
  // A short count is a failed send as much as a failed write.
  if (ComWriteRaw(m.request.data(), length) != static_cast<long>(length)) return kSendIncomplete;
  const DWORD start = GetTickCount();
  for (;;) {
    const std::uint8_t code = ComLineStatus(&status);
    if (code == kErrorAfterOpen) return kSendIncomplete;
    if (status.cbOutQue == 0) return kOk;
    if (GetTickCount() - start >= kDrainMs) return kSendIncomplete;
    DelayMs(1, kPumpMessages);
  }
}

// Reads what waits behind the bytes already received, never beyond the reply buffer. A read that brings
// nothing asks the line status: its code, or 0.
std::uint8_t ReadMore() {
  auto& m = Uss();
  const std::size_t room = m.reply.size() - m.reply_count;
  const long n = room > 0 ? ComReadAvailable(m.reply.data() + m.reply_count, static_cast<std::uint32_t>(room)) : 0;
  if (n > 0) {
    m.reply_count += static_cast<std::size_t>(n);
    return kOk;
  }
  return ComLineStatus(nullptr);
}

void DiscardStale() {
  std::array<std::uint8_t, kTelegramBufferSize> sink{};
  for (int i = 0; i < kDiscardRounds; ++i) {
    if (ComReadAvailable(sink.data(), static_cast<std::uint32_t>(sink.size())) <= 0) return;
  }
}

// A reply cut short in time may still be on its way: its late rest would be taken for the start of the next
// reply (a first byte other than STX). It is waited for, within the first-byte window, and dropped with the
// reply; `expected` is 0 when LGE never came.
void DropLateRest(std::size_t expected) {
  auto& m = Uss();
  for (std::uint32_t waited = 0; waited <= m.first_byte_limit; waited += kRestPollSteps) {
    if (expected != 0 && m.reply_count >= expected) break;
    DelayMs(kRestPollMs, kPumpMessages);
    if (m.reply_count >= m.reply.size()) {
      DiscardStale();
    } else if (ReadMore() != kOk) {
      break;
    }
  }
}

// States 2 to 11 of one exchange.
std::uint8_t Exchange() {
  auto& m = Uss();
  // 2: BCC.
  const std::uint8_t lge = m.request[1];
  if (std::size_t{lge} + 2 > m.request.size()) return kSoftwareError;
  m.request[lge + 1] = ComputeBcc(m.request);
  // 3, 4, 5: wait before sending and drop whatever waits.
  m.state = 5;
  DelayMs(m.reply_time_base / 100, kPumpMessages);
  DiscardStale();
  // 6: send.
  m.state = 6;
  m.reply.fill(0);
  m.reply_count = 0;
  std::uint32_t limit = m.settings.baud_index == 0 ? kLimitCap : std::uint32_t{m.char_allowance} * 255;
  if (const std::uint8_t code = SendUssTelegram(); code != kOk) return code;
  // 7: a broadcast awaits no reply.
  m.state = 7;
  if (m.request[2] & kBroadcastBit) return kOk;
  // 8: the first byte.
  m.state = 8;
  std::uint32_t elapsed = 0;
  do {
    DelayMs(kFirstBytePollMs, kPumpMessages);
    elapsed += kFirstBytePollSteps;
    if (const std::uint8_t code = ReadMore(); code != kOk) return code;
  } while (elapsed <= m.first_byte_limit && m.reply_count == 0);
  if (m.reply_count == 0) return kNoReply;
  // 9: LGE.
  m.state = 9;
  elapsed = 0;
  do {
    DelayMs(kRestPollMs, kPumpMessages);
    elapsed += kRestPollSteps;
    if (const std::uint8_t code = ReadMore(); code != kOk) return code;
  } while (m.reply_count < 2 && limit > elapsed);
  if (m.reply_count < 2) {
    DropLateRest(0);
    return kReplyIncomplete;
  }
  limit = std::min<std::uint32_t>(std::uint32_t{m.reply[1]} * m.char_allowance, kLimitCap);
  // 10: the rest (the elapsed count goes on from state 9).
  m.state = 10;
  const std::size_t expected = std::size_t{m.reply[1]} + 2;
  do {
    DelayMs(kRestPollMs, kPumpMessages);
    elapsed += kRestPollSteps;
    if (const std::uint8_t code = ReadMore(); code != kOk) return code;
  } while (!(limit < elapsed || m.reply_count >= 255 || m.reply_count >= expected));
  // 11: check the frame.
  m.state = 11;
  if (m.reply[0] != kStx) return kNoStx;
  if (m.reply_count < expected) {
    DropLateRest(expected);
    return kReplyIncomplete;
  }
  if (m.reply_count > expected) return kTooManyBytes;
  if (m.reply[expected - 1] != ComputeBcc(m.reply)) return kBadBcc;
  if (m.reply[2] != m.request[2]) return kWrongSlave;
  return kOk;
}

}  // namespace

std::uint8_t RunUssExchange(std::uint8_t mode) {
  auto& m = Uss();
  std::uint8_t result = kSoftwareError;
  switch (mode) {
    case 1:
      if (m.state != kLinkClosed) {
        m.state = kLinkOpen;
        result = kSoftwareError;
      } else {
        result = OpenUssPort();
        if (result == kOk) m.state = kLinkOpen;
      }
      break;
    case 2:
      result = m.state == kLinkOpen ? CloseUssPort() : kSoftwareError;
      m.state = kLinkClosed;
      break;
    case 3:
      if (m.state != kLinkOpen) {
        m.state = kLinkClosed;
        result = kLinkNotOpen;
      } else {
        m.state = 2;
        result = Exchange();
        m.state = kLinkOpen;  // through 12 or 13 back to idle
      }
      break;
    default:
      break;
  }
  m.previous_result = m.last_result;
  m.last_result = result;
  DelayMs(m.settings.pause_ms, kPumpMessages);
  return result;
}

void SetUssDriverSettings(std::uint8_t port_index, std::uint8_t baud_index, std::uint8_t login_tries,
                          std::uint16_t unused_word, std::uint16_t pause_ms, std::uint32_t reply_wait,
                          std::uint8_t highest_address, std::uint8_t unused_byte) {
  auto& s = Uss().settings;
  s.port_index = port_index;
  s.baud_index = baud_index;
  s.login_tries = login_tries;
  s.unused_word = unused_word;
  s.pause_ms = pause_ms;
  s.reply_wait = reply_wait;
  s.highest_address = highest_address;
  s.unused_byte = unused_byte;
}

void AbandonUssExchange() {
  auto& m = Uss();
  if (m.state != kLinkClosed) m.state = kLinkOpen;
}

const UssDriverSettings& GetUssDriverSettings() { return Uss().settings; }
std::uint8_t UssLinkState() { return Uss().state; }
std::uint8_t UssLastResult() { return Uss().last_result; }
std::uint8_t UssPreviousResult() { return Uss().previous_result; }
std::span<const std::uint8_t> UssLastRequest() {
  const auto& m = Uss();
  return std::span<const std::uint8_t>(m.request.data(), std::size_t{m.request[1]} + 2);
}
std::span<const std::uint8_t> UssLastReply() {
  const auto& m = Uss();
  return std::span<const std::uint8_t>(m.reply.data(), m.reply_count);
}

}  // namespace ilink
