// The two file slots (File 1 = data set 0, File 2 = data set 1): display name, path and parameter set of each,
// and which slot is active.
#pragma once

#include <cstdint>
#include <string>

namespace app {

inline constexpr std::size_t kSlotNameLimit = 80;
inline constexpr std::uint16_t kKindProject = 17;
inline constexpr std::uint16_t kKindReverseDoc = 18;

struct FileSlot {
  std::string name;  // display name, at most kSlotNameLimit characters
  std::string path;  // full path, empty while the file was never saved or opened
  std::uint8_t param_set = 0;
};

// The slot of a data set (0 or 1; anything else is slot 0).
FileSlot& Slot(std::uint8_t set);
std::uint8_t GetActiveParamSet();

// Makes a slot the active one and refreshes the menus; other values and the active slot do nothing.
void SelectActiveFile(std::uint8_t slot);
// The parameter set (0 or 1) of the active slot; a change refreshes the menus.
void SelectParameterSet(std::uint8_t set);

// The file's name element of a data set (record 15 element 21, or 317/162 for a reverse documentation).
std::string ReadNameElement(std::uint8_t set);

// The name with its extension (the part after the last '.', when there is one) replaced by ext, or ext appended
// after a '.' to a name without one.
std::string WithExtension(const std::string& name, const std::string& ext);
// The last part of a path (after its last '/' or '\').
std::string FileNamePart(const std::string& path);
// The path whole and absolute (a relative one taken from the working folder, "." and ".." steps resolved
// lexically); empty stays empty.
std::string WholePath(const std::string& path);

// The name (with extension "ZPR", cut to kSlotNameLimit) becomes the active slot's name and its name element;
// a path of more than one character becomes the slot's path, whole and absolute. The menus are refreshed.
void SetActiveFileName(const std::string& name, const std::string& path);
// Slot name and path := the current name element (the default name after InitDataSet), path empty.
void ResetActiveFileName();
// Whether the active file's name element still holds its default name.
bool IsDefaultFileName();
// The active slot's name, refreshed from its name element.
std::string GetActiveFileName();
// The active slot's name with extension "TXT".
std::string GetTextFileName();

// Both slots back to their start (a new start or a test): names from the name elements, no paths, set 0.
void ResetFileSlots();

}  // namespace app
