// Re-formatting the box between the old format (versions up to 3.x) and the current one.
#include <array>

#include "link/parambox.h"
#include "link/parambox_bus.h"
#include "link/parambox_codes.h"

namespace ilink {

std::uint8_t SetParameterBoxFormat(std::uint8_t format) {
  if (format != kBoxFormatOld && format != kBoxFormatCurrent) return kBoxWriteError;
  BoxWake();
  if (!BoxPresent()) return kBoxDisconnected;
  std::array<std::uint8_t, kBoxListAt> head{};
  if (const std::uint8_t code = BoxReadBlock(0, kBoxListAt, head.data()); code != kBoxOk) return code;
  if (format == kBoxFormatCurrent && head[0] != kBoxFormatOld) return kBoxCannotFormatCurrent;
  if (format == kBoxFormatOld && head[0] != kBoxFormatCurrent) return kBoxCannotFormatOld;
  // The valid mark goes first, so that a box pulled in between is never taken for a valid one.
  const std::uint8_t cleared = 0;
  if (const std::uint8_t code = BoxWriteBlock(kBoxValidAt, 1, &cleared); code != kBoxOk) return code;
  if (const std::uint8_t code = BoxWriteBlock(0, 1, &format); code != kBoxOk) return code;
  std::uint8_t check = 0;
  if (!BoxPresent() || BoxReadBlock(0, 1, &check) != kBoxOk || check != format) return kBoxDisconnected;
  return kBoxOk;
}

}  // namespace ilink
