#include "app/main_form.h"

#include <windows.h>

#include <algorithm>

#include "app/command_line.h"
#include "app/detail_panes.h"
#include "app/main_layout.h"
#include "app/program_list.h"
#include "catalogue/catalogue_file.h"
#include "catalogue/date_text.h"
#include "platform/error.h"
#include "platform/wide.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/gdi.h"

namespace tallimo {

double ScaleFactor = 96.0;
std::uint16_t MinTrackWidth = kDesignMinTrackWidth;
std::uint16_t MinTrackHeight = kMinTrackHeight;
TFTallimo* FTallimo = nullptr;

TFTallimo::TFTallimo(MainWindowSeams seams) : Gradient1(seams.colors), seams_(std::move(seams)) {
  Name = "FTallimo";
  SetCaption("Tallimo");
  SetClientSize(504, 364);
  SetFont(ui::FontOf("MS Sans Serif", 14, clWindowText));
  Position = ui::TPosition::poScreenCenter;
  BorderStyle = ui::TBorderStyle::bsSizeable;
  BuildMenus();
  Menu = &MainMenu1;
  BuildControls();
  OnResize = [this] { FormResize(); };
  OnClose = [this] { FormClose(); };
  InitConfigCommands();
}

TFTallimo::~TFTallimo() {
  StopDetection();
  DestroyHandle();  // before the controls and menus go
  if (FTallimo == this) FTallimo = nullptr;
}

void TFTallimo::BuildControls() {
  // Upper half: the heading over the banner, then the list.
  ui::Place(
      PanList,
      {.name = "PanList", .parent = this, .bounds = {0, 0, 504, 218}, .align = ui::TAlign::alTop});

  ui::Place(Image2, {.name = "Image2",
                     .parent = &PanList,
                     .bounds = {0, 0, 500, 31},
                     .align = ui::TAlign::alTop});
  Image2.Stretch = true;
  Image2.SetBitmap(ui::LoadBitmapResource(IDB_BANNER));

  // The heading: sunken, an olive shadow, the face from blue at the top to black.
  ui::Place(LabelSelect, {.name = "LabelSelect", .parent = &PanList, .bounds = {0, 1, 504, 31}});
  LabelSelect.SetDirectionHighlight(edDownRight);
  LabelSelect.SetDirectionShadow(edUpLeft);
  LabelSelect.SetColourShadow(clOlive);
  LabelSelect.SetGraduateFace(goVertical);
  LabelSelect.SetGraduateFrom(clBlue);
  LabelSelect.SetEffectStyle(esSunken);
  LabelSelect.SetColourScheme(csCustom);
  LabelSelect.SetAlignment(ui::TAlignment::taCenter);
  LabelSelect.SetCaption("&Select a Program to Install");
  LabelSelect.SetFont(ui::FontOf("Times New Roman", 25, clBlack));

  ui::Place(
      ListBox1,
      {.name = "ListBox1", .parent = &PanList, .align = ui::TAlign::alClient, .helpContext = 2});
  ListBox1.SetFont(ui::FontOf("MS Sans Serif", 20, clBlack, true));
  ListBox1.SetDefaultRowHeight(kDesignListRowHeight);
  ListBox1.DefaultColWidth = 1500;
  ListBox1.Popup = &PopupMenu1;
  ListBox1.OnSelectCell = [this](int col, int row, bool& can) {
    ListBox1SelectCell(col, row, can);
  };
  ListBox1.OnDrawCell = [this](HDC dc, int col, int row, const RECT& r, ui::TGridDrawState s) {
    ListBox1DrawCell(dc, col, row, r, s);
  };

  // The button bar.
  ui::Place(PanBtn, {.name = "PanBtn",
                     .parent = this,
                     .bounds = {0, 313, 504, kDesignPanBtnHeight},
                     .align = ui::TAlign::alBottom});
  PanBtn.BevelInner = ui::TBevelCut::bvRaised;
  PanBtn.BevelOuter = ui::TBevelCut::bvLowered;
  PanBtn.SetColor(clGray);
  PanBtn.ShowHint = true;

  // The button bar's background: blue at the top to black at the bottom.
  ui::Place(Gradient1, {.name = "Gradient1", .parent = &PanBtn});
  Gradient1.SetSwap(true);

  ui::Place(Image1,
            {.name = "Image1", .parent = &PanBtn, .bounds = {460, 8, 34, kDesignImage1Height}});
  Image1.SetBitmap(ui::LoadBitmapResource(IDB_LOGO));
  Image1.Cursor = reinterpret_cast<LPCSTR>(IDC_CROSS);
  Image1.OnClick = [this] { Image1Click(); };

  ui::PlaceButtons(
      PanBtn,
      {{BtnInstClose, "BtnInstClose", "&Install && Close", 10, 11, 129, 31,
        "Install the selected program and close Tallimo"},
       {BtnInstall, "BtnInstall", "I&nstall", 148, 11, 92, 31, "Install the selected program"},
       {BtnNFO, "BtnNFO", "&View NFO", 246, 11, 92, 31, "View NFO associated with program"},
       {BtnSerial, "BtnSerial", "C&opy Serial", 345, 11, 92, 31,
        "Copy serial number/registration code to clipboard"},
       {BtnClose, "BtnClose", "&Close", 443, 11, 92, 31, "Close Tallimo"}});
  BtnInstClose.Default = true;
  BtnInstClose.SetFont(ui::FontOf("MS Sans Serif", 15, clWindowText, true));
  DefaultButton = &BtnInstClose;
  BtnNFO.SetEnabled(false);
  BtnSerial.SetEnabled(false);
  BtnClose.OnClick = [this] { BtnCloseClick(); };

  // Lower half: MemoInfo on the left, MemoSpecs on the right.
  auto pane = [&](ui::Panel& panel, const char* panelName, ui::Label& heading,
                  const char* headingName, const char* title, TColor color, ui::Memo& memo,
                  const char* memoName) {
    ui::Place(panel, {.name = panelName, .parent = this});
    ui::Place(heading, {.name = headingName,
                        .parent = &panel,
                        .bounds = {0, 0, 293, 20},
                        .align = ui::TAlign::alTop});
    heading.SetCaption(title);
    heading.Alignment = ui::TAlignment::taCenter;
    heading.SetColor(color);
    heading.SetFont(ui::FontOf("MS Sans Serif", 18, clBlack));
    ui::Place(
        memo,
        {.name = memoName, .parent = &panel, .align = ui::TAlign::alClient, .helpContext = 2});
    memo.ReadOnly = true;
    memo.Border = false;
    memo.SetColor(clBtnFace);
    memo.ScrollBars = ui::TScrollStyle::ssVertical;
  };
  pane(PanInfo, "PanInfo", Label2, "Label2", "Information", clYellow, MemoInfo, "MemoInfo");
  PanInfo.SetBounds(0, 218, 293, 95);
  PanInfo.SetAlign(ui::TAlign::alLeft);

  ui::Place(SplitterBar1, {.name = "SplitterBar1",
                           .parent = this,
                           .bounds = {293, 218, 4, 95},
                           .align = ui::TAlign::alLeft});

  pane(PanSpecs, "PanSpecs", Label3, "Label3", "Specifications", clLime, MemoSpecs, "MemoSpecs");
  PanSpecs.SetAlign(ui::TAlign::alClient);

  InitInstallCommands();
  InitViewerCommands();
  InitHelpCommands();
  InitEditorCommands();
  InitFilterCommands();
  ActiveControl = &ListBox1;  // the first control in tab order takes the keys at start
}

void TFTallimo::BuildMenus() {
  MainMenu1.Name = "MainMenu1";
  Config1 = &MainMenu1.Add("Config1", "&Config");
  N3 = &Config1->Add("N3", "&General Info", 11);
  N1 = &Config1->Add("N1", "-");
  ReadINIFile1 = &Config1->Add("ReadINIFile1", "&Read INI File", 20);
  WriteINIFile1 = &Config1->Add("WriteINIFile1", "&Write INI File", 20);
  EditINIFile1 = &Config1->Add("EditINIFile1", "Write INI &As...", 20);
  N2 = &Config1->Add("N2", "-");
  Exit1 = &Config1->Add("Exit1", "E&xit", 0);
  Help1 = &MainMenu1.Add("Help1", "&Help");
  Contents1 = &Help1->Add("Contents1", "&Contents", 1);
  N6 = &Help1->Add("N6", "-");
  About1 = &Help1->Add("About1", "&About Tallimo", 0);

  ppInstallClose1 = &PopupMenu1.Add("ppInstallClose1", "&Install && Close", 21);
  ppInstallClose1->Default = true;
  ppInstall1 = &PopupMenu1.Add("ppInstall1", "I&nstall", 22);
  ppViewNFO1 = &PopupMenu1.Add("ppViewNFO1", "&View NFO", 23);
  ppCopySerial1 = &PopupMenu1.Add("ppCopySerial1", "C&opy Serial", 24);
  ppFind1 = &PopupMenu1.Add("ppFind1", "&Find...\tCtrl+F", 25);
  N4 = &PopupMenu1.Add("N4", "-");
  N4->BarBreak = true;  // the second column
  ppAddProgram1 = &PopupMenu1.Add("ppAddProgram1", "&Add Program", 31);
  ppEditProcedure1 = &PopupMenu1.Add("ppEditProcedure1", "&Edit Program", 32);
  ppRemoveProgram1 = &PopupMenu1.Add("ppRemoveProgram1", "&Remove Program", 33);
  N5 = &PopupMenu1.Add("N5", "-");
  ppMarkForInstall1 = &PopupMenu1.Add("ppMarkForInstall1", "&Mark for Install", 34);
  ppMarkAll1 = &PopupMenu1.Add("ppMarkAll1", "Mark A&ll", 35);
  ppClearMarks1 = &PopupMenu1.Add("ppClearMarks1", "Clear Mar&ks", 36);
  ppMarkPreset1 = &PopupMenu1.Add("ppMarkPreset1", "Mark &Preset", 37);
  ppMarkPreset1->Submenu = true;
  ppMarkPreset1->SetEnabled(false);  // until the catalogue has a preset
  ppViewNFO1->SetEnabled(false);
  ppCopySerial1->SetEnabled(false);
}

void TFTallimo::FormCreate() {
  Cat.ProgramList.clear();
  InstallScript.clear();
  ScaleFactor = ScaleFactorFromPpi(PixelsPerInch());
  MinTrackWidth = ScaledMinTrackWidth(ScaleFactor);
  Image1.SetTop(LogoTop(ScaleFactor, PanBtn.Height(), Image1.Height()));
  // Rows are 24 pixels at every resolution before this step (the form's fitting does not
  // apply to them), then scaled with the rest of the window.
  ListBox1.SetDefaultRowHeight(ListRowHeight(ScaleFactor));
  Cat.IniFileName = ChooseIniFileName(seams_.commandLine, seams_.programPath);
  Cat.NoteLines.clear();
  // A catalogue that exists but cannot be read is reported; the menu then starts empty
  // rather than half made.
  try {
    LoadCatalogue(Cat, seams_.files, seams_.locale);
  } catch (const TallimoError& e) {
    ui::App().ShowException(e.what());
  }
  RefreshProgramList();
  MarkDefaultPrograms();
  ShowProgramDetails(-1);
  Cat.Modified = false;
  if (!Cat.ConfigCaption.empty()) SetCaption("Tallimo - " + Cat.ConfigCaption);
  Cat.WriteDate = DateTimeText(seams_.clock.Now(), seams_.locale);
  SetWidth(ScaleSize(ScaleFactor, Width()));
  InitDropCommands();
  ScheduleDetection();
}

void TFTallimo::GetMinMaxInfo(MINMAXINFO& info) {
  info.ptMinTrackSize.x = MinTrackWidth;
  info.ptMinTrackSize.y = MinTrackHeight;
}

void TFTallimo::FormResize() {
  TMainResizeLayout layout = MainResizeLayout(ScaleFactor, ClientWidth(), ClientHeight(),
                                              SplitterBar1.Width(), PanBtn.Width());
  LabelSelect.SetWidth(layout.LabelSelectWidth);
  PanInfo.SetWidth(layout.PanInfoWidth);
  PanList.SetHeight(layout.PanListHeight);
  Image1.SetLeft(layout.Image1Left);
  ListBox1.DefaultColWidth = ListColumnWidth(ListBox1.Width());
}

void TFTallimo::BtnCloseClick() {
  Close();
}

void TFTallimo::FormClose() {
  Cat.NoteLines.clear();
  Cat.ProgramList.clear();
  InstallScript.clear();
}

void TFTallimo::Image1Click() {
  TColor info = Label2.Color();
  Label2.SetColor(Label3.Color());
  Label3.SetColor(info);
  Contents1Click();
}

void TFTallimo::RefreshProgramList() {
  Marks.KeepOnly(Cat.ProgramList);
  Installed.KeepOnly(Cat.ProgramList);
  filterBuilt_ = false;
  allEntries_ = SortedProgramEntries(Cat.ProgramList, seams_.locale);
  Rules = ProgramRules(Cat.ProgramList, seams_.system);
  categories_ = CatalogueCategories(Cat.ProgramList);
  if (FilterOn()) return RefillFiltered();  // the filter's refill selects its first row
  SetListRows(BuildListRows(allEntries_, categories_));
  ListBox1.SetSelection({});
  ShowMarks();
}

void TFTallimo::SetListRows(ListRows rows) {
  rows_ = std::move(rows);
  ListBox1.SetRows(RowTexts(rows_));
}

void TFTallimo::MarkDefaultPrograms() {
  RuleMarks marks = MarksWithRules();
  tallimo::MarkDefaults(marks, allEntries_);
  defaultMarks_ = !Marks.Empty();
  ShowMarks();
}

void TFTallimo::RefreshAfterChange() {
  RefreshProgramList();
  if (!FilterOn()) ShowProgramDetails(-1);
  ScheduleDetection();
}

void TFTallimo::ShowProgramDetails(int index) {
  TProgramDetails details = ProgramDetails(Cat.ProgramList, index);
  if (details.NfoEnabled) {
    BtnNFO.SetEnabled(*details.NfoEnabled);
    ppViewNFO1->SetEnabled(*details.NfoEnabled);
  }
  if (details.SerialEnabled) {
    BtnSerial.SetEnabled(*details.SerialEnabled);
    ppCopySerial1->SetEnabled(*details.SerialEnabled);
  }
  if (index >= 0) {
    // The program's standing first, each line only where it applies.
    const size_t i = static_cast<size_t>(index);
    StringList standing = {Rules.NotForThisComputerLine(i),
                           Installed.IsMarked(Cat.ProgramList[i].get()) ? kInstalledLine : "",
                           Rules.InstallsFirstLine(i), Rules.ExclusionsLine(i)};
    std::erase(standing, std::string());
    AddStandingLines(details, standing);
  }
  MemoInfo.SetLines(details.InfoLines);
  MemoSpecs.SetLines(details.SpecsLines);
}

bool TFTallimo::HasSelection(bool warn) {
  // A header is no program's row.
  const int row = ListBox1.Selection().Top;
  return tallimo::HasSelection(IsHeaderRow(row) ? -1 : row, warn, seams_.prompter);
}

int TFTallimo::FindProgramIndex(const std::string& name) const {
  return tallimo::FindProgramIndex(Cat.ProgramList, name);
}

int TFTallimo::EntryIndex(const TTallimoProg* entry) const {
  const TProgramList& list = Cat.ProgramList;
  for (size_t i = 0; entry && i < list.size(); ++i)
    if (list[i].get() == entry) return static_cast<int>(i);
  return -1;
}

TTallimoProg* TFTallimo::SelectedEntry() {
  const int row = ListBox1.Selection().Top;
  if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return nullptr;
  // The row's own entry, one of the catalogue's (which the window may change).
  return const_cast<TTallimoProg*>(rows_[static_cast<size_t>(row)].entry);
}

void TFTallimo::ListBox1SelectCell(int col, int row, bool& canSelect) {
  (void)canSelect;  // the move always happens
  if (IsHeaderRow(row)) return ShowProgramDetails(-1);
  if (auto index = SelectedDetailsIndex(Cat.ProgramList, ListBox1.Cell(col, row)))
    ShowProgramDetails(*index);
}

void TFTallimo::ListBox1DrawCell(HDC dc, int col, int row, const RECT& rect,
                                 ui::TGridDrawState state) {
  if (IsHeaderRow(row)) {
    // A category's header: bold, from the left, on the button face, with no line under it, so
    // that it cannot be taken for a program.
    RECT band = rect;
    band.bottom += 1;
    SetBkColor(dc, state.selected ? GetSysColor(COLOR_HIGHLIGHT) : ui::ColorToRGB(clBtnFace));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
    RECT text = rect;
    text.left += 4;
    text.top += 2;
    SetBkMode(dc, TRANSPARENT);
    const std::wstring caption = Widen(ListBox1.Cell(col, row));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_END_ELLIPSIS);
    return;
  }
  // An inverted dotted line on the pixel row under the cell.
  {
    ui::OwnedPen pen(CreatePen(PS_DOT, 1, RGB(192, 192, 192)));
    ui::SelectIn usePen(dc, pen.Get());
    int oldRop = SetROP2(dc, R2_NOT);
    int oldMode = SetBkMode(dc, TRANSPARENT);  // the gaps between the dots stay untouched
    MoveToEx(dc, rect.left, rect.bottom, nullptr);
    LineTo(dc, rect.right, rect.bottom);
    SetBkMode(dc, oldMode);
    SetROP2(dc, oldRop);
  }
  // The text centred, 2 pixels below the cell's top, over the cell's background; grey for a
  // program that is not for this computer.
  const TTallimoProg* shown = row >= 0 && static_cast<size_t>(row) < rows_.size()
                                  ? rows_[static_cast<size_t>(row)].entry
                                  : nullptr;
  const size_t rule = Rules.IndexOf(shown);
  const bool greyed = shown && rule < Rules.Size() && !Rules.Applicable(rule);
  const COLORREF oldColor = greyed ? SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT)) : 0;
  UINT oldAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
  const std::wstring text = Widen(ListBox1.Cell(col, row));
  ExtTextOutW(dc, (rect.left + rect.right) / 2, rect.top + 2, ETO_OPAQUE | ETO_CLIPPED, &rect,
              text.c_str(), static_cast<UINT>(text.size()), nullptr);
  SetTextAlign(dc, oldAlign);
  if (greyed) SetTextColor(dc, oldColor);
  // A marked program: a check mark at the row's left edge, over the background.
  DrawInstalledMark(dc, shown, rect);
  if (shown && Marks.IsMarked(shown)) {
    const int h = rect.bottom - rect.top, x = rect.left + h / 4, y = rect.top + h / 2;
    const POINT check[3] = {{x, y}, {x + h / 6, y + h / 6}, {x + h / 2, y - h / 4}};
    ui::OwnedPen pen(CreatePen(PS_SOLID, std::max(2, h / 10), RGB(0, 128, 0)));
    ui::SelectIn usePen(dc, pen.Get());
    Polyline(dc, check, 3);
  }
}

}  // namespace tallimo
