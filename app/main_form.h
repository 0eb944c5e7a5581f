#pragma once
// The main window, FTallimo: the sorted program list, the two detail panes and the button bar.
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "components/gradient_win32.h"
#include "components/label_effect_win32.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/shell.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/list_grid.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/picture.h"
#include "ui/splitter.h"

namespace tallimo {

// Set once at start-up: the screen's pixels per inch as the main window reports it, / 96.
extern double ScaleFactor;
// Smallest outer size the user can drag the main window to; the width is scaled at start-up.
extern std::uint16_t MinTrackWidth;
extern std::uint16_t MinTrackHeight;

// What the main window takes from the system; tests put fakes in.
struct MainWindowSeams {
  FileSystem& files;
  Locale& locale;
  Clock& clock;
  std::string commandLine;  // as GetCommandLineA gives it
  std::string programPath;  // the program's own full file path
  Clipboard& clipboard;
  Environment& environment;
  Shell& shell;
};
MainWindowSeams HostMainWindowSeams();

class TFTallimo : public ui::Form {
 public:
  explicit TFTallimo(MainWindowSeams seams);
  ~TFTallimo() override;

  // The catalogue: ProgramList, NoteLines and the header fields (IniFileName ...).
  Catalogue Cat;
  StringList InstallScript;

  // Controls, in the order of their z-order (and tab order).
  ui::Panel PanList;
  ui::Picture Image2;
  TLabelEffect LabelSelect;
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
  ui::MenuItem *Config1, *N3, *N1, *ReadINIFile1, *WriteINIFile1, *EditINIFile1, *N2, *Exit1;
  ui::MenuItem *Help1, *Contents1, *N6, *About1;
  ui::PopupMenu PopupMenu1;
  ui::MenuItem *ppInstallClose1, *ppInstall1, *ppViewNFO1, *ppCopySerial1, *N4, *ppAddProgram1,
      *ppEditProcedure1, *ppRemoveProgram1, *N5;

  // Part of the list and the panes.
  void RefreshProgramList();
  void ShowProgramDetails(int index);
  bool HasSelection(bool warn);
  int FindProgramIndex(const std::string& name) const;
  // The entry index of the selected row (-1 when none or when its name matches no entry).
  int SelectedProgramIndex() const;

  // Handlers.
  void ListBox1SelectCell(int col, int row, bool& canSelect);
  void ListBox1DrawCell(HDC dc, int col, int row, const RECT& rect, ui::TGridDrawState state);
  void FormResize();
  void BtnCloseClick();
  void FormClose();
  void Image1Click();
  // The install runner's commands (main_form_install.cpp).
  void BtnInstallClick();
  void BtnInstCloseClick();
  // The reading aids (main_form_viewers.cpp).
  void BtnNFOClick();
  void BtnSerialClick();
  // The Help menu (main_form_help.cpp).
  void Contents1Click();
  void Help1Click();
  // The configuration commands and the question on closing (main_form_config.cpp).
  void N3Click();
  void ReadINIFile1Click();
  void WriteINIFile1Click();
  void EditINIFile1Click();
  void FormCloseQuery(bool& canClose);
  // The entry editor's commands (main_form_editor.cpp).
  void ppAddProgram1Click();
  void ppEditProcedure1Click();
  void ppRemoveProgram1Click();
  // After a command changed the catalogue: the list refilled with no row selected, the panes
  // cleared.
  void RefreshAfterChange();

 protected:
  void FormCreate() override;
  void GetMinMaxInfo(MINMAXINFO& info) override;

 private:
  void BuildControls();
  void BuildMenus();
  // Enables the install commands once they exist (main_form_install.cpp).
  void InitInstallCommands();
  // Wires the reading aids' commands (main_form_viewers.cpp).
  void InitViewerCommands();
  // Wires the Help menu (main_form_help.cpp).
  void InitHelpCommands();
  // Wires the Config menu and the closing question (main_form_config.cpp).
  void InitConfigCommands();
  // Wires the add, edit and remove commands (main_form_editor.cpp).
  void InitEditorCommands();
  MainWindowSeams seams_;
};

extern TFTallimo* FTallimo;

}  // namespace tallimo
