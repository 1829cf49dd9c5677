// Whole-file reads and writes that never leave a half-written file: the new content goes to a temporary file in
// the same folder, is flushed to disk and then renamed over the target in one step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace platform::sys {

// No file read here is larger: a bigger one is refused (EFBIG) rather than taken into memory.
inline constexpr std::uintmax_t kWholeFileLimit = std::uintmax_t{64} << 20;

// 0 when path (after following links) is a regular file that can be opened for reading and is no larger than
// kWholeFileLimit; else the reason: ENOENT, EACCES, EISDIR for a folder, EINVAL for any other non-regular file
// (device, FIFO, socket), EFBIG for a file above the limit.
std::error_code CheckReadableFile(const std::string& path);

// The whole file; nullopt with the reason in error when it cannot be opened or read. Only a regular file is
// read, and never more than kWholeFileLimit (the reasons of CheckReadableFile); a FIFO never blocks the call.
std::optional<std::string> ReadWholeFile(const std::string& path, std::error_code* error = nullptr);

// 0 when WriteFileAtomically(path) may replace or create the file: the file a link chain finally names (a
// dangling link included) is a regular file that is not write-protected (no write permission bit at all also
// refuses root, as a read-only file is refused everywhere: EACCES), or is absent in a folder that exists and can
// be written. EINVAL for a target that is not a regular file, ENOENT for a missing folder, ELOOP for a link loop.
std::error_code CheckReplaceableFile(const std::string& path);

enum class AtomicWriteStage { kCreate, kWrite, kSync, kRename };

// Replaces (or creates) path with content after the checks of CheckReplaceableFile (their failure is stage
// kCreate). On failure the old file is untouched, no temporary file is left behind and the reason is returned
// (with the stage that failed in failed_stage). A symbolic link is written through, as editors do: the file it
// names (also one that does not exist yet) is replaced and the link stays. An existing file keeps its permission
// bits; a new one gets 0666 less the umask. The temporary name is short, so every name the folder takes works.
std::error_code WriteFileAtomically(const std::string& path, std::string_view content,
                                    AtomicWriteStage* failed_stage = nullptr);

// Tests: make the atomic writes fail at one stage with the given error until cleared with nullopt.
void SetAtomicWriteFaultForTest(std::optional<AtomicWriteStage> stage, std::errc error = std::errc::no_space_on_device);

}  // namespace platform::sys
