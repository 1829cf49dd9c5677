#include "platform/comm/com_name.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace {

TEST(ResolvePortName, MapsComNumbersToSerialDevicesAndLeavesOtherNames) {
  unsetenv("COM1");
  unsetenv("COM16");
  const struct {
    const char* name;
    const char* path;
  } cases[] = {
      {"COM1", "/dev/ttyS0"},  {"COM16", "/dev/ttyS15"}, {"com2", "/dev/ttyS1"},
      {"COM0", "COM0"},        {"COMX", "COMX"},         {"/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"COM", "COM"},          {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::comm::ResolvePortName(c.name), c.path) << c.name;
}

TEST(ResolvePortName, EnvironmentNamesAnotherDevice) {
  setenv("COM3", "/dev/pts/77", 1);
  EXPECT_EQ(platform::comm::ResolvePortName("COM3"), "/dev/pts/77");
  setenv("COM3", "", 1);
  EXPECT_EQ(platform::comm::ResolvePortName("COM3"), "/dev/ttyS2");
  unsetenv("COM3");
}

}  // namespace
