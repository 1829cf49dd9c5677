// The oscilloscope text export: one recording as tab-separated text with decimal commas for spreadsheets.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace ilink {

inline constexpr std::uint32_t kScopeExportMaxLines = 3000;

// Everything the file shows, gathered from a data set by ExportScopeText.
struct ScopeTextContent {
  std::string labels[5];  // K05, K03, K40, K10, K41
  std::string values[5];  // active file name, user, trigger time, system, comment
  std::uint32_t channels = 0;
  std::uint32_t samples = 0;  // reported as it is; at most kScopeExportMaxLines sample lines are written
  std::string time_base;
  std::vector<std::string> columns;  // "name-[unit]" of each channel in use, in channel order
  std::function<double(std::size_t column, std::uint32_t sample)> value;
};

// Writes the content; 0, or 2 when a write failed.
std::uint8_t WriteScopeText(std::FILE* file, const ScopeTextContent& content);

// 0 written, 1 the file could not be opened, 2 writing or closing failed.
std::uint8_t ExportScopeText(std::uint8_t set, const char* path);

// The active file's name that the export shows for K05 (the document layer installs it); without one the
// export shows the file name element K05 of the data set.
void SetScopeExportFileName(std::function<std::string()> provider);

}  // namespace ilink
