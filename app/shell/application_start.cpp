// WinMain up to the command line.
#include "app/shell/application_start.h"

#include <cctype>
#include <cstdio>

#include "app/service/command_line_service.h"
#include "app/service/service_options.h"
#include "app/shell/main_resources.h"
#include "app/shell/main_window.h"
#include "platform/backend/x11_display.h"
#include "platform/gdi/cp1252.h"

namespace app {
namespace {

struct StartState {
  bool from_command_line = false;
  std::uint32_t result_code = 0;
  std::string result_text;
  std::string startup_project;
};

StartState& Start() {
  static StartState s;
  return s;
}

}  // namespace

bool RanFromCommandLine() { return Start().from_command_line; }
std::uint32_t CommandLineResultCode() { return Start().result_code; }
const std::string& CommandLineResultText() { return Start().result_text; }

void ReportServiceResult(const std::string& text) {
  std::fputs(platform::gdi::Cp1252ToUtf8(text).c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
  std::string error;
  if (platform::backend::StartX11Display(&error)) {
    MessageBox(nullptr, text.c_str(), kMainWindowCaption, MB_OK);
    platform::backend::StopX11Display();
  }
}

std::string ProjectArgument(std::span<const std::string> arguments) {
  for (const std::string& argument : arguments) {
    if (argument.size() < 5) continue;
    std::string tail = argument.substr(argument.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == ".zpr") return argument;
  }
  return {};
}

void SetStartupProject(const std::string& path) { Start().startup_project = path; }

std::string TakeStartupProject() {
  std::string path;
  path.swap(Start().startup_project);
  return path;
}

void KeepInstance(HINSTANCE instance) {
  SetAppInstance(instance);
  RegisterMainResources(instance);
  WNDCLASS known{};
  if (GetClassInfo(instance, kMainWindowClass, &known) == 0) RegisterMainWindowClass(instance);
}

int WinMain(HINSTANCE instance, HINSTANCE /*previous*/, std::span<const std::string> arguments,
            int show_command) {
  StartState& s = Start();
  s = StartState{};
  KeepInstance(instance);
  if (IsServiceCommandLine(arguments)) {
    s.from_command_line = true;
    s.result_code = RunCommandLineService(arguments, &s.result_text);
    if (!s.result_text.empty()) ReportServiceResult(s.result_text);
    return static_cast<int>(s.result_code);
  }
  s.startup_project = ProjectArgument(arguments);
  std::string error;
  if (!platform::backend::StartX11Display(&error)) {
    std::fprintf(stderr, "vqpt32: %s\n", error.c_str());
    std::fputs("vqpt32 without a display serves the command line only:\n"
               "  vqpt32 /wnd=hide /serv=read|send|send_save /file=PATH [/com=N] [/adr=N]\n",
               stderr);
    return kStartFailedExitCode;
  }
  const int code = RunWindowProgram(instance, show_command);
  platform::backend::StopX11Display();
  return code;
}

}  // namespace app
