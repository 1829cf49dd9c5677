// The recently used files: four entries, newest first, kept in the settings file (section "lastfiles") and shown
// in the File menu before "E&xit" as commands 2015..2018.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace app {

inline constexpr std::size_t kRecentCount = 4;
inline constexpr unsigned kFirstRecentCommand = 2015;

struct RecentFile {
  std::string path;
  std::string name;  // what the menu shows; empty for an empty entry
};

// Reads the list from the settings file and rebuilds the menu.
void LoadRecentFiles();
// Puts a file at the top (nothing when it is already the top entry), rebuilds the menu and writes the list.
void SaveRecentFiles(const std::string& path, const std::string& name);
// The recent command's file: asks 8.8 over unsaved changes, then opens it; 0 opened, 1 not.
std::uint8_t OpenRecentFile(int command);

const std::vector<RecentFile>& RecentFiles();

}  // namespace app
