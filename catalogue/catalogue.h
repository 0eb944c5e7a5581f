#pragma once
// The catalogue: the disc's header and its program entries, in memory.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tallimo {

using StringList = std::vector<std::string>;

// When the install queue restarts the computer for a program: the Restart key's values.
enum class TRestartRule {
  rrAtEnd = 0,       // when the queue ends, if a program needs it
  rrWhenNeeded = 1,  // before the next program, when this one ends with 3010
  rrAlways = 2,      // before the next program, unless this one failed or was skipped
};

// One catalogue entry. Each list item is one line; items keep their insertion order and may
// be empty or repeated.
class TTallimoProg {
 public:
  std::string Name;
  std::string NfoPath;
  bool Batch = false;
  // Exit codes besides 0 that mean the installer worked (the SuccessCodes key).
  std::vector<uint32_t> SuccessCodes;
  // How to tell that the program is installed on this computer (the Detect key); empty: never.
  std::string Detect;
  // When the queue restarts the computer for it (the Restart key).
  TRestartRule Restart = TRestartRule::rrAtEnd;
  // The group the list shows the program under (the Category key); empty: "Other programs".
  std::string Category;
  // Marked for installing when the catalogue is read (Default=1).
  bool Default = false;
  // The named selections the program belongs to (the Presets key, names separated by ";").
  StringList Presets;
  // Programs (by name) to install before this one (the Requires key, names separated by ";").
  StringList Requires;
  // Programs that cannot be installed together with this one, either way (Excludes).
  StringList Excludes;
  // The Windows versions it is for, "7" (that one or later) or "XP-8.1"; empty: every one.
  std::string Windows;
  // The system architectures it is for, "x64;arm64"; empty: every one.
  std::string Arch;
  StringList SerialLines;
  StringList InstallLines;
  StringList InfoLines;
  StringList SpecsLines;
};

// Owns the entries, in catalogue order (the order of the file's Program<n> sections, entries
// added since at the end).
using TProgramList = std::vector<std::unique_ptr<TTallimoProg>>;

// How the catalogue file is stored; a catalogue is written back as it was read.
enum class TCatalogueEncoding {
  ceNotRead,  // no file was read: ANSI when every character fits, else UTF-8 with its mark
  ceAnsi,     // the system's ANSI code page
  ceUtf8,     // UTF-8 without a byte-order mark
  ceUtf8Mark,
  ceUtf16LittleEndian,  // UTF-16 with its byte-order mark, either way round
  ceUtf16BigEndian,
};

// The catalogue fields of the main window, together with its program list.
struct Catalogue {
  std::string IniFileName;    // path of the catalogue file in use
  bool Modified = false;      // changes in memory that are not written yet
  std::string ConfigCaption;  // General/Caption
  std::string CreatedBy;      // General/CreatedBy
  StringList NoteLines;       // General/Note1, Note2, ...
  std::string WriteDate;      // General/WriteDate, "ddd, d mmm yyyy, h:nn am/pm"
  TProgramList ProgramList;
  TTallimoProg* CurrentEntry = nullptr;  // the entry being loaded or edited; owns nothing
  TCatalogueEncoding Encoding = TCatalogueEncoding::ceNotRead;  // of the file read or written
};

}  // namespace tallimo
