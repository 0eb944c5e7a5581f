#pragma once
// The paths from the disc's root that an install line names ("\DIR\SETUP.EXE" /S, msiexec /i
// "%D:\DIR\X.MSI"), for the author's scan and check.
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The line's parts that start with "\" or "%D:\" (any case), quoted or not, as the command
// line splits them: without their quotes and without "%D:". Options ("/i") and bare command
// names ("msiexec") are none.
std::vector<std::string> RootedPaths(std::string_view line);

// A path from the disc's root as paths are compared: "/" as "\", letters folded.
std::string FoldedDiscPath(std::string_view path);

}  // namespace tallimo
