// The value log: its own state (the running log's file, columns, clock and entry number), the file head, the
// heading line and the data lines, written to a text file or as a short print job per write.
#include "app/online/value_log.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "app/binding/binding_support.h"
#include "app/online/monitor_windows.h"
#include "app/print/output_paths.h"
#include "app/print/print_content.h"
#include "app/print/print_state.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/message_show.h"
#include "model/record_layout.h"
#include "model/unit_texts.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/clock.h"

namespace app {
namespace {

constexpr std::uint16_t kSettingsRecord = 305;
constexpr std::uint16_t kLogModeElement = 56;
constexpr std::uint16_t kOutputElement = 57;
constexpr std::uint16_t kIntervalElement = 58;
constexpr std::uint16_t kMaxEntriesElement = 60;
constexpr std::uint16_t kFileNameElement = 62;
constexpr std::uint8_t kSettingsSet = 0;
constexpr std::uint8_t kOutputTextFile = 1;
constexpr std::int8_t kStoppedGroup = 7;
constexpr std::int32_t kStoppedNumber = 16;
constexpr char kFileLineEnd[] = "\r\n";

// The menu list of each monitor kind (kinds 1..5).
constexpr std::uint8_t kKindLists[] = {0, 4, 5, 6, 80, 67};

struct ValueLogState {
  bool running = false;
  bool to_text_file = true;
  std::string path;
  std::uint8_t set = 0;
  DWORD start = 0;
  int entry = 0;
  std::vector<binding::MenuListEntry> columns;
};

ValueLogState& Log() {
  static ValueLogState state;
  return state;
}

std::uint32_t Setting(std::uint16_t element, std::uint32_t mask) {
  return print::RawOr(kSettingsRecord, element, kSettingsSet, 0) & mask;
}

std::string FileNameSetting() {
  binding::StringBuffer text{};
  if (model::ReadElement(kSettingsRecord, kFileNameElement, text.data(), model::kModeRaw, kSettingsSet) != 0)
    text[0] = '\0';
  text.back() = '\0';
  std::string name = text.data();
  while (!name.empty() && name.back() == ' ') name.pop_back();
  // A bare name goes beside the active project file, as the printout does.
  return OutputPath(name.empty() ? std::string(kValueLogFileName) : name);
}

bool Logged(const binding::MenuListEntry& row) {
  return binding::IsNumericKind(row.kind) || binding::IsSelectionKind(row.kind);
}

// The rows of the monitors' lists, each list once, in slot order.
std::vector<binding::MenuListEntry> Columns(std::span<const std::uint8_t> kinds, std::uint8_t set) {
  std::vector<binding::MenuListEntry> columns;
  std::vector<std::uint8_t> taken;
  for (const std::uint8_t kind : kinds) {
    if (kind == 0 || kind >= std::size(kKindLists)) continue;
    const std::uint8_t list = kKindLists[kind];
    if (std::find(taken.begin(), taken.end(), list) != taken.end()) continue;
    taken.push_back(list);
    binding::ListRows rows;
    if (!binding::LoadRows(list, set, rows)) continue;
    for (std::size_t i = 0; i < rows.count; ++i)
      if (Logged(rows[i])) columns.push_back(rows[i]);
  }
  return columns;
}

// The parameter code: the name's first word ("E00" of "E00 I-motor").
std::string Code(const binding::MenuListEntry& row) {
  std::string name = binding::TextEntry(row, 0);
  const std::size_t blank = name.find(' ');
  return blank == std::string::npos ? name : name.substr(0, blank);
}

std::string HeadingLine(const std::vector<binding::MenuListEntry>& columns, std::uint8_t set) {
  char cell[160];
  std::snprintf(cell, sizeof cell, "%4s\t", "No.");
  std::string line = cell;
  for (const binding::MenuListEntry& row : columns) {
    const std::string code = Code(row);
    std::string unit = binding::IsNumericKind(row.kind) ? binding::TextEntry(row, 1) : "";
    if (!unit.empty()) {
      char expanded[64] = {};
      model::ExpandUnitText(unit.c_str(), expanded, sizeof expanded, set);
      unit = expanded;
    }
    char column[128];
    if (row.kind == 9) std::snprintf(column, sizeof column, "%4s[hex]", code.c_str());
    else if (!unit.empty()) std::snprintf(column, sizeof column, "%4s[%s]", code.c_str(), unit.c_str());
    else std::snprintf(column, sizeof column, "%4s", code.c_str());
    std::snprintf(cell, sizeof cell, "%s\t", column);
    line += cell;
  }
  return line;
}

// One value by its kind, decimals and stored type, with its tab.
std::string ValueCell(const binding::MenuListEntry& row, std::uint8_t set) {
  double value = 0.0;
  char cell[64];
  if (binding::ReadValue(row.record, row.element, &value, set) != 0) {
    std::snprintf(cell, sizeof cell, "%6s \t", "-");
    return cell;
  }
  const std::uint8_t type = model::GetElementType(row.record, row.element);
  const std::uint8_t decimals = binding::IsNumericKind(row.kind) ? row.attributes : 0;
  const long whole = binding::AsInteger(value);
  if (row.kind == 9) {
    std::snprintf(cell, sizeof cell, "%9lX\t", static_cast<unsigned long>(whole) & 0xFFFFFFFFul);
  } else if (decimals == 1) {
    std::snprintf(cell, sizeof cell, "%6.1lf \t", value);
  } else if (decimals == 2) {
    std::snprintf(cell, sizeof cell, "%6.2lf \t", value);
  } else if (decimals >= 3) {
    std::snprintf(cell, sizeof cell, "%6.3lf \t", value);
  } else if (type == model::kTypeU8 || type == model::kTypeI8) {
    std::snprintf(cell, sizeof cell, "%3d\t", static_cast<int>(whole));  // the byte's format holds its tab
  } else if (type == model::kTypeI16 || type == model::kTypeI32 || whole < 0) {
    std::snprintf(cell, sizeof cell, "%6ld \t", whole);
  } else {
    std::snprintf(cell, sizeof cell, "%6lu \t", static_cast<unsigned long>(whole));
  }
  return cell;
}

std::string DataLine(const ValueLogState& log) {
  char number[32];
  std::snprintf(number, sizeof number, "%4d\t", log.entry);
  std::string line = number;
  for (const binding::MenuListEntry& row : log.columns) line += ValueCell(row, log.set);
  return line;
}

bool WriteFile(const std::string& path, const std::vector<std::string>& lines, bool create) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kFileLineEnd;
  }
  if (!create) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
  }
  // A new file is written whole or not at all.
  return !platform::sys::WriteFileAtomically(path, text);
}

// A write to the printer is a short job of its own; refused while the documentation is being printed.
bool PrintLines(const std::vector<std::string>& lines) {
  PrintLineOutput* output = GetPrintLineOutput();
  if (print::State().open && !print::State().to_text_file) return false;
  if (!output->StartJob()) return false;
  for (const std::string& line : lines) output->Line(line);
  return output->EndJob(true);
}

std::uint8_t Write(const std::vector<std::string>& lines, bool create) {
  const ValueLogState& log = Log();
  const bool ok = log.to_text_file ? WriteFile(log.path, lines, create) : PrintLines(lines);
  return ok ? kValueLogWritten : kValueLogFailed;
}

std::uint8_t Start(std::uint8_t set, std::span<const std::uint8_t> kinds) {
  ValueLogState& log = Log();
  log = {};
  log.running = true;
  log.set = set;
  log.start = GetTickCount();
  log.entry = 1;
  log.path = ValueLogTarget();
  log.to_text_file = !log.path.empty();
  log.columns = Columns(kinds, set);
  std::vector<std::string> lines = PrintTitleBlock(set, kValueLogHeadList);
  lines.push_back(HeadingLine(log.columns, set));
  lines.push_back(DataLine(log));
  const std::uint8_t result = Write(lines, true);
  if (result != kValueLogWritten) log.running = false;  // no file, no log
  return result;
}

std::uint8_t Stop() {
  Log().running = false;
  CloseAllMonitors();
  model::ShowMessage(model::kShowModal, kStoppedGroup, kStoppedNumber);
  return kValueLogStopped;
}

std::uint8_t NextEntry() {
  ValueLogState& log = Log();
  ++log.entry;
  return Write({DataLine(log)}, false);
}

}  // namespace

std::uint8_t WriteValueLog(std::uint8_t mode, std::uint8_t set, std::span<const std::uint8_t> kinds) {
  ValueLogState& log = Log();
  if (mode == kValueLogStart || (mode == kValueLogEntry && !log.running)) return Start(set, kinds);
  if (!log.running) return kValueLogNothing;
  const auto max_entries = static_cast<int>(Setting(kMaxEntriesElement, 0xFFFF));
  if (mode == kValueLogEntry) return log.entry >= max_entries ? Stop() : NextEntry();
  if (mode != kValueLogCyclic || Setting(kLogModeElement, 0xFF) != kLogModeTimed) return kValueLogNothing;
  if (log.entry >= max_entries) return Stop();
  const DWORD interval_ms = Setting(kIntervalElement, 0xFFFF) * 1000u;
  if (GetTickCount() - log.start < interval_ms) return kValueLogNothing;
  log.start += interval_ms;
  return NextEntry();
}

std::string ValueLogTarget() {
  return Setting(kOutputElement, 0xFF) == kOutputTextFile ? FileNameSetting() : std::string();
}

bool ValueLogRunning() { return Log().running; }
int ValueLogEntryNumber() { return Log().entry; }
std::string ValueLogPath() { return Log().running ? Log().path : std::string(); }
void ResetValueLog() { Log() = {}; }

}  // namespace app
