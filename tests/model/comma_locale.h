// Switches LC_NUMERIC to a locale whose decimal point is a comma (as a GUI toolkit may do) for one scope.
// The locale is built into a temporary folder with localedef; active() is false where that is not possible.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

class CommaLocale {
 public:
  CommaLocale() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zprlocale.XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    dir_ = pattern;
    std::ofstream(dir_ + "/comma.src") << "comment_char %\nescape_char /\nLC_NUMERIC\ndecimal_point \",\"\n"
                                          "thousands_sep \".\"\ngrouping 3\nEND LC_NUMERIC\n";
    const std::string command = "localedef -c -i " + dir_ + "/comma.src -f UTF-8 " + dir_ + "/comma >/dev/null 2>&1";
    if (std::system(command.c_str()) == -1 || !std::filesystem::exists(dir_ + "/comma/LC_NUMERIC")) return;
    setenv("LOCPATH", dir_.c_str(), 1);
    if (!std::setlocale(LC_NUMERIC, "comma")) return;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    active_ = std::string(probe) == "1,5";
  }
  ~CommaLocale() {
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
    std::error_code ec;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;
  bool active() const { return active_; }

 private:
  std::string dir_;
  bool active_ = false;
};

}  // namespace testing_support
