#pragma once
// The paths that an install line names: from the disc's root ("\DIR\SETUP.EXE" /S, msiexec /i
// "%D:\DIR\X.MSI") or full ones, for the author's scan, check and the menu's drop.
#include <string>
#include <string_view>
#include <vector>

namespace tallimo {

// The line's parts that start with "\" (not a share's "\\") or "%D:\" (any case), quoted or
// not, as the command line splits them: without their quotes and without "%D:". Options ("/i")
// and bare command names ("msiexec") are none.
std::vector<std::string> RootedPaths(std::string_view line);

// The parts that are full paths, on a drive ("C:\Setups\X.EXE") or a share ("\\server\kit"),
// quoted or not, without their quotes: files that are found only where that path exists.
std::vector<std::string> FullPaths(std::string_view line);

// A path from the disc's root as paths are compared: "/" as "\", letters folded.
std::string FoldedDiscPath(std::string_view path);

}  // namespace tallimo
