#pragma once
// The Add/Edit Program dialog, FTallimoadd: one catalogue entry typed in, with two file
// pickers, the offer to make drive paths relative, the trimming of trailing blank lines and
// the check of name and procedure before it closes with OK.
#include <string>

#include "components/gradient_win32.h"
#include "editor/entry_commands.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/page_control.h"
#include "ui/status_bar.h"

namespace tallimo {

class TFTallimoadd : public ui::Form, public EntryEditor {
 public:
  TFTallimoadd(Prompter& prompter, SystemColors& colors);
  ~TFTallimoadd() override;

  // The catalogue file in use, shown in the status bar whenever the dialog becomes active.
  std::string IniFileName;
  // The folder of the last file picked in either picker; the dialog lives for the whole run
  // (empty at first: the file dialog then opens in the system's default folder).
  std::string LastBrowseDir;

  TGradient Gradient1;
  ui::Label Label1, Label2, Label3, Label4;
  ui::Edit ProgName;
  ui::Memo SerialNum;
  ui::Edit NFOfile;
  ui::CheckBox CheckBox1;
  ui::Button BtnOkay, BtnCancel;
  ui::StatusBar StatusBar1;
  ui::PageControl PageControl1;
  ui::TabSheet TabSheet1, TabSheet2, TabSheet3;
  ui::Memo MemoAddInst, MemoAddInf, MemoAddSpec;
  // The Options page: the exit codes, besides 0, that mean the installer worked.
  ui::TabSheet TabSheet4;
  ui::Label LabelSuccess;
  ui::Edit EditSuccess;
  // How to tell that the program is installed (the Detect key).
  ui::Label LabelDetect;
  ui::Edit EditDetect;
  // When the queue restarts the computer for it (the Restart key): one item a rule, in the
  // rules' order.
  ui::Label LabelRestart;
  ui::ComboBox ComboRestart;
  // The list's group (the Category key): one of the catalogue's categories, or a new one.
  ui::Label LabelCategory;
  ui::ComboBox ComboCategory;
  // The named selections (the Presets key), separated by ";".
  ui::Label LabelPresets;
  ui::Edit EditPresets;
  // Marked for installing when the catalogue is read (Default=1).
  ui::CheckBox CheckDefault;
  // The fifth page, Rules: what the program needs first, what it cannot share a computer
  // with, and the Windows it is for.
  ui::TabSheet TabSheet5;
  ui::Label LabelRequires, LabelExcludes, LabelWindows, LabelArch;
  ui::Edit EditRequires, EditExcludes, EditWindows, EditArch;

  // EntryEditor.
  void SetIniFileName(const std::string& name) override { IniFileName = name; }
  void SetCategories(const StringList& categories) override;
  void LoadEntry(const TTallimoProg& entry) override;
  TModalResult ShowEditor() override;
  void StoreEntry(TTallimoProg& entry) override;

  // Handlers.
  void FormActivate();
  void NFOfileDblClick();
  void MemoAddInstDblClick();
  // Okay (or Enter outside the memos): offers to take the drives off, trims trailing blank
  // lines, and closes with OK only when ValidateEntry agrees.
  void BtnOkayClick();
  bool ValidateEntry();

 protected:
  // Keeps each label clear of the control it names where the screen's font draws it wider
  // than the design allows.
  void FormCreate() override;

 private:
  void BuildControls();
  // OpenDialog1: true and the chosen path (LastBrowseDir updated) unless cancelled.
  bool PickFile(const char* filter, const char* title, std::string& path);
  Prompter& prompter_;
  StringList categories_;  // the drop-down's names in full (its items may be cut)
};

extern TFTallimoadd* FTallimoadd;

}  // namespace tallimo
