// The recent-files list and its menu items.
#include "app/documents/recent_files.h"

#include <array>
#include <cstdio>

#include "app/common/shell_state.h"
#include "app/documents/file_commands.h"
#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/documents/unsaved_changes.h"
#include "model/element_access.h"
#include "model/message_show.h"
#include "model/settings_ini.h"
#include "platform/sys/private_profile.h"

namespace app {
namespace {

constexpr char kSection[] = "lastfiles";
constexpr std::size_t kPathBuffer = 4097;  // a whole path of the system's longest (4096) and its end
constexpr std::size_t kNameWindow = 63;
constexpr std::size_t kShortestPath = 4;  // shorter values count as empty
constexpr unsigned kExitCommand = 2019;

std::vector<RecentFile>& List() {
  static std::vector<RecentFile> list(kRecentCount);
  return list;
}

std::string IniPath() {
  std::array<char, 1024> path{};
  if (model::GetSettingsIniPath(path.data(), static_cast<std::uint32_t>(path.size())) != 0) return {};
  return path.data();
}

std::string KeyOf(std::size_t index) { return "file" + std::to_string(index + 1); }

// The part after the path's last separator, looked for within its last characters.
std::string DisplayName(const std::string& path) {
  if (path.size() < kShortestPath) return {};
  const std::string tail = path.size() > kNameWindow ? path.substr(path.size() - kNameWindow) : path;
  const std::string::size_type slash = tail.find_last_of("/\\");
  return slash == std::string::npos ? tail : tail.substr(slash + 1);
}

void RebuildMenu() {
  HMENU menu = Shell().menu;
  if (menu == nullptr) return;
  for (unsigned id = kFirstRecentCommand; id < kFirstRecentCommand + kRecentCount; ++id) {
    DeleteMenu(menu, id, MF_BYCOMMAND);
  }
  unsigned id = kFirstRecentCommand;
  for (const RecentFile& entry : List()) {
    if (entry.name.empty()) continue;
    std::array<char, 96> text{};
    std::snprintf(text.data(), text.size(), "&%d %s", static_cast<int>(id - kFirstRecentCommand + 1),
                  entry.name.c_str());
    InsertMenu(menu, kExitCommand, MF_BYCOMMAND | MF_STRING, id, text.data());
    ++id;
  }
  if (HWND main = MainWindow()) DrawMenuBar(main);
}

void WriteList() {
  const std::string ini = IniPath();
  if (ini.empty()) return;
  WritePrivateProfileStringA(kSection, nullptr, nullptr, ini.c_str());
  for (std::size_t i = 0; i < kRecentCount; ++i) {
    WritePrivateProfileStringA(kSection, KeyOf(i).c_str(), List()[i].path.c_str(), ini.c_str());
  }
}

}  // namespace

const std::vector<RecentFile>& RecentFiles() { return List(); }

void LoadRecentFiles() {
  List().assign(kRecentCount, RecentFile{});
  const std::string ini = IniPath();
  if (!ini.empty()) {
    for (std::size_t i = 0; i < kRecentCount; ++i) {
      std::vector<char> value(kPathBuffer);
      GetPrivateProfileStringA(kSection, KeyOf(i).c_str(), "", value.data(), static_cast<DWORD>(value.size()),
                              ini.c_str());
      const std::string path = value.data();
      if (path.size() < kShortestPath) continue;
      List()[i] = RecentFile{path, DisplayName(path)};
    }
  }
  RebuildMenu();
}

void SaveRecentFiles(const std::string& typed, const std::string& /*name*/) {
  // Kept whole and absolute, so that an entry opens from any working folder.
  const std::string path = WholePath(typed);
  std::vector<RecentFile>& list = List();
  if (list.front().path == path) return;
  list.insert(list.begin(), RecentFile{path, DisplayName(path)});
  list.resize(kRecentCount);
  RebuildMenu();
  WriteList();
}

std::uint8_t OpenRecentFile(int command) {
  const int index = command - static_cast<int>(kFirstRecentCommand);
  // The menu shows only the entries with a name, in list order.
  int shown = -1;
  const RecentFile* chosen = nullptr;
  for (const RecentFile& entry : List()) {
    if (!entry.name.empty() && ++shown == index) {
      chosen = &entry;
      break;
    }
  }
  if (chosen == nullptr || !MayReplaceActiveData()) return 1;
  const std::string path = chosen->path;
  return OpenProjectFile(path);
}

}  // namespace app
