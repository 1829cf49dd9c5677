// Port names: "COMn" stands for /dev/ttyS{n-1} unless the environment variable COMn names another device.
#pragma once

#include <string>
#include <string_view>

namespace platform::comm {

// The device path of a port name: "COM3" -> $COM3 when set and not empty, else "/dev/ttyS2". Any other
// name (a path) is returned unchanged; "COM" with a number below 1 or no number also stays as it is.
std::string ResolvePortName(std::string_view name);

}  // namespace platform::comm
