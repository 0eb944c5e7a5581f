#include "editor/entry_dialog.h"

#include <algorithm>
#include <utility>

#include "catalogue/program_groups.h"
#include "catalogue/success_codes.h"
#include "editor/entry_rules.h"
#include "ui/line_breaks.h"

namespace tallimo {

TFTallimoadd* FTallimoadd = nullptr;

namespace {

constexpr TColor kRed = 0x0000FF;
// Characters of a category's name that the drop-down shows.
constexpr size_t kShownCategory = 60;

ui::TFont DialogFont(int height, TColor color, bool bold = false) {
  return ui::FontOf("MS Sans Serif", height, color, bold);
}

bool EndsWithLineBreak(const std::string& text) {
  return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

// Replaces a memo's lines, keeping a line break that ended its text.
void ReplaceLines(ui::Memo& memo, const StringList& lines) {
  const bool endsWithBreak = EndsWithLineBreak(memo.Text());
  memo.SetLines(lines);
  if (endsWithBreak) memo.SetText(memo.Text() + "\r\n");
}

}  // namespace

TFTallimoadd::TFTallimoadd(Prompter& prompter, SystemColors& colors)
    : Gradient1(colors), prompter_(prompter) {
  Name = "FTallimoadd";
  SetCaption("Tallimo - Add/Edit Program");
  BorderStyle = ui::TBorderStyle::bsDialog;
  HelpButton = true;
  HelpContext = 50;
  SetClientSize(448, 446);
  SetColor(clBlack);
  SetFont(DialogFont(14, clWindowText));
  Position = ui::TPosition::poScreenCenter;
  ShowHint = true;
  BuildControls();
  OnActivate = [this] { FormActivate(); };
}

TFTallimoadd::~TFTallimoadd() {
  DestroyHandle();  // before the controls go
  if (FTallimoadd == this) FTallimoadd = nullptr;
}

void TFTallimoadd::BuildControls() {
  // The upper part: blue at the top to black.
  Gradient1.SetAlign(ui::TAlign::alNone);
  ui::Place(Gradient1, {.name = "Gradient1", .parent = this, .bounds = {0, 0, 448, 217}});
  Gradient1.SetSwap(true);

  struct LabelDesign {
    ui::Label& label;
    const char* name;
    const char* caption;
    int left, top;
    TColor color;
    ui::WinControl* focus;
  };
  const LabelDesign labels[] = {
      {Label1, "Label1", "&Program Name:", 26, 20, clWhite, &ProgName},
      {Label2, "Label2", "S&erial/Reg Code:", 15, 59, clAqua, &SerialNum},
      {Label3, "Label3", "NFO &File:", 63, 121, clSilver, nullptr},
      {Label4, "Label4", "Make &Batch:", 325, 119, kRed, &CheckBox1},
  };
  for (const LabelDesign& l : labels) {
    l.label.Name = l.name;
    l.label.SetParent(this);
    l.label.Transparent = true;
    l.label.SetBounds(l.left, l.top, 0, 0);
    l.label.SetFont(DialogFont(15, l.color));
    l.label.SetCaption(l.caption);
    l.label.SetAutoSize(true);
    l.label.FocusControl = l.focus;
  }

  // The entry's fields, in tab order.
  ui::Place(ProgName,
            {.name = "ProgName", .parent = this, .bounds = {128, 20, 297, 24}, .helpContext = 51});
  ui::Place(SerialNum,
            {.name = "SerialNum", .parent = this, .bounds = {128, 59, 297, 51}, .helpContext = 52});
  SerialNum.WantReturns = true;
  ui::Place(NFOfile, {.name = "NFOfile",
                      .parent = this,
                      .bounds = {128, 121, 188, 24},
                      .hint = "Doubt Click for file dialog",
                      .helpContext = 53});
  NFOfile.OnDblClick = [this] { NFOfileDblClick(); };

  // Only the box shows: the caption lies beyond the control's width (Label4 stands for it).
  ui::Place(CheckBox1,
            {.name = "CheckBox1", .parent = this, .bounds = {404, 119, 17, 21}, .helpContext = 54});
  CheckBox1.SetCaption("Make &Batch:");

  ui::Place(BtnOkay, {.name = "BtnOkay", .parent = this, .bounds = {129, 167, 177, 31}});
  BtnOkay.SetCaption("&Okay");
  BtnOkay.SetFont(DialogFont(14, clWindowText, true));
  BtnOkay.Default = true;
  BtnOkay.ModalResult = TModalResult::mrOK;
  BtnOkay.OnClick = [this] { BtnOkayClick(); };
  DefaultButton = &BtnOkay;

  ui::Place(BtnCancel, {.name = "BtnCancel", .parent = this, .bounds = {316, 167, 110, 31}});
  BtnCancel.SetCaption("&Cancel");
  BtnCancel.ModalResult = TModalResult::mrCancel;
  // No cancel key: a stray Escape, in a field or a memo, must not throw away a typed entry.
  // Cancel and the close box cancel.

  // The status bar is aligned first, so that it takes the bottom edge under the pages.
  StatusBar1.Name = "StatusBar1";
  StatusBar1.SetParent(this);
  StatusBar1.SetBounds(0, 422, 448, 24);

  PageControl1.Name = "PageControl1";
  PageControl1.SetParent(this);
  PageControl1.SetBounds(0, 217, 448, 205);
  PageControl1.SetAlign(ui::TAlign::alBottom);
  PageControl1.HelpContext = 55;

  struct PageDesign {
    ui::TabSheet& sheet;
    const char* sheetName;
    const char* caption;
    ui::Memo& memo;
    const char* memoName;
    int help;
  };
  const PageDesign pages[] = {
      {TabSheet1, "TabSheet1", " &Installation ", MemoAddInst, "MemoAddInst", 61},
      {TabSheet2, "TabSheet2", " I&nformation ", MemoAddInf, "MemoAddInf", 62},
      {TabSheet3, "TabSheet3", " &Specifications ", MemoAddSpec, "MemoAddSpec", 63},
  };
  for (const PageDesign& p : pages) {
    p.sheet.Name = p.sheetName;
    p.sheet.SetCaption(p.caption);
    p.sheet.SetParent(&PageControl1);
    p.memo.Name = p.memoName;
    p.memo.SetParent(&p.sheet);
    p.memo.SetAlign(ui::TAlign::alClient);
    p.memo.SetFont(DialogFont(15, clBlack));
    p.memo.WantReturns = true;
    p.memo.HelpContext = p.help;
  }
  // The fourth page, Options: fields that the install queue reads.
  TabSheet4.SetCaption("Op&tions");
  ui::Place(TabSheet4, {.name = "TabSheet4", .parent = &PageControl1, .helpContext = 56});
  // Rows 29 apart from the top: the fields' texts, the restart rule, the list's grouping and
  // the marks, on letters that no other field, page or button holds.
  ui::Place(LabelSuccess, {.name = "LabelSuccess", .parent = &TabSheet4, .bounds = {12, 10, 0, 0}});
  LabelSuccess.SetFont(DialogFont(15, clBlack));
  LabelSuccess.SetCaption("S&uccess codes");
  LabelSuccess.SetAutoSize(true);
  LabelSuccess.FocusControl = &EditSuccess;
  ui::Place(EditSuccess, {.name = "EditSuccess",
                          .parent = &TabSheet4,
                          .bounds = {128, 6, 297, 24},
                          .hint = "Exit codes besides 0 that mean the setup worked, such as 1,2",
                          .helpContext = 57});
  ui::Place(LabelDetect, {.name = "LabelDetect", .parent = &TabSheet4, .bounds = {12, 39, 0, 0}});
  LabelDetect.SetFont(DialogFont(15, clBlack));
  LabelDetect.SetCaption("&Detect");
  LabelDetect.SetAutoSize(true);
  LabelDetect.FocusControl = &EditDetect;
  ui::Place(EditDetect, {.name = "EditDetect",
                         .parent = &TabSheet4,
                         .bounds = {128, 35, 297, 24},
                         .hint = "A path, HKLM\\... or HKCU\\..., or uninstall:NAME",
                         .helpContext = 58});
  ui::Place(LabelRestart, {.name = "LabelRestart", .parent = &TabSheet4, .bounds = {12, 68, 0, 0}});
  LabelRestart.SetFont(DialogFont(15, clBlack));
  LabelRestart.SetCaption("&Restart");
  LabelRestart.SetAutoSize(true);
  LabelRestart.FocusControl = &ComboRestart;
  ComboRestart.ListOnly = true;
  ui::Place(ComboRestart, {.name = "ComboRestart",
                           .parent = &TabSheet4,
                           .bounds = {128, 64, 297, 120},
                           .hint = "When the install queue restarts the computer for the program",
                           .helpContext = 71});
  ComboRestart.SetItems({"When the queue ends", "Before the next program, when needed",
                         "Always, before the next program"});
  ui::Place(LabelCategory,
            {.name = "LabelCategory", .parent = &TabSheet4, .bounds = {12, 97, 0, 0}});
  LabelCategory.SetFont(DialogFont(15, clBlack));
  LabelCategory.SetCaption("Cate&gory");
  LabelCategory.SetAutoSize(true);
  LabelCategory.FocusControl = &ComboCategory;
  ui::Place(ComboCategory, {.name = "ComboCategory",
                            .parent = &TabSheet4,
                            .bounds = {128, 93, 297, 160},
                            .hint = "The heading the program is listed under; type a new one",
                            .helpContext = 59});
  ui::Place(LabelPresets,
            {.name = "LabelPresets", .parent = &TabSheet4, .bounds = {12, 126, 0, 0}});
  LabelPresets.SetFont(DialogFont(15, clBlack));
  LabelPresets.SetCaption("Presets (&A)");
  LabelPresets.SetAutoSize(true);
  LabelPresets.FocusControl = &EditPresets;
  ui::Place(EditPresets, {.name = "EditPresets",
                          .parent = &TabSheet4,
                          .bounds = {128, 122, 297, 24},
                          .hint = "The presets that hold the program, such as Office PC;Home",
                          .helpContext = 64});
  ui::Place(CheckDefault, {.name = "CheckDefault",
                           .parent = &TabSheet4,
                           .bounds = {128, 151, 297, 21},
                           .helpContext = 60});
  CheckDefault.SetCaption("&Marked at start");
  CheckDefault.SetFont(DialogFont(15, clBlack));

  // The fifth page, Rules: four fields of one design, on letters nothing else holds.
  TabSheet5.SetCaption("Ru&les");
  ui::Place(TabSheet5, {.name = "TabSheet5", .parent = &PageControl1, .helpContext = 65});
  struct RuleField {
    ui::Label& label;
    const char* labelName;
    const char* caption;
    ui::Edit& edit;
    const char* editName;
    const char* hint;
    int help;
  };
  const RuleField rules[] = {
      {LabelRequires, "LabelRequires", "Re&quires", EditRequires, "EditRequires",
       "Programs to install first, by name, separated by ;", 66},
      {LabelExcludes, "LabelExcludes", "E&xcludes", EditExcludes, "EditExcludes",
       "Programs that cannot be installed together with this one, separated by ;", 67},
      {LabelWindows, "LabelWindows", "&Windows", EditWindows, "EditWindows",
       "The Windows it is for: 7 (7 or later) or XP-8.1; empty: any", 68},
      {LabelArch, "LabelArch", "Arc&h", EditArch, "EditArch",
       "The architectures it is for: x86, x64, arm64, separated by ;", 69},
  };
  int top = 16;
  for (const RuleField& f : rules) {
    ui::Place(f.label, {.name = f.labelName, .parent = &TabSheet5, .bounds = {12, top, 0, 0}});
    f.label.SetFont(DialogFont(15, clBlack));
    f.label.SetCaption(f.caption);
    f.label.SetAutoSize(true);
    f.label.FocusControl = &f.edit;
    ui::Place(f.edit, {.name = f.editName,
                       .parent = &TabSheet5,
                       .bounds = {128, top - 4, 297, 24},
                       .hint = f.hint,
                       .helpContext = f.help});
    top += 36;
  }

  MemoAddInst.Hint = "Doubt Click for file dialog";
  MemoAddInst.OnDblClick = [this] { MemoAddInstDblClick(); };

  ActiveControl = &ProgName;
}

void TFTallimoadd::FormCreate() {
  const std::pair<ui::Label*, ui::WinControl*> named[] = {
      {&Label1, &ProgName}, {&Label2, &SerialNum}, {&Label3, &NFOfile}, {&Label4, &CheckBox1}};
  for (const auto& [label, control] : named) {
    const int room = control->Left() - 3;
    if (label->Left() + label->Width() > room) label->SetLeft(std::max(0, room - label->Width()));
  }
}

void TFTallimoadd::LoadEntry(const TTallimoProg& entry) {
  ProgName.SetText(entry.Name);
  NFOfile.SetText(entry.NfoPath);
  CheckBox1.SetChecked(entry.Batch);
  SerialNum.SetLines(entry.SerialLines);
  MemoAddInst.SetLines(entry.InstallLines);
  MemoAddInf.SetLines(entry.InfoLines);
  MemoAddSpec.SetLines(entry.SpecsLines);
  EditSuccess.SetText(SuccessCodesText(entry.SuccessCodes));
  EditDetect.SetText(entry.Detect);
  ComboRestart.SetItemIndex(static_cast<int>(entry.Restart));
  ComboCategory.SetText(entry.Category);
  EditPresets.SetText(PresetsText(entry.Presets));
  CheckDefault.SetChecked(entry.Default);
  EditRequires.SetText(PresetsText(entry.Requires));
  EditExcludes.SetText(PresetsText(entry.Excludes));
  EditWindows.SetText(entry.Windows);
  EditArch.SetText(entry.Arch);
  PageControl1.SetActivePage(0);
}

void TFTallimoadd::SetCategories(const StringList& categories) {
  categories_ = categories;
  StringList shown;
  for (const std::string& name : categories) shown.push_back(ShortName(name, kShownCategory));
  ComboCategory.SetItems(shown);
}

TModalResult TFTallimoadd::ShowEditor() {
  return ShowModal();
}

void TFTallimoadd::StoreEntry(TTallimoProg& entry) {
  entry.Name = ProgName.Text();
  entry.NfoPath = NFOfile.Text();
  entry.Batch = CheckBox1.Checked();
  entry.SerialLines = SerialNum.Lines();
  entry.InstallLines = MemoAddInst.Lines();
  entry.InfoLines = MemoAddInf.Lines();
  entry.SpecsLines = MemoAddSpec.Lines();
  entry.SuccessCodes = ParseSuccessCodes(EditSuccess.Text());
  entry.Detect = EditDetect.Text();
  const int restart = ComboRestart.ItemIndex();
  entry.Restart = restart > 0 ? static_cast<TRestartRule>(restart) : TRestartRule::rrAtEnd;
  // A name picked from the drop-down as it was cut stands for the whole name.
  entry.Category = ComboCategory.Text();
  for (const std::string& name : categories_)
    if (name.size() > entry.Category.size() && ShortName(name, kShownCategory) == entry.Category)
      entry.Category = name;
  entry.Presets = SplitPresets(EditPresets.Text());
  entry.Default = CheckDefault.Checked();
  entry.Requires = SplitPresets(EditRequires.Text());
  entry.Excludes = SplitPresets(EditExcludes.Text());
  entry.Windows = EditWindows.Text();
  entry.Arch = EditArch.Text();
}

void TFTallimoadd::FormActivate() {
  StatusBar1.SetPanelText(0, IniFileName);
}

bool TFTallimoadd::PickFile(const char* filter, const char* title, std::string& path) {
  FileDialogOptions options;
  options.title = title;
  options.filter = filter;
  options.initialDir = LastBrowseDir;
  options.pathMustExist = true;
  options.fileMustExist = true;
  options.hideReadOnly = true;
  options.noNetworkButton = true;
  options.noDereferenceLinks = true;
  options.noTestFileCreate = true;
  path.clear();
  if (!prompter_.OpenFileDialog(options, path)) return false;
  LastBrowseDir = FolderOfFile(path);
  return true;
}

void TFTallimoadd::NFOfileDblClick() {
  std::string path;
  if (PickFile(kNfoPickerFilter, kNfoPickerTitle, path)) NFOfile.SetText(WithoutDrive(path));
}

void TFTallimoadd::MemoAddInstDblClick() {
  std::string path;
  if (!PickFile(kInstallPickerFilter, kInstallPickerTitle, path)) return;
  // A new last line; the caret plays no part.
  std::string text = MemoAddInst.Text();
  if (!text.empty() && !EndsWithLineBreak(text)) text += "\r\n";
  MemoAddInst.SetText(text + WithoutDrive(path));
}

void TFTallimoadd::BtnOkayClick() {
  ModalResult = TModalResult::mrNone;  // until the entry passes its check
  // A one-line field holds one line: a pasted line break becomes a space, as the file will
  // hold it.
  for (ui::Edit* field : {&ProgName, &NFOfile, &EditSuccess, &EditDetect, &EditPresets}) {
    const std::string text = field->Text();
    if (text.find_first_of("\r\n") != std::string::npos)
      field->SetText(ui::LineBreaksAsSpaces(text));
  }
  std::string nfo = NFOfile.Text();
  StringList install = MemoAddInst.Lines();
  if (HasAbsolutePath(nfo, install) &&
      prompter_.MessageDlg(kAbsolutePathQuestion, TMsgDlgType::mtConfirmation,
                           {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) == TModalResult::mrYes) {
    const StringList before = install;
    ConvertToRelativePaths(nfo, install);
    NFOfile.SetText(nfo);
    if (install != before) ReplaceLines(MemoAddInst, install);
  }
  for (ui::Memo* memo : {&SerialNum, &MemoAddInf, &MemoAddSpec}) {
    StringList lines = memo->Lines();
    if (TrimTrailingBlankLines(lines)) memo->SetLines(lines);
  }
  ModalResult = ValidateEntry() ? TModalResult::mrOK : TModalResult::mrNone;
}

bool TFTallimoadd::ValidateEntry() {
  if (!EntryIsComplete(ProgName.Text(), MemoAddInst.Text())) {
    prompter_.MessageDlg(kIncompleteEntryMessage, TMsgDlgType::mtError);
    return false;
  }
  // A success code that is not a number would be lost at the next save: the page says so.
  std::vector<std::string> rejected;
  ParseSuccessCodes(EditSuccess.Text(), &rejected);
  if (rejected.empty()) return true;
  PageControl1.SetActivePage(3);
  prompter_.MessageDlg(SuccessCodesMessage(rejected.front()), TMsgDlgType::mtError);
  return false;
}

}  // namespace tallimo
