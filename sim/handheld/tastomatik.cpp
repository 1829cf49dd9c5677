#include "sim/handheld/tastomatik.h"

#include <algorithm>

namespace sim::tasto {

namespace {

constexpr std::uint16_t kControl = 50;
constexpr std::uint16_t kStatus = 0;
constexpr std::uint16_t kKey = 34;
constexpr std::uint16_t kStart = 35;
constexpr std::uint16_t kJob = 1026;
constexpr std::uint16_t kData = 1027;
constexpr std::uint16_t kNames = 1028;
constexpr int kNoReplySettleMs = 300;

std::vector<std::uint8_t> Fixed(const std::string& text, std::size_t n) {
  std::vector<std::uint8_t> v(n, 0);
  std::copy_n(text.begin(), std::min(text.size(), n), v.begin());
  return v;
}

std::vector<std::uint8_t> Word(std::uint16_t w) {
  return {static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w & 0xFF)};
}

std::string TextOf(const std::vector<std::uint8_t>& d, std::size_t from, std::size_t n) {
  std::string s;
  for (std::size_t i = from; i < from + n && i < d.size() && d[i] != 0; ++i) s.push_back(static_cast<char>(d[i]));
  return s;
}

}  // namespace

std::vector<std::uint8_t> NameTable(const Unit& unit, std::size_t table) {
  std::vector<std::uint8_t> t(kNamesPerTable * kNameLength, 0);
  for (std::size_t i = 0; i < kNamesPerTable; ++i) {
    const std::size_t n = table * kNamesPerTable + i;
    if (n >= unit.slots.size()) break;
    std::copy(unit.slots[n].name.begin(), unit.slots[n].name.end(), t.begin() + static_cast<std::ptrdiff_t>(i * kNameLength));
  }
  return t;
}

std::size_t NameTablesSent(const Unit& unit) {
  const std::size_t needed = (unit.slots.size() + kNamesPerTable - 1) / kNamesPerTable;
  return std::clamp<std::size_t>(needed, 1, kTextTableCount);
}

std::optional<Reply> Tastomatik::Transact(const std::vector<std::uint8_t>& request) {
  if (!line_.Send(request)) return std::nullopt;
  auto frame = line_.ReceiveFrame(kReplyTimeoutMs);
  line_.Settle(kGapMs);
  if (!frame) return std::nullopt;
  auto reply = ParseReply(*frame);
  if (!reply) ++seen_.bad_replies;
  return reply;
}

void Tastomatik::SendOnly(const std::vector<std::uint8_t>& bytes, int settle_ms) {
  line_.Send(bytes);
  line_.Settle(settle_ms);
}

bool Tastomatik::Connect() {
  const auto probe = Request(kConnect, 0, 0, {0x00, 0x00, 0x00});
  const auto echo = Transact(probe);
  if (!echo || echo->raw != probe) return false;
  if (!Ok(Transact(Request(kWriteToPc, kControl, kStart, {1})))) return false;
  for (std::size_t t = 0; t < NameTablesSent(unit_); ++t) {
    const auto table = static_cast<std::uint16_t>(kNames + t);
    if (!Ok(Transact(Request(kWriteTexts, table, 0, NameTable(unit_, t))))) return false;
  }
  const int count = unit_.announced_count >= 0 ? unit_.announced_count : static_cast<int>(unit_.slots.size());
  return Ok(Transact(Request(kWriteToPc, kJob, 9, {static_cast<std::uint8_t>(count)})));
}

Slot* Tastomatik::SlotAt(std::uint8_t n) { return n < unit_.slots.size() ? &unit_.slots[n] : nullptr; }

bool Tastomatik::Poll() {
  if (!Ok(Transact(Request(kWriteToPc, kControl, kKey, {0})))) return false;
  const auto status = Transact(Request(kReadStatus, kControl, kStatus));
  if (!status || status->raw.size() != 43 || status->status != 0) return false;
  const auto& d = status->data;
  seen_.line1 = TextOf(d, 0, 16);
  seen_.line2 = TextOf(d, 17, 16);
  seen_.leds.push_back(d[36]);
  if (d[37] == 0) return true;
  const auto job = Transact(Request(kReadStatus, kJob, 0));
  if (!job || job->raw.size() != 15) return false;
  const auto& j = job->data;
  if (j[0] == 0) return true;
  const auto length = static_cast<std::uint16_t>(j[2] << 8 | j[3]);
  const auto offset = static_cast<std::uint32_t>(j[4] << 24 | j[5] << 16 | j[6] << 8 | j[7]);
  if (!Ok(Transact(Request(kWriteToPc, kJob, 0, {0})))) return false;
  if (pull_next_) {
    pull_next_ = false;
    return false;
  }
  const bool done = PerformJob(d[37], length, offset, j[8]);
  const std::uint8_t code = !done ? kJobFailed : next_code_.value_or(kJobDone);
  next_code_.reset();
  return Ok(Transact(Request(kWriteToPc, kJob, 1, {code}))) && done;
}

bool Tastomatik::PerformJob(std::uint8_t job, std::uint16_t length, std::uint32_t offset, std::uint8_t n) {
  seen_.jobs.push_back(job);
  const auto send = [&](const std::vector<std::uint8_t>& data) {
    return Ok(Transact(Request(kWriteToPc, kData, 0, data)));
  };
  const auto fetch = [&](std::uint16_t parameter, std::uint16_t sub) -> std::optional<std::vector<std::uint8_t>> {
    const auto r = Transact(Request(kReadFromPc, parameter, sub));
    if (!r || r->status != 0) return std::nullopt;
    return r->data;
  };
  Slot* slot = SlotAt(n);
  switch (job) {
    case 15: return send({unit_.identity.begin(), unit_.identity.end()});
    case 7: return send(Fixed(unit_.version, kNameLength));
    case 14: {
      auto texts = Fixed(unit_.display1, kNameLength);
      const auto second = Fixed(unit_.display2, kNameLength);
      texts.insert(texts.end(), second.begin(), second.end());
      return send(texts);
    }
    case 3: return send(Word(unit_.data_set_size));
    case 5: return send(Word(slot ? slot->attribute : 0));
    case 6: {
      const auto w = fetch(kData, 0);
      if (!w || w->size() != 2 || !slot) return false;
      slot->attribute = static_cast<std::uint16_t>((*w)[0] << 8 | (*w)[1]);
      changed_ = true;
      return true;
    }
    case 1: {
      if (!slot) return false;
      std::vector<std::uint8_t> block;
      for (std::size_t i = offset; i < offset + length; ++i) block.push_back(i < slot->image.size() ? slot->image[i] : 0);
      seen_.block_lengths.push_back(length);
      return send(block);
    }
    case 2: {
      const auto b = fetch(kData, 0);
      if (!b || !slot) return false;
      seen_.block_lengths.push_back(b->size());
      if (offset == 0) {
        // A new data set comes: the slot holds no valid one until it is complete.
        slot->attribute = static_cast<std::uint16_t>(slot->attribute & ~1u);
        slot->name.fill(0);
        slot->image.clear();
        changed_ = true;
      }
      if (slot->image.size() < offset + b->size()) slot->image.resize(offset + b->size());
      std::copy(b->begin(), b->end(), slot->image.begin() + offset);
      return b->size() == length;
    }
    case 8: {
      if (!slot) return false;
      const auto name = fetch(static_cast<std::uint16_t>(kNames + n / kNamesPerTable),
                              static_cast<std::uint16_t>(kNameLength * (n % kNamesPerTable)));
      if (!name || name->size() != kNameLength) return false;
      std::copy(name->begin(), name->end(), slot->name.begin());
      slot->attribute |= 1;
      changed_ = true;
      return true;
    }
    case 12:
      if (!slot) return false;
      *slot = Slot{};
      changed_ = true;
      return true;
    case 13: {
      const auto t = fetch(kData, 0);
      if (!t || t->size() != 2 * kNameLength) return false;
      unit_.display1 = TextOf(*t, 0, kNameLength);
      unit_.display2 = TextOf(*t, kNameLength, kNameLength);
      return true;
    }
    default: return false;
  }
}

bool PlayFault(Tastomatik& unit, Line& line, Fault fault) {
  switch (fault) {
    case Fault::kNone: return true;
    case Fault::kBadBcc: {
      auto t = Request(kReadStatus, kControl, kStatus);
      t.back() ^= 0x5A;
      unit.SendOnly(t, kNoReplySettleMs);
      return true;
    }
    case Fault::kTrailing: {
      auto t = Request(kReadStatus, kControl, kStatus);
      t.push_back(0x00);
      unit.SendOnly(t, kNoReplySettleMs);
      line.Drain();  // a reply the PC might still have sent is no part of the next exchange
      return true;
    }
    case Fault::kLateBody: {
      const auto t = Request(kReadStatus, kControl, kStatus);
      unit.SendOnly({t.begin(), t.begin() + 2}, 1100);
      unit.SendOnly({t.begin() + 2, t.end()}, kNoReplySettleMs);
      line.Drain();
      return true;
    }
    case Fault::kUnknownType: {
      const auto r = unit.Transact(Request(9, kControl, kStatus));
      return r && r->raw == std::vector<std::uint8_t>{0x02, 0x03, 0x00, 0x12, 0x13};
    }
    case Fault::kUnserved: {
      const auto r = unit.Transact(Request(kReadStatus, 999, 0));
      return r && r->raw == std::vector<std::uint8_t>{0x02, 0x03, 0x00, 0x13, 0x12};
    }
    case Fault::kShortLength: {
      std::vector<std::uint8_t> t = {kStx, 0x03, 0x00, kWriteToPc};
      t.push_back(Xor(t, t.size()));
      unit.SendOnly(t, kNoReplySettleMs);
      line.Drain();
      return true;
    }
    case Fault::kSilence: line.Settle(5600); return true;
    case Fault::kReconnect: return unit.Connect();
  }
  return false;
}

}  // namespace sim::tasto
