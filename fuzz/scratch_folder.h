// A folder of the fuzz target's own for the files it writes, removed at the end. It lies in memory (/dev/shm)
// where that exists: the atomic writes flush every file to disk, which on a disk takes milliseconds per input and
// in memory nothing.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzz {

class ScratchFolder {
 public:
  explicit ScratchFolder(const char* name) {
    namespace fs = std::filesystem;
    const fs::path base = access("/dev/shm", W_OK) == 0 ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / (std::string(name) + ".XXXXXX")).string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace fuzz
