// The file commands' fixture: the window program on the headless layer with scripted catalogue questions, file
// dialogs answered by the test, project files made outside the program's slots.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <fstream>
#include <sstream>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "tests/app/shell_fixture.h"

namespace shell_test {

inline void Modify(std::uint8_t set, const char* text = "changed") {
  ASSERT_EQ(model::WriteElement(317, 0, text, model::kModeWriteUnchecked, set), 0);
}

inline std::string CommentOf(std::uint8_t set) {
  std::array<char, 1024> text{};
  model::ReadElement(317, 0, text.data(), model::kModeRaw, set);
  return text.data();
}

inline std::string Title() { return drv::Text(app::MainWindow()); }

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DocumentsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    // Catalogue dialogs: the text is remembered; questions take the queued answers (1 yes, 2 no), else yes.
    for (int id : {2, 3, 4}) {
      drv::OnDialogIdle(id, [this, id](HWND d) {
        dialogs_.push_back(drv::ItemText(d, 100));
        int answer = 1;
        if (id == 4 && !answers_.empty()) {
          answer = answers_.front();
          answers_.pop_front();
        }
        EndDialog(d, answer);
      });
    }
    drv::OnMessageBox([](const drv::MessageBoxRecord&) { return IDYES; });
  }

  // A project file written from a fresh data set with a comment text, outside the program's slots; `shape` may
  // change the data set further (a reverse documentation is written as one).
  std::filesystem::path MakeProject(const std::string& name, const char* comment,
                                    const std::function<void(std::uint8_t set)>& shape = {}) {
    const std::filesystem::path path = folder_.path() / name;
    model::InitDataSet(1);
    Modify(1, comment);
    if (shape) shape(1);
    const std::uint8_t mode = model::GetFileTypeCode(1) == model::kFileKindProject ? model::kProjectWriteProject
                                                                                   : model::kProjectWriteReverseDoc;
    EXPECT_EQ(model::ProjectFileAccess(mode, 1, path.c_str()), model::kFileDone);
    model::InitDataSet(1);
    model::ClearChangeList0(1);
    return path;
  }

  bool Saw(const std::string& part) const {
    for (const auto& d : dialogs_) {
      if (d.find(part) != std::string::npos) return true;
    }
    return false;
  }

  std::deque<int> answers_;
};

}  // namespace shell_test
