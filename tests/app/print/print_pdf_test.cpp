// The documentation of a whole project printed to the PDF printer: the file pdftotext reads back holds the
// header and the sections' headings on numbered pages, and pdftoppm renders its pages (kept as PNG files under
// build/test-output/print for a look).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/documents/file_slots.h"
#include "app/documents/file_titles.h"
#include "app/print/print_commands.h"
#include "app/print/print_content.h"
#include "app/print/print_job.h"
#include "app/shell/application_start.h"
#include "app/shell/main_resources.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/gdi/print_dialog.h"
#include "platform/gdi/printing.h"
#include "platform/testing/driver.h"

namespace {

namespace fs = std::filesystem;
namespace gdi = platform::gdi;

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

TEST(PrintPdf, AFullProjectPrintsToAPdfThatReadsBackAndRenders) {
  if (access("/usr/bin/pdftotext", X_OK) != 0 || access("/usr/bin/pdftoppm", X_OK) != 0)
    GTEST_SKIP() << "poppler-utils are not installed";
  platform::testing::Session session;
  app::KeepInstance(GetModuleHandle(nullptr));
  app::RegisterMainResources(GetModuleHandle(nullptr));
  model::InitDataSet(0);
  app::ResetFileSlots();
  app::SetActiveFile(0);
  const fs::path out = fs::path(ZPR_BIN_DIR).parent_path() / "test-output" / "print";
  fs::remove_all(out);
  fs::create_directories(out);
  gdi::PrinterSettings pdf;
  pdf.output_path = (out / "project.pdf").string();
  gdi::SetDefaultPrinter(pdf);
  gdi::SetPrintDialogAnswer([](const PRINTDLG&) { return true; });
  std::uint8_t value = 0;
  ASSERT_EQ(model::WriteElement(305, 10, &value, model::kModeRaw, 0), 0);  // to the printer
  value = 1;
  for (std::uint16_t group : {44, 46, 47, 48, 50, 152})
    ASSERT_EQ(model::WriteElement(305, group, &value, model::kModeRaw, 0), 0);

  EXPECT_EQ(app::PrintOrExportProject(nullptr), app::kPrintOk);
  gdi::SetPrintDialogAnswer(nullptr);
  gdi::SetDefaultPrinter(gdi::PrinterSettings{});
  app::FreePrinterSettings();
  ASSERT_TRUE(fs::exists(out / "project.pdf"));
  EXPECT_FALSE(fs::exists(out / "project.pdf.tmp"));

  const std::string text = Shell("pdftotext -layout '" + (out / "project.pdf").string() + "' -");
  for (const char* heading : {"Parameter documentation", "ZPR-Tool V 4.6", "page: 1", "page: 2", "proj-file:",
                              "parameter set 1 and basic set:", "parameter set 2:", "M.. menu skip part 1:",
                              "M.. menu skip part 4:", "Here are only the menues shown, which are not skipped."})
    EXPECT_NE(text.find(heading), std::string::npos) << heading;
  EXPECT_EQ(text.find("Service-Info"), std::string::npos);  // display values are printed for reverse docs only

  const std::string info = Shell("pdfinfo '" + (out / "project.pdf").string() + "' 2>/dev/null");
  const std::size_t pages_at = info.find("Pages:");
  ASSERT_NE(pages_at, std::string::npos);
  const int pages = std::atoi(info.c_str() + pages_at + 6);
  EXPECT_GE(pages, 5);
  // Every page renders (the pictures stay in the output folder).
  Shell("pdftoppm -r 40 -png '" + (out / "project.pdf").string() + "' '" + (out / "page").string() + "'");
  int rendered = 0;
  for (const auto& entry : fs::directory_iterator(out)) rendered += entry.path().extension() == ".png" ? 1 : 0;
  EXPECT_EQ(rendered, pages);
}

}  // namespace
