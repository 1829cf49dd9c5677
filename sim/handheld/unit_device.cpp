#include "sim/handheld/unit_device.h"

#include <algorithm>

#include "sim/handheld/tasto_frame.h"

namespace sim::tasto {

namespace {
constexpr std::uint8_t kNotServed = 0x13;
}

void UnitDevice::Reply(std::uint8_t status, const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> r(data.size() + 5, 0);
  r[0] = kStx;
  r[1] = static_cast<std::uint8_t>(data.size() + 3);
  r[3] = status;
  std::copy(data.begin(), data.end(), r.begin() + 4);
  r.back() = Xor(r, r.size() - 1);
  line_.Send(r);
}

bool UnitDevice::ServeOne(int timeout_ms) {
  const auto frame = line_.ReceiveFrame(timeout_ms);
  if (!frame || frame->size() < 9 || Xor(*frame, frame->size()) != 0) return false;
  if (script_.silent) return true;
  const std::vector<std::uint8_t>& f = *frame;
  const std::uint8_t type = f[3];
  const auto parameter = static_cast<std::uint16_t>(f[4] << 8 | f[5]);
  const auto sub = static_cast<std::uint16_t>(f[6] << 8 | f[7]);
  const std::uint8_t first = f.size() > 9 ? f[8] : 0;
  if (type == kConnect) {
    ++log_.probes;
    line_.Send(f);
    return true;
  }
  if (type == kWriteTexts && parameter == 1028 && sub == 0) {
    ++log_.text_tables;
    Reply(script_.text_table_status);
    return true;
  }
  if (type == kReadStatus && parameter == 50 && sub == 0) {
    if (script_.refuse_status) {
      Reply(kNotServed);
      return true;
    }
    std::vector<std::uint8_t> d(script_.line1.begin(), script_.line1.end());
    d.insert(d.end(), script_.line2.begin(), script_.line2.end());
    d.insert(d.end(), {0, 2, script_.led, script_.job});
    Reply(0, d);
    return true;
  }
  if (type == kReadStatus && parameter == 1026 && sub == 0) {
    Reply(0, {script_.pending, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    return true;
  }
  if (type == kWriteToPc) {
    if (parameter == 50 && sub == 35) ++log_.starts;
    else if (parameter == 50 && sub == 34) log_.keys.push_back(first);
    else if (parameter == 1026 && sub == 0) {
      ++log_.jobs_cleared;
      script_.pending = 0;
    } else if (parameter == 1026 && sub == 1) log_.jobs_done.push_back(first);
    else if (parameter == 14 && sub == 8) log_.bauds_set.push_back(first);
    else if (parameter == 13 && sub == 8) ++log_.bauds_applied;  // a pty has no baud: the switch is logical
    else {
      ++log_.unknown;
      Reply(kNotServed);
      return true;
    }
    Reply(0);
    return true;
  }
  ++log_.unknown;
  Reply(kNotServed);
  return true;
}

}  // namespace sim::tasto
