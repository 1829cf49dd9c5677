// Where the program's output files go (printout, export, value log): beside the active file's project file, or
// in the working folder while it has none; always as whole paths, so that the dialogs can name them.
#pragma once

#include <string>

namespace app {

// The folder of the active slot's file, else the working folder.
std::string OutputFolder();
// A name without a folder goes into OutputFolder(); a path with one is made whole.
std::string OutputPath(const std::string& name);
// The active file's name with `extension` (without a dot), in OutputFolder(): "plant.zpr" gives ".../plant.pdf".
std::string OutputNamedAfterActiveFile(const std::string& extension);

}  // namespace app
