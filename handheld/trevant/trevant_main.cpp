// trevant: a Tastomatik on the screen, driving a device on the unit's protocol over COMn.
#include <cstdio>
#include <string>

#include "handheld/trevant/trevant_application.h"
#include "platform/backend/x11_display.h"
#include "platform/vcl/application.h"

int main() {
  std::string error;
  if (!platform::backend::StartX11Display(&error)) {
    std::fprintf(stderr, "trevant: %s\n", error.c_str());
    return 1;
  }
  trevant::CreateTrevantForm();
  Application->Run();
  Application->Reset();
  platform::backend::StopX11Display();
  return 0;
}
