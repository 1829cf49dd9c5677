#include "platform/gdi/print_dialog.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/sys/global_memory.h"

namespace platform::gdi {
namespace {

std::function<bool(const PRINTDLGA&)>& Answer() {
  static std::function<bool(const PRINTDLGA&)> answer;
  return answer;
}

std::function<std::vector<std::string>()>& CupsLister() {
  static std::function<std::vector<std::string>()> lister;
  return lister;
}

// The destinations the CUPS client knows, one a line of "lpstat -e"; none without the client.
std::vector<std::string> QueryCups() {
  std::vector<std::string> out;
  if (access("/usr/bin/lpstat", X_OK) != 0 && access("/usr/local/bin/lpstat", X_OK) != 0) return out;
  FILE* pipe = popen("lpstat -e 2>/dev/null", "r");
  if (!pipe) return out;
  char line[256];
  while (out.size() < 64 && std::fgets(line, sizeof line, pipe)) {
    std::string name(line);
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r' || name.back() == ' ')) name.pop_back();
    if (!name.empty() && name.size() < CCHDEVICENAME) out.push_back(name);
  }
  pclose(pipe);
  return out;
}

}  // namespace

void SetPrintDialogAnswer(std::function<bool(const PRINTDLGA& dialog)> answer) { Answer() = std::move(answer); }
const std::function<bool(const PRINTDLGA&)>& PrintDialogAnswer() { return Answer(); }

void SetCupsPrinterLister(std::function<std::vector<std::string>()> lister) { CupsLister() = std::move(lister); }

std::vector<std::string> AvailablePrinters() {
  std::vector<std::string> out{kPdfPrinterName};
  const PrinterSettings configured = DefaultPrinter();
  if (configured.name != kPdfPrinterName) out.push_back(configured.name);  // a test or the environment chose one
  for (std::string& name : CupsLister() ? CupsLister()() : QueryCups())
    if (name != kPdfPrinterName && name != configured.name) out.push_back(std::move(name));
  return out;
}

PrinterSettings SettingsForPrinter(const std::string& name, const std::string& output_path) {
  PrinterSettings s = DefaultPrinter();
  if (name == s.name) {
    if (!output_path.empty()) s.output_path = output_path;
    return s;
  }
  s = PrinterSettings{};
  s.name = name;
  s.output_path = output_path;
  if (name != kPdfPrinterName) {
    // A CUPS printer: the document is made as a PDF beside the other temporary files and handed to lp.
    s.send_to_lp = true;
    s.lp_destination = name;
    if (s.output_path.empty()) {
      std::error_code ec;
      std::string file = "zpr-print-";
      file += std::to_string(getpid());
      file += ".pdf";
      s.output_path = (std::filesystem::temp_directory_path(ec) / file).string();
    }
  }
  return s;
}

bool ReadDevNames(HGLOBAL names, DevNamesTexts* out) {
  if (!names || !out || GlobalSize(names) <= sizeof(DEVNAMES)) return false;
  const SIZE_T size = GlobalSize(names);
  const auto* base = static_cast<const char*>(GlobalLock(names));
  if (!base) return false;
  const auto* header = reinterpret_cast<const DEVNAMES*>(base);
  auto at = [&](WORD offset) {
    return offset >= size ? std::string() : std::string(base + offset, strnlen(base + offset, size - offset));
  };
  *out = DevNamesTexts{at(header->wDriverOffset), at(header->wDeviceOffset), at(header->wOutputOffset),
                       header->wDefault != 0};
  GlobalUnlock(names);
  return true;
}

HGLOBAL WriteDevNames(HGLOBAL reuse, const DevNamesTexts& texts) {
  const SIZE_T size = sizeof(DEVNAMES) + texts.driver.size() + texts.device.size() + texts.output.size() + 3;
  HGLOBAL names = reuse;
  if (!names || GlobalSize(names) < size) {
    if (names) GlobalFree(names);
    names = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  }
  auto* base = names ? static_cast<char*>(GlobalLock(names)) : nullptr;
  if (!base) return names;
  auto* header = reinterpret_cast<DEVNAMES*>(base);
  std::size_t at = sizeof(DEVNAMES);
  auto put = [&](const std::string& text) {
    const auto offset = static_cast<WORD>(at);
    std::memcpy(base + at, text.c_str(), text.size() + 1);
    at += text.size() + 1;
    return offset;
  };
  header->wDriverOffset = put(texts.driver);
  header->wDeviceOffset = put(texts.device);
  header->wOutputOffset = put(texts.output);
  header->wDefault = texts.is_default ? 1 : 0;
  GlobalUnlock(names);
  return names;
}

}  // namespace platform::gdi
