// Whole-file reads and writes that never leave a half-written file: the new content goes to a temporary file in
// the same folder, is flushed to disk and then renamed over the target in one step.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace platform::sys {

// The whole file; nullopt with the reason in error when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error = nullptr);

enum class AtomicWriteStage { kCreate, kWrite, kSync, kRename };

// Replaces (or creates) path with content. On failure the old file is untouched, no temporary file is left
// behind and the reason is returned (with the stage that failed in failed_stage). A symbolic link is followed,
// so the file it names is replaced. An existing file keeps its permission bits; a new one gets 0666 less the umask.
std::error_code WriteFileAtomically(const std::string& path, std::string_view content,
                                    AtomicWriteStage* failed_stage = nullptr);

// Tests: make the atomic writes fail at one stage with the given error until cleared with nullopt.
void SetAtomicWriteFaultForTest(std::optional<AtomicWriteStage> stage, std::errc error = std::errc::no_space_on_device);

}  // namespace platform::sys
