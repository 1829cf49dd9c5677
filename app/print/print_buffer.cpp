// The print buffer: opening and closing a printout, sending lines to the text file or the print job, page breaks
// and the text file's page header.
#include <cstdio>

#include "app/print/output_paths.h"
#include "app/print/print_content.h"
#include "app/print/print_state.h"
#include "model/data_set.h"
#include "model/element_access.h"
#include "platform/sys/atomic_file.h"

namespace app {
namespace print {

PrintState& State() {
  static PrintState state;
  return state;
}

std::uint32_t RawOr(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::uint32_t fallback) {
  std::uint32_t value = 0;
  std::uint8_t bytes[1100] = {};  // large enough for any element, also a text
  if (model::ReadElement(record, element, bytes, model::kModeRaw, set) != 0) return fallback;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::uint8_t Send(const std::string& text) {
  State().buffer = text;
  return AddPrintLine();
}

}  // namespace print

namespace {

using print::State;

constexpr std::uint16_t kSettingsRecord = 305;
constexpr std::uint16_t kTextFileElement = 10;
constexpr std::uint16_t kOnlyDifferingElement = 153;
constexpr std::uint8_t kSettingsSet = 0;
constexpr char kPrinterIndent[] = "    ";

PrintLineOutput* g_output = nullptr;  // null: the print job

PrintLineOutput& Output() { return g_output ? *g_output : PrintJobLineOutput(); }
std::string g_text_path;  // empty: ZPRPRINT.TXT in the output folder

// The element is one byte; only its low byte counts.
bool SettingOn(std::uint16_t element) { return (print::RawOr(kSettingsRecord, element, kSettingsSet, 0) & 0xFF) != 0; }

// Text file: line feeds counted, a form feed becomes three line ends, the last character dropped, carriage
// returns written as blanks, each line feed written as CR LF as a Windows text file has it.
void AddToTextFile(std::string text) {
  auto& s = State();
  for (char c : text) s.line_count += c == '\n' ? 1 : 0;
  if (text.front() == '\f') text = "\n\r\n\r\n\r";
  text.pop_back();
  for (char c : text) {
    if (c == '\r') s.text += ' ';
    else if (c == '\n') s.text += "\r\n";
    else s.text += c;
  }
}

// Printer: a form feed goes as it is; else the text is cut at each line end and after every 73 characters and
// each piece is one row with four blanks in front.
void AddToPrinter(const std::string& text) {
  auto& s = State();
  if (text.front() == '\f') {
    Output().Line(text);
    return;
  }
  std::string piece;
  auto emit = [&] {
    std::string row = kPrinterIndent;
    row += piece;
    Output().Line(row);
    ++s.line_count;
    piece.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c == '\n' && i + 1 < text.size() && text[i + 1] == '\r') ||
        (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      emit();
      ++i;
      continue;
    }
    piece += c;
    if (piece.size() == kPrintLineWidth) emit();
  }
  if (!piece.empty()) emit();
}

bool WriteTextFile(const std::string& text) { return !platform::sys::WriteFileAtomically(GetPrintTextPath(), text); }

}  // namespace

void SetPrintLineOutput(PrintLineOutput* output) { g_output = output; }
PrintLineOutput* GetPrintLineOutput() { return &Output(); }
void SetPrintTextPath(const std::string& path) { g_text_path = path; }
std::string GetPrintTextPath() { return g_text_path.empty() ? OutputPath(kPrintTextFileName) : g_text_path; }

std::uint8_t OpenPrintBuffer(std::uint8_t set) {
  auto& s = State();
  if (s.open || set > model::LastDataSetIndex()) return kPrintFailed;
  s = {};
  s.set = set;
  s.to_text_file = SettingOn(kTextFileElement);
  s.only_differing = SettingOn(kOnlyDifferingElement);
  if (!s.to_text_file && !Output().StartJob()) return kPrintFailed;
  s.open = true;
  return kPrintOk;
}

std::uint8_t ClosePrintBuffer() {
  auto& s = State();
  if (!s.open) return kPrintFailed;
  s.open = false;
  if (!s.to_text_file) return Output().EndJob(true) ? kPrintOk : kPrintFailed;
  const bool written = WriteTextFile(s.text);
  s.text.clear();
  return written ? kPrintOk : kPrintFailed;
}

void DiscardPrintBuffer() {
  auto& s = State();
  if (!s.open) return;
  s.open = false;
  s.text.clear();
  if (!s.to_text_file) Output().EndJob(false);
}

bool PrintBufferOpen() { return State().open; }
int PrintPageCount() { return State().page_count; }
int PrintLineCount() { return State().line_count; }

void SetPrintBufferText(std::string_view text) { State().buffer.assign(text); }

std::uint8_t AddPrintLine() {
  auto& s = State();
  if (!s.open) return kPrintFailed;
  if (s.buffer.empty()) return kPrintOk;  // a row that prints nothing
  std::string text = std::move(s.buffer);
  s.buffer.clear();
  if (s.to_text_file) AddToTextFile(std::move(text));
  else AddToPrinter(text);
  return kPrintOk;
}

std::uint8_t PrintPageBreak(bool forced, std::uint8_t set) {
  auto& s = State();
  s.line_count = 0;
  ++s.page_count;
  if (!s.to_text_file && !forced) return kPrintOk;
  if (print::Send("\f") != kPrintOk) return kPrintFailed;
  return PrintPageHeader(set);
}

std::uint8_t PrintPageHeader(std::uint8_t set) {
  auto& s = State();
  if (!s.to_text_file) return kPrintOk;
  char head[160];
  std::snprintf(head, sizeof head, "%s\t%s %s\t  %s%d", kPrintTitleLine, kPrintProgramName, kPrintProgramVersion,
                "page: ", s.page_count + 1);
  std::string text = head;
  text += print::kLineEnd;
  text += PrintFileNames(81, set);
  text += print::kLineEnd;
  text.append(70, '-');
  text += print::kLineEnd;
  return print::Send(text);
}

}  // namespace app
