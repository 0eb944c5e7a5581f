#pragma once
// The configuration commands of the Config menu: General Info, Read INI File, Write INI File and
// Write INI As, and the question about unsaved changes that every closing of the main window
// passes. They work on the catalogue over seams; the main window wires them in.
#include <functional>
#include <string>

#include "catalogue/catalogue.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/prompter.h"

namespace tallimo {

// The closing question.
inline constexpr const char* kUnsavedChangesQuestion =
    "Changes have been made which have not been saved. Would you like to save all changes now?";
// Added to UnstorableCharacterText when an ANSI catalogue holds a character the code page lacks.
inline constexpr const char* kSaveAsUtf8Question = "\rSave it as UTF-8 instead?";
// Added to the unread-lines finding when a save would drop those lines.
inline constexpr const char* kDropUnreadQuestion = "\rSaving will drop them. Save anyway?";

// The open and save dialogs of the Config menu, opening in `folder` with no file name.
FileDialogOptions OpenConfigDialogOptions(const std::string& folder);
FileDialogOptions SaveConfigDialogOptions(const std::string& folder);

// The folder part of a path: everything up to and including its last "\" or ":" (empty when
// there is none).
std::string FolderPart(const std::string& path);

// The main window's title for a catalogue caption: "Tallimo - " and the caption, or "Tallimo"
// when the caption is empty.
std::string MainWindowTitle(const std::string& configCaption);

// The header fields that the General Info dialog edits.
struct GeneralInfoFields {
  std::string ConfigCaption;
  std::string CreatedBy;
  StringList NoteLines;
};

// The General Info dialog as the command sees it.
class GeneralInfoEditor {
 public:
  virtual ~GeneralInfoEditor() = default;
  // Shows the dialog titled `title` with `fields`; true, with the fields as edited, when it is
  // closed with OK.
  virtual bool Edit(const std::string& title, GeneralInfoFields& fields) = 0;
};

struct ConfigSeams {
  FileSystem& files;
  Locale& locale;
  Clock& clock;
  Prompter& prompter;
  GeneralInfoEditor& generalInfo;
};

// What the main window does when the catalogue changes under it.
struct ConfigViews {
  // The list refilled and the panes cleared (a new catalogue was read).
  std::function<void()> catalogueReplaced;
  // The window title, after the caption may have changed.
  std::function<void(const std::string& title)> setTitle;
};

class ConfigCommands {
 public:
  ConfigCommands(ConfigSeams seams, Catalogue& cat, ConfigViews views);

  // General Info: the header edited in the dialog; a confirmed dialog renews WriteDate and sets
  // Modified, changed or not.
  void GeneralInfo();
  // Read INI File: asks first about unsaved changes, then reads the chosen catalogue.
  void ReadIniFile();
  // Write INI File: saves to IniFileName, asking first when the file on disk holds lines the
  // catalogue does not. True when the catalogue was written.
  bool WriteIniFile();
  // Write INI As: saves under a name chosen in the save dialog, which becomes IniFileName.
  void WriteIniAs();
  // The question on closing: true allows the close.
  bool CloseQuery();

 private:
  // The closing question with Modified set: true when the caller may go on (saved or
  // discarded), false to stay.
  bool SaveOrDiscardChanges();
  // SaveCatalogue, with its error reported: true when the catalogue was written. An ANSI
  // catalogue holding a character that the code page lacks is saved as UTF-8 (with its mark)
  // when the user agrees, and not at all when not.
  bool Save();

  ConfigSeams seams_;
  Catalogue& cat_;
  ConfigViews views_;
};

}  // namespace tallimo
