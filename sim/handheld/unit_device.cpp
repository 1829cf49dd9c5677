#include "sim/handheld/unit_device.h"

#include <algorithm>

#include "sim/handheld/tasto_frame.h"

namespace sim::tasto {

namespace {
constexpr std::uint8_t kNotServed = 0x13;
constexpr std::uint32_t kBauds[] = {4800, 9600, 19200, 38400};  // by set-baud code

bool Garbled(const std::vector<std::uint8_t>& f) {
  return f.size() < 9 || f[0] != kStx || f[1] + 2u != f.size() || Xor(f, f.size()) != 0;
}
}  // namespace

std::vector<std::uint8_t> UnitDevice::Reply(std::uint8_t status, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> r(data.size() + 5, 0);
  r[0] = kStx;
  r[1] = static_cast<std::uint8_t>(data.size() + 3);
  r[3] = status;
  std::copy(data.begin(), data.end(), r.begin() + 4);
  r.back() = Xor(r, r.size() - 1);
  return r;
}

bool UnitDevice::ServeOne(int timeout_ms) {
  const auto frame = line_ ? line_->ReceiveFrame(timeout_ms) : std::nullopt;
  if (!frame || Garbled(*frame)) return false;
  const std::vector<std::uint8_t> reply = Answer(*frame);
  if (!reply.empty()) line_->Send(reply);
  return true;
}

std::vector<std::uint8_t> UnitDevice::Answer(const std::vector<std::uint8_t>& f) {
  if (Garbled(f) || script_.silent) return {};
  const std::uint8_t type = f[3];
  const auto parameter = static_cast<std::uint16_t>(f[4] << 8 | f[5]);
  const auto sub = static_cast<std::uint16_t>(f[6] << 8 | f[7]);
  const std::uint8_t first = f.size() > 9 ? f[8] : 0;
  if (type == kConnect) {
    ++log_.probes;
    return f;
  }
  if (type == kWriteTexts && parameter == 1028 && sub == 0) {
    ++log_.text_tables;
    return Reply(script_.text_table_status);
  }
  if (type == kReadStatus && parameter == 50 && sub == 0) {
    ++log_.status_reads;
    if (script_.refuse_status) return Reply(kNotServed);
    std::vector<std::uint8_t> d(script_.line1.begin(), script_.line1.end());
    d.insert(d.end(), script_.line2.begin(), script_.line2.end());
    d.insert(d.end(), {0, 2, script_.led, script_.job});
    return Reply(0, d);
  }
  if (type == kReadStatus && parameter == 1026 && sub == 0) {
    ++log_.job_reads;
    return Reply(0, {script_.pending, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  }
  if (type == kWriteToPc) {
    if (parameter == 50 && sub == 35) ++log_.starts;
    else if (parameter == 50 && sub == 34) log_.keys.push_back(first);
    else if (parameter == 1026 && sub == 0) {
      ++log_.jobs_cleared;
      script_.pending = 0;
    } else if (parameter == 1026 && sub == 1) log_.jobs_done.push_back(first);
    else if (parameter == 14 && sub == 8) {
      if (script_.refuse_baud || first >= std::size(kBauds)) return Reply(kNotServed);
      log_.bauds_set.push_back(first);
    } else if (parameter == 13 && sub == 8) {
      ++log_.bauds_applied;
      if (!log_.bauds_set.empty()) baud_ = kBauds[log_.bauds_set.back()];
    } else {
      ++log_.unknown;
      return Reply(kNotServed);
    }
    return Reply(0);
  }
  ++log_.unknown;
  return Reply(kNotServed);
}

}  // namespace sim::tasto
