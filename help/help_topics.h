#pragma once
// The help's context numbers, shared by the program and the help project: each number opens a
// topic file of Tallimo.chm, and each control of a window with a caption help button has a
// short pop-up text under its number. Tallimo.hhp lists the same numbers and files in its
// [ALIAS] and [MAP] sections (IDH_ plus the alias); a test keeps the two in step.
#include <string_view>

namespace tallimo {

struct HelpTopic {
  int context;
  const char* alias;  // IDH_<alias> in the help project
  const char* file;   // the topic file inside Tallimo.chm
  const char* popup;  // the pop-up text, or nullptr where help opens in the help window
};

inline constexpr HelpTopic kHelpTopics[] = {
    // The main window: help opens in the help window.
    {1, "CONTENTS", "index.htm", nullptr},
    {2, "PROGRAM_LIST", "main_window.htm", nullptr},
    {11, "GENERAL_INFO", "general_info.htm",
     "Edits the disc's header: the title bar caption, who set up the disc, and the comment "
     "lines that the About box shows. Ok keeps the changes and renews the catalogue's date; "
     "Cancel drops them. Nothing is written to disk until you use Write INI File."},
    {20, "READ_WRITE", "catalogue_commands.htm", nullptr},
    {21, "INSTALL_CLOSE", "install.htm", nullptr},
    {22, "INSTALL", "install.htm", nullptr},
    {23, "VIEW_NFO", "nfo_viewer.htm", nullptr},
    {24, "COPY_SERIAL", "copy_serial.htm", nullptr},
    {25, "FIND", "find_programs.htm", nullptr},
    {31, "ADD_PROGRAM", "add_edit_remove.htm", nullptr},
    {32, "EDIT_PROGRAM", "add_edit_remove.htm", nullptr},
    {33, "REMOVE_PROGRAM", "add_edit_remove.htm", nullptr},
    {34, "MARK_FOR_INSTALL", "install_queue.htm", nullptr},
    {35, "MARK_ALL", "install_queue.htm", nullptr},
    {36, "CLEAR_MARKS", "install_queue.htm", nullptr},
    {37, "MARK_PRESET", "categories_presets.htm", nullptr},
    // The Drive dialog.
    {40, "DRIVE", "drive_dialog.htm",
     "Pick the drive that holds the disc (or the one the disc's author means), then press the "
     "check-mark button: its letter takes the place of %D in the install lines, so %D: becomes "
     "e: for drive E. Closing the dialog cancels the install."},
    {45, "PROGRESS", "progress_window.htm", nullptr},
    {46, "RESTART_WINDOW", "restart.htm", nullptr},
    // The Add/Edit Program dialog.
    {50, "PROGRAM_DIALOG", "program_dialog.htm",
     "Describes one program of the catalogue. Okay checks the entry and puts it in the list; "
     "the entry needs a name and at least one install line. Cancel or Escape drops the "
     "changes."},
    {51, "PROGRAM_NAME", "program_dialog.htm",
     "The name that the program list shows. Names should differ: of two names that are equal "
     "ignoring case, only the first can be reached from the list."},
    {52, "SERIAL", "program_dialog.htm",
     "Serial numbers or registration codes, one a line. Copy Serial puts these lines on the "
     "clipboard. Leave it empty when the program needs none."},
    {53, "NFO_FILE", "program_dialog.htm",
     "The program's NFO text file, which View NFO shows. Write it from the disc's root, such "
     "as \\EDITOR\\EDITOR.NFO. Double-click to pick the file: the drive letter is taken off."},
    {54, "MAKE_BATCH", "program_dialog.htm",
     "Checked: the install lines are written into one batch file, which runs them in order. "
     "Clear: each line is started on its own."},
    {55, "PAGES", "program_dialog.htm",
     "The pages of the entry's lines: Installation, Information, Specifications, Options and "
     "Rules. "
     "Click a tab to show its page."},
    {56, "OPTIONS", "program_dialog.htm",
     "Settings that matter when the program is installed with others through the marks."},
    {57, "SUCCESS_CODES", "program_dialog.htm",
     "Exit codes other than 0 that mean the program's setup worked, as decimal numbers "
     "separated by commas, such as 1,2. Leave it empty when only 0 means success."},
    {58, "DETECT", "program_dialog.htm",
     "How to tell that the program is installed on this computer: a file or folder such as "
     "%ProgramFiles%\\Editor\\editor.exe, a registry key such as HKLM\\Software\\Maker\\Editor, "
     "or uninstall: and the start of its name in Add or Remove Programs. Leave it empty when "
     "there is none."},
    {71, "RESTART", "program_dialog.htm",
     "When the install queue restarts the computer for the program. When the queue ends: a "
     "restart it needs is asked about at the end, as for any program. Before the next program, "
     "when needed: when it ends with 3010 (restart needed) and programs follow it, the computer "
     "restarts and the queue goes on after it. Always, before the next program: a restart "
     "follows it whatever its result, unless it failed or was skipped as installed."},
    {59, "CATEGORY", "program_dialog.htm",
     "The heading the program is listed under in the main window. Pick one of the catalogue's "
     "categories or type a new one; leave it empty to list the program under Other programs."},
    {60, "MARKED_AT_START", "program_dialog.htm",
     "Checked: the program is marked for installing whenever the catalogue is read, unless it "
     "is found installed on the computer."},
    {64, "PRESETS", "program_dialog.htm",
     "The presets that hold the program, separated by semicolons, such as Office PC;Home. Mark "
     "Preset in the list's menu, and /preset on the command line, mark a preset's programs."},
    {65, "RULES", "program_dialog.htm",
     "What the program needs installed first, what it cannot be installed together with, and "
     "which Windows it is for."},
    {66, "REQUIRES", "program_dialog.htm",
     "Programs of the catalogue, by name and separated by semicolons, that must be installed "
     "before this one. Marking this program marks them too, and the queue installs them first."},
    {67, "EXCLUDES", "program_dialog.htm",
     "Programs of the catalogue, separated by semicolons, that cannot be installed together "
     "with this one, such as a second virus scanner. Marking one unmarks the other."},
    {68, "WINDOWS", "program_dialog.htm",
     "The Windows versions the program is for: XP, Vista, 7, 8, 8.1, 10 or 11 for that version "
     "or later, or two joined by a dash, such as XP-8.1. Empty: every version."},
    {69, "ARCH", "program_dialog.htm",
     "The kinds of Windows the program is for: x86, x64 or arm64, separated by semicolons. A "
     "32-bit Windows is x86. Empty: every kind."},
    {61, "INSTALL_LINES", "program_dialog.htm",
     "The install procedure, one command a line, such as SETUP.EXE /S. %D: stands for the "
     "drive that the user picks. Double-click to pick a program file."},
    {62, "INFO_LINES", "program_dialog.htm",
     "Information lines, shown in the Information pane of the main window when the program "
     "is selected."},
    {63, "SPECS_LINES", "program_dialog.htm",
     "Specifications, such as the memory or disk space the program needs; shown in the "
     "Specifications pane of the main window."},
    // The About box (no caption help button: its topic in the help window).
    {70, "ABOUT", "about_box.htm", nullptr},
    // The General Info dialog.
    {81, "CAPTION", "general_info.htm",
     "The text that the main window's title bar shows after \"Tallimo - \". Empty: the title "
     "is just Tallimo."},
    {82, "CREATED_BY", "general_info.htm",
     "Who set up the disc. The About box shows it as \"Setup by\" and this name."},
    {83, "COMMENT", "general_info.htm",
     "Comment lines for the About box, one note a line. A long line wraps in the box but "
     "stays one note."},
};

// The entry of `context`, or nullptr when no topic has that number.
constexpr const HelpTopic* FindHelpTopic(int context) {
  for (const HelpTopic& t : kHelpTopics)
    if (t.context == context) return &t;
  return nullptr;
}

// Where help opens when a number has no topic of its own (0: no control or item answered).
inline constexpr std::string_view kDefaultHelpTopic = "index.htm";

}  // namespace tallimo
