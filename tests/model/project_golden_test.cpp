// The three kinds of project file of a fresh data set, byte for byte. After a deliberate change of the layout or
// the defaults, regenerate the files with: ZPR_UPDATE_GOLDEN=1 build/bin/test_model --gtest_filter='ProjectGolden*'
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/project_file.h"
#include "model/record_layout.h"
#include "platform/sys/local_time.h"
#include "platform/sys/user_name.h"

namespace {

using namespace model;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ProjectGolden : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::sys::SetLocalTimeOverride(SYSTEMTIME{2026, 3, 2, 17, 9, 30, 0, 0});
    platform::sys::SetUserNameOverride(platform::sys::UserNameOverride{"mueller", 0});
    ASSERT_EQ(InitDataSet(0), 0);
    ASSERT_EQ(InitDataSet(1), 0);
    std::string pattern = (std::filesystem::temp_directory_path() / "zprgold.XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    platform::sys::SetLocalTimeOverride(std::nullopt);
    platform::sys::SetUserNameOverride(std::nullopt);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string dir_;
};

TEST_F(ProjectGolden, FreshDataSetWritesTheGoldenFilesAndReadsThemBack) {
  const struct {
    std::uint8_t write;
    std::uint8_t read;
    const char* name;
    std::size_t lines;
  } cases[] = {{kProjectWriteProject, kProjectReadProject, "project.ZPR", 1452},
               {kProjectWriteReverseDoc, kProjectReadReverseDoc, "reverse_doc.ZPR", 1725},
               {kProjectWriteConfiguration, kProjectReadConfiguration, "configuration.CFG", 85}};
  const bool update = std::getenv("ZPR_UPDATE_GOLDEN") != nullptr;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string golden = std::string(ZPR_SOURCE_DIR) + "/tests/model/golden/" + c.name;
    const std::string written = dir_ + "/" + c.name;
    ASSERT_EQ(ProjectFileAccess(c.write, 0, written.c_str()), kFileDone);
    const std::string text = ReadBytes(written);
    if (update) std::filesystem::copy_file(written, golden, std::filesystem::copy_options::overwrite_existing);
    const std::string expected = ReadBytes(golden);
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), static_cast<std::ptrdiff_t>(c.lines));
    EXPECT_TRUE(text == expected) << "the file differs from " << golden
                                  << "; after a deliberate change regenerate it with ZPR_UPDATE_GOLDEN=1";

    // The golden file reads back into a data set equal to the one that wrote it.
    ASSERT_EQ(ProjectFileAccess(kProjectOpen, 1, golden.c_str()), kFileDone);
    ASSERT_EQ(ProjectFileAccess(c.read, 1, golden.c_str()), kFileDone);
    for (std::uint16_t r : ProjectRecordList(c.write)) {
      std::vector<std::uint8_t> a(RecordSize(r)), b(RecordSize(r));
      ASSERT_EQ(ReadRecord(r, a.data(), kModeRaw, 0), 0);
      ASSERT_EQ(ReadRecord(r, b.data(), kModeRaw, 1), 0);
      EXPECT_EQ(a, b) << "record " << r;
    }
  }
}

}  // namespace
