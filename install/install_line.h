#pragma once
// How one prepared install line is started when it is not part of a batch file: a line that
// names an existing file (or folder) is started whole, as it always was; any other line is
// split as Windows splits a command line, into a program and its parameters, so that
// "SETUP.EXE /S" and "\"%D:\My Setup\setup.exe\" /quiet" start as they do in a batch file.
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tallimo {

struct LineStart {
  std::string program;     // a program, or a document to open
  std::string parameters;  // empty when the line is started whole
};

// The program: a leading quoted part (without its quotes, up to the next quote or the end), or
// everything up to the first blank or tab. The parameters: the rest, blanks after the program
// skipped. Blanks before the program are skipped too.
LineStart SplitCommandLine(std::string_view line);

// The whole line when something stands at that path; otherwise SplitCommandLine. An empty or
// blank line is taken whole.
LineStart StartOfLine(const std::string& line, FileSystem& files);

// True for a program the system starts itself: no extension, or .exe, .com, .bat, .cmd in any
// case. Anything else (.msi, .txt, .lnk, ...) is a document that the shell opens.
bool IsProgramFile(std::string_view path);

}  // namespace tallimo
