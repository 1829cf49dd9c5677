// txtool: the Tastomatik's data sets on the PC.
#include <cstdio>
#include <string>

#include "handheld/txtool/txtool_application.h"
#include "platform/backend/x11_display.h"
#include "platform/vcl/application.h"

int main() {
  std::string error;
  if (!platform::backend::StartX11Display(&error)) {
    std::fprintf(stderr, "txtool: %s\n", error.c_str());
    return 1;
  }
  txtool::CreateTxToolForms();
  Application->Run();
  Application->Reset();
  platform::backend::StopX11Display();
  return 0;
}
