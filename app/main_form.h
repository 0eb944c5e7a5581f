#pragma once
// The main window, FTallimo: the sorted program list, the two detail panes and the button bar.
#include <cstdint>
#include <memory>
#include <string>

#include "app/about_box.h"
#include "app/list_rows.h"
#include "app/program_filter.h"
#include "app/program_list.h"
#include "app/rule_marks.h"
#include "app/type_ahead.h"
#include "catalogue/catalogue.h"
#include "catalogue/config_commands.h"
#include "components/gradient_win32.h"
#include "components/label_effect_win32.h"
#include "editor/entry_commands.h"
#include "install/drive_token.h"
#include "install/install_queue.h"
#include "install/random_source.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/disc_files.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/hash.h"
#include "platform/help_engine.h"
#include "platform/installer_database.h"
#include "platform/locale.h"
#include "platform/log_file.h"
#include "platform/process.h"
#include "platform/prompter.h"
#include "platform/registry.h"
#include "platform/restart.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/system_colors.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_grid.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/picture.h"
#include "ui/search_edit.h"
#include "ui/splitter.h"
#include "ui/static_text.h"
#include "viewers/view_nfo.h"

namespace tallimo {

// Set once at start-up: the screen's pixels per inch as the main window reports it, / 96.
extern double ScaleFactor;
// Smallest outer size the user can drag the main window to; the width is scaled at start-up.
extern std::uint16_t MinTrackWidth;
extern std::uint16_t MinTrackHeight;

// The dialogs the main window's commands open, as the commands see them.
struct MainWindowDialogs {
  DriveChoice& drive;              // Drive (FTallimodrive)
  EntryEditor& entry;              // Add/Edit Program (FTallimoadd)
  GeneralInfoEditor& generalInfo;  // General Info (FTallimoinfo)
  NfoView& nfo;                    // NFO viewer (FTallimonfo)
  AboutView& about;                // About (FTallimoabout)
};

// Everything the main window takes from the system and its dialogs. Only the program's entry
// point builds the real set; tests build one of fakes.
struct MainWindowSeams {
  FileSystem& files;
  Locale& locale;
  Clock& clock;
  std::string commandLine;  // as GetCommandLineW gives it, in UTF-8
  std::string programPath;  // the program's own full file path
  Clipboard& clipboard;
  Environment& environment;
  Shell& shell;
  Prompter& prompter;
  HelpEngine& help;
  Screen& screen;
  RandomSource& random;  // names the batch files
  SystemColors& colors;
  ProcessRunner& processes;              // the install queue's programs, waited for
  LogFiles& logFiles;                    // the install queue's log
  Restarter& restarter;                  // a restart that installed programs need
  ElevatedRunner& elevated;              // the rest of a queue that needs administrator rights
  Registry& registry;                    // detection of installed programs
  FileSystem& probeFiles;                // detection's file probes: no system box, no long wait
  DiscFiles& discFiles;                  // installers dropped on the list, read to identify them
  InstallerDatabase& installerDatabase;  // a dropped package's properties
  MainWindowDialogs dialogs;
  SystemInfo system = {};         // what the Windows and Arch keys are compared with
  ResumeStore* resume = nullptr;  // the install queue's record; none: it does not survive restarts
  Hasher* hasher = nullptr;       // the catalogue's digest for the record
};

class TFTallimo : public ui::Form {
 public:
  explicit TFTallimo(MainWindowSeams seams);
  ~TFTallimo() override;

  // The catalogue: ProgramList, NoteLines and the header fields (IniFileName ...).
  Catalogue Cat;
  StringList InstallScript;
  // The entries marked for installing together.
  ProgramMarks Marks;
  // The entries found installed on this computer (main_form_detect.cpp).
  ProgramMarks Installed;
  // The catalogue's rules between programs and for this computer, built with the list.
  ProgramRules Rules;
  // The marks as the rules change them.
  RuleMarks MarksWithRules() { return RuleMarks(Marks, Rules, Installed); }

  // Controls, in the order of their z-order (and tab order).
  ui::Panel PanList;
  ui::Picture Image2;
  TLabelEffect LabelSelect;
  ui::SearchEdit EdtFind;   // the filter box, in the heading band, hidden until asked for
  ui::StaticText LblFound;  // beside it: how many programs it shows
  ui::ListGrid ListBox1;
  ui::Panel PanBtn;
  TGradient Gradient1;
  ui::Picture Image1;
  ui::Button BtnInstClose, BtnInstall, BtnNFO, BtnSerial, BtnClose;
  ui::Panel PanInfo;
  ui::Label Label2;
  ui::Memo MemoInfo;
  ui::Splitter SplitterBar1;
  ui::Panel PanSpecs;
  ui::Label Label3;
  ui::Memo MemoSpecs;

  ui::MainMenu MainMenu1;
  ui::MenuItem* Config1;        // the Config menu
  ui::MenuItem* N3;             // General Info
  ui::MenuItem* N1;             // separator
  ui::MenuItem* ReadINIFile1;   // Read INI File
  ui::MenuItem* WriteINIFile1;  // Write INI File
  ui::MenuItem* EditINIFile1;   // Write INI As
  ui::MenuItem* N2;             // separator
  ui::MenuItem* Exit1;          // Exit
  ui::MenuItem* Help1;          // the Help menu
  ui::MenuItem* Contents1;      // Contents
  ui::MenuItem* N6;             // separator
  ui::MenuItem* About1;         // About Tallimo
  // The list's pop-up menu: the first column, then the second from N4 on.
  ui::PopupMenu PopupMenu1;
  ui::MenuItem* ppInstallClose1;    // Install & Close
  ui::MenuItem* ppInstall1;         // Install
  ui::MenuItem* ppViewNFO1;         // View NFO
  ui::MenuItem* ppCopySerial1;      // Copy Serial
  ui::MenuItem* ppFind1;            // Find... (Ctrl+F)
  ui::MenuItem* N4;                 // separator that starts the second column
  ui::MenuItem* ppAddProgram1;      // Add Program
  ui::MenuItem* ppEditProcedure1;   // Edit Program
  ui::MenuItem* ppRemoveProgram1;   // Remove Program
  ui::MenuItem* N5;                 // separator
  ui::MenuItem* ppMarkForInstall1;  // Mark for Install (checked for a marked row)
  ui::MenuItem* ppMarkAll1;         // Mark All
  ui::MenuItem* ppClearMarks1;      // Clear Marks
  ui::MenuItem* ppMarkPreset1;      // Mark Preset, a submenu of the catalogue's presets

  // The list and the panes.
  void RefreshProgramList();
  void ShowProgramDetails(int index);
  bool HasSelection(bool warn);
  int FindProgramIndex(const std::string& name) const;
  // The entry the selected row names, or null.
  TTallimoProg* SelectedEntry();
  // The place of `entry` in the catalogue's list, or -1.
  int EntryIndex(const TTallimoProg* entry) const;

  // Handlers, named after their control and event.
  void ListBox1SelectCell(int col, int row, bool& canSelect);
  void ListBox1DrawCell(HDC dc, int col, int row, const RECT& rect, ui::TGridDrawState state);
  void FormResize();
  void BtnCloseClick();  // Close, and Config > Exit
  void FormClose();
  void Image1Click();  // the logo: swaps the pane headings' colours and opens the help
  // The install runner's commands (main_form_install.cpp).
  void BtnInstallClick();         // Install
  void BtnInstCloseClick();       // Install & Close (also Enter and a double click on the list)
  void ppMarkForInstall1Click();  // Mark for Install (also Space, and Ctrl with a click)
  void ppMarkAll1Click();         // Mark All
  void ppClearMarks1Click();      // Clear Marks
  void ppMarkPreset1Click(const std::string& preset);  // an item of Mark Preset
  // The Mark Preset submenu brought in step with the catalogue's presets.
  void UpdatePresetMenu();
  // The programs with Default=1 marked, as after reading the catalogue.
  void MarkDefaultPrograms();
  // The list's rows: the programs, and the categories' headers (never a program).
  const ListRows& Rows() const { return rows_; }
  bool IsHeaderRow(int row) const {
    return row >= 0 && static_cast<size_t>(row) < rows_.size() &&
           rows_[static_cast<size_t>(row)].IsHeader();
  }
  // The marks as they stand: the heading's count and the list's check marks.
  void ShowMarks();
  // The reading aids (main_form_viewers.cpp).
  void BtnNFOClick();     // View NFO
  void BtnSerialClick();  // Copy Serial
  // The Help menu (main_form_help.cpp).
  void Contents1Click();  // Help > Contents
  void Help1Click();      // Help > About Tallimo
  // The configuration commands and the question on closing (main_form_config.cpp).
  void N3Click();                       // Config > General Info
  void ReadINIFile1Click();             // Config > Read INI File
  void WriteINIFile1Click();            // Config > Write INI File
  void EditINIFile1Click();             // Config > Write INI As
  void FormCloseQuery(bool& canClose);  // the question about unsaved changes
  // The entry editor's commands (main_form_editor.cpp).
  void ppAddProgram1Click();     // Add Program
  void ppEditProcedure1Click();  // Edit Program
  void ppRemoveProgram1Click();  // Remove Program
  // Detection of installed programs (main_form_detect.cpp), on a thread of its own so that it
  // never delays the window: started now, or once the window is painted; the installed marks
  // arrive when it has finished. Asked again while it runs, it runs again after.
  void DetectInstalledPrograms();
  void ScheduleDetection();
  // True from the time a detection is asked for until its marks are shown.
  bool DetectionRunning() const { return detectScheduled_ || detection_ != nullptr; }
  // The filter and find as you type (main_form_filter.cpp).
  void ppFind1Click();   // Find... and Ctrl+F: the filter box shown and focused
  void EdtFindChange();  // each keystroke in the box
  // True while the list is narrowed to the programs matching the box's text.
  bool FilterOn() const { return !filterText_.empty(); }
  // A character typed in the list: selects a row by the start of its name; true when used.
  bool ListBox1TypeAhead(char32_t c);
  // After a command changed the catalogue: the list refilled with no row selected, the panes
  // cleared.
  void RefreshAfterChange();
  // Files and folders dropped on the list (main_form_drop.cpp): the installers among them
  // named in a question, and added to the catalogue on Yes.
  void ListBox1DropFiles(const std::vector<std::string>& paths);

 protected:
  void FormCreate() override;
  void GetMinMaxInfo(MINMAXINFO& info) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();
  void BuildMenus();
  // Wires Install and Install & Close, and the marks (main_form_install.cpp).
  void InitInstallCommands();
  // The install queue over the marked entries; closes the window after it with `thenClose`.
  void InstallMarked(bool thenClose);
  // The installed mark of the entry at `index` (-1: none) in a row of the list.
  void DrawInstalledMark(HDC dc, const TTallimoProg* entry, const RECT& rect);
  // The warning for a single Install of a program that is not for this computer: true when it
  // was shown (nothing runs then).
  bool NotForThisComputer(const TTallimoProg* entry);
  // "Install it again?" for installed entries: true for Yes.
  bool ConfirmReinstall(const std::vector<const TTallimoProg*>& entries);
  // Wires the reading aids' commands (main_form_viewers.cpp).
  void InitViewerCommands();
  // Wires the Help menu (main_form_help.cpp).
  void InitHelpCommands();
  // Wires the Config menu and the closing question (main_form_config.cpp).
  void InitConfigCommands();
  // Wires the add, edit and remove commands (main_form_editor.cpp).
  void InitEditorCommands();
  // Wires the filter box, its menu item and Ctrl+F (main_form_filter.cpp).
  void InitFilterCommands();
  // Lets the list take files dropped from Explorer (main_form_drop.cpp); the list's window
  // must exist.
  void InitDropCommands();
  // The list narrowed to the box's text, its first row selected and shown.
  void RefillFiltered();
  // The whole list back, keeping the selected row, else the one selected before the filter.
  void RestoreWholeList();
  // Escape in the box: the whole list back and the box hidden.
  void HideFilter();
  // The count beside the box.
  void ShowFilterCount();
  // The entries of the rows the filter shows (every row's while it is off).
  std::vector<const TTallimoProg*> ShownEntries();
  // The filter's table, built for the catalogue as it is.
  void BuildFilter();
  // The grid's rows replaced by `rows`.
  void SetListRows(ListRows rows);
  // Space, Ctrl+click and Mark for Install on the selected row (a header: its category).
  void ToggleSelectedMarks();
  ListRows rows_;                                // what the grid shows, row for row
  std::vector<const TTallimoProg*> allEntries_;  // the whole list's programs, sorted
  GroupNames categories_;
  StringList presets_;               // the presets the Mark Preset submenu shows
  bool defaultMarks_ = false;        // the marks are Default=1's, untouched by the person yet
  bool beforeFilterHeader_ = false;  // beforeFilter_ names a header
  // A detection's end, on the window's thread: its marks shown, or a new one started when the
  // catalogue changed meanwhile.
  void DetectionEnded();
  // Waits for a detection still running (it stops after the path it is probing).
  void StopDetection();
  struct Detection;
  std::shared_ptr<Detection> detection_;
  unsigned detectGeneration_ = 0;  // counts the catalogue's changes that detection must follow
  bool detectScheduled_ = false;   // its timer is set
  ProgramFilter filter_;
  bool filterBuilt_ = false;   // filter_ holds the list as it is
  std::string filterText_;     // the text the list is narrowed by; empty: the whole list
  std::vector<size_t> shown_;  // while it is on, the rows of filter_ shown
  std::string beforeFilter_;   // the row selected when the filter began ("" for none)
  TypeAhead typeAhead_;
  MainWindowSeams seams_;
};

extern TFTallimo* FTallimo;

}  // namespace tallimo
