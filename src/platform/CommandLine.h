// The program's command line as one 8-bit text, built from the arguments the system passes.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace korvel {

// Joins the arguments (UTF-8, without the program name) with blanks, putting an argument that
// holds a blank in double quotes, and converts the result to 8-bit text. An argument that names
// an existing file or folder, or ends in ".map" or ".grp", is a path: when relative it is made
// absolute against currentFolder, so it still names the same file after the program changes
// its working folder. Empty arguments are dropped.
std::string buildCommandLine(const std::vector<std::string>& args, const std::string& currentFolder,
                             const std::function<bool(const std::string&)>& pathExists);

}  // namespace korvel
