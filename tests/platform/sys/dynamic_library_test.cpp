#include "platform/sys/dynamic_library.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include "platform/sys/module_path.h"
#include "platform/sys/user_name.h"
#include "platform/testing/driver.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_template.h"
#include "platform/win/message_loop.h"
#include "platform/win/resources.h"
#include "platform/win/window.h"

namespace {

constexpr int kProbeTemplate = 4711;
constexpr UINT kProbeString = 4712;
using AddFn = int (*)(int, int);
using ModuleFn = HMODULE (*)();

std::string ProbePath() { return platform::sys::FileBesideExecutable("ModuleProbe.so"); }

bool ProbeMapped() {
  void* dl = dlopen(ProbePath().c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (dl) dlclose(dl);
  return dl != nullptr;
}

INT_PTR ProbeDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

class DynamicLibrary : public ::testing::Test {
 protected:
  platform::testing::Session session_;
};

TEST_F(DynamicLibrary, NameMapsToTheSharedObjectBesideTheExecutable) {
  const std::string dir = platform::sys::ExecutableDirectory();
  const struct {
    const char* name;
    std::string path;
  } cases[] = {
      {"ZprScope2.dll", dir + "/ZprScope2.so"},
      {"ZprScope2.DLL", dir + "/ZprScope2.so"},
      {"ZprScope2", dir + "/ZprScope2.so"},
      {"ZprScope2.so", dir + "/ZprScope2.so"},
      {"/opt/x/Lib.dll", "/opt/x/Lib.so"},
      {"/opt/x.d/Lib", "/opt/x.d/Lib.so"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::sys::LibraryPathFor(c.name), c.path) << c.name;
}

TEST_F(DynamicLibrary, LoadCallUseUnloadAndLoadAgain) {
  ASSERT_FALSE(ProbeMapped());
  HMODULE first = LoadLibraryA("ModuleProbe.dll");
  ASSERT_NE(first, nullptr) << platform::sys::LastLoadError();
  EXPECT_NE(first, GetModuleHandle(nullptr));
  EXPECT_EQ(GetModuleHandleA("ModuleProbe.dll"), first);
  EXPECT_EQ(platform::sys::ModulePath(first), ProbePath());

  auto add = reinterpret_cast<AddFn>(GetProcAddress(first, "Probe_Add"));
  ASSERT_NE(add, nullptr) << platform::sys::LastLoadError();
  EXPECT_EQ(add(2, 3), 5);
  auto module = reinterpret_cast<ModuleFn>(GetProcAddress(first, "Probe_Module"));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module(), first) << "the library knows its own module";
  EXPECT_EQ(platform::sys::ThisModule(), GetModuleHandle(nullptr)) << "the test binary is the process module";

  // Its resources: found for its module, and usable.
  EXPECT_NE(platform::win::FindDialogTemplate(first, MAKEINTRESOURCE(kProbeTemplate)), nullptr);
  char text[32] = {};
  EXPECT_GT(LoadString(first, kProbeString, text, sizeof text), 0);
  EXPECT_STREQ(text, "probe string");
  HWND dialog = CreateDialogParam(first, MAKEINTRESOURCE(kProbeTemplate), nullptr, ProbeDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(GetDlgItem(dialog, 1), nullptr);
  DestroyWindow(dialog);
  HWND window = CreateWindowEx(0, "ProbeWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, first, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessage(window, WM_USER, 0, 0), 4713);

  // A second load is the same module; only the last FreeLibrary closes it.
  EXPECT_EQ(LoadLibraryA("ModuleProbe"), first);
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_TRUE(ProbeMapped());
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_FALSE(ProbeMapped());

  // Gone with it: its template, strings, class, the window whose procedure lay in it, and the handle.
  EXPECT_EQ(platform::win::FindDialogTemplate(first, MAKEINTRESOURCE(kProbeTemplate)), nullptr);
  EXPECT_EQ(LoadString(first, kProbeString, text, sizeof text), 0);
  WNDCLASS wc{};
  EXPECT_FALSE(GetClassInfo(nullptr, "ProbeWindow", &wc));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(platform::sys::IsModule(first));
  EXPECT_EQ(GetProcAddress(first, "Probe_Add"), nullptr);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetModuleHandleA("ModuleProbe.dll"), nullptr);

  HMODULE second = LoadLibraryA("ModuleProbe.dll");
  ASSERT_NE(second, nullptr) << platform::sys::LastLoadError();
  EXPECT_NE(second, first) << "a handle is never reused";
  EXPECT_NE(platform::win::FindDialogTemplate(second, MAKEINTRESOURCE(kProbeTemplate)), nullptr);
  EXPECT_EQ(reinterpret_cast<ModuleFn>(GetProcAddress(second, "Probe_Module"))(), second);
  EXPECT_TRUE(FreeLibrary(second));
  EXPECT_FALSE(ProbeMapped());
}

TEST_F(DynamicLibrary, FailuresGiveZeroAndAReadableReason) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryA("NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_NE(platform::sys::LastLoadError().find("NoSuchLibrary"), std::string::npos) << platform::sys::LastLoadError();

  HMODULE probe = LoadLibraryA("ModuleProbe.dll");
  ASSERT_NE(probe, nullptr);
  EXPECT_TRUE(platform::sys::LastLoadError().empty());
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(probe, "Probe_Missing"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_NE(platform::sys::LastLoadError().find("Probe_Missing"), std::string::npos);
  EXPECT_EQ(GetProcAddress(probe, MAKEINTRESOURCE(1)), nullptr) << "no exports by number";
  EXPECT_TRUE(FreeLibrary(probe));
  EXPECT_EQ(GetProcAddress(probe, "Probe_Add"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
