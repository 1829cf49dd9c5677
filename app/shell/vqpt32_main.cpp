// vqpt32, the projecting tool.
#include <string>
#include <vector>

#include "app/scope/scope_library.h"
#include "app/shell/application_start.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  app::InstallScopeLibraryBinding();
  return app::WinMain(GetModuleHandle(nullptr), nullptr, arguments, SW_SHOWDEFAULT);
}
