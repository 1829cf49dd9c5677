// TX-Tool's project files: the model's project-file engine with TX-Tool's profile (its layout and images, its
// header "TX-TOOL.EXE" / "V 4.5", layout letter 'P', no 43-line rule, reverse-documentation lists without 347).
#pragma once

#include <cstdint>
#include <span>

#include "model/project_file.h"
#include "model/project_file_profile.h"

namespace txtool {

// The modes and status codes of model::ProjectFileAccess, on TX-Tool's images.
std::uint8_t ConvProjectFile(std::uint8_t mode, std::uint8_t image, const char* path);
// The open file's kind (0 when none is open) and the line the last open or read refused (0 when none).
std::uint16_t ConvOpenFileKind();
std::uint32_t ConvFaultLine();
// The backup copy (the model's naming).
std::uint8_t ConvBackupFile(const char* path);

std::span<const std::uint16_t> ConvRecordList(std::uint8_t mode);
model::ProjectFileProfile& ConvProjectFiles();

}  // namespace txtool
