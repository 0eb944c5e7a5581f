// The filter of the main window: the box in the heading band (Ctrl+F, or Find... in the list's
// pop-up menu) that narrows the list to the programs whose name, information or specs
// hold every word typed; and find as you type in the list itself.
#include <windows.h>

#include "app/detail_panes.h"
#include "app/main_form.h"

namespace tallimo {

namespace {
// The heading band's parts while the filter is shown, in design pixels.
constexpr ui::TBounds kFindBounds{6, 5, 190, 22};
constexpr ui::TBounds kFoundBounds{204, 9, 290, 16};
}  // namespace

void TFTallimo::InitFilterCommands() {
  ui::Place(EdtFind,
            {.name = "EdtFind", .parent = &PanList, .bounds = kFindBounds, .helpContext = 25});
  EdtFind.SetVisible(false);
  EdtFind.Cue = "Find a program";
  EdtFind.SetFont(ui::FontOf("MS Sans Serif", 14, clWindowText));
  EdtFind.OnChange = [this] { EdtFindChange(); };
  EdtFind.OnKey = [this](int key) {
    if (key == VK_ESCAPE) {
      HideFilter();
    } else {
      ListBox1.SetFocus();  // Enter and Down: to the list, never to the default button
    }
    return true;
  };
  ui::Place(LblFound, {.name = "LblFound", .parent = &PanList, .bounds = kFoundBounds});
  LblFound.SetVisible(false);
  LblFound.Transparent = true;
  LblFound.SetAutoSize(true);
  LblFound.SetFont(ui::FontOf("MS Sans Serif", 14, clBlack, true));
  ppFind1->OnClick = [this] { ppFind1Click(); };
  OnShortCut = [this](int key, ui::TShiftState shift) {
    if (key != 'F' || shift != ui::ssCtrl) return false;
    ppFind1Click();
    return true;
  };
}

void TFTallimo::ppFind1Click() {
  if (!EdtFind.Visible()) {
    LabelSelect.SetVisible(false);
    EdtFind.SetVisible(true);
    LblFound.SetVisible(true);
    ShowFilterCount();
    PanList.Invalidate();  // the heading band drawn anew, without the heading
  }
  EdtFind.SetFocus();
  if (EdtFind.HandleAllocated()) SendMessageW(EdtFind.Handle(), EM_SETSEL, 0, -1);
}

void TFTallimo::HideFilter() {
  EdtFind.SetText("");  // its change restores the whole list
  if (FilterOn()) RestoreWholeList();
  EdtFind.SetVisible(false);
  LblFound.SetVisible(false);
  LabelSelect.SetVisible(true);
  PanList.Invalidate();
  ListBox1.SetFocus();
}

void TFTallimo::EdtFindChange() {
  const std::string text = EdtFind.Text();
  if (text == filterText_) return;
  const bool words = !FilterWords(text).empty();
  if (!words) {
    if (FilterOn()) RestoreWholeList();
    return;
  }
  if (!FilterOn()) {
    // The row to come back to when the filter ends.
    const int row = ListBox1.Selection().Top;
    beforeFilter_ = row < 0 ? std::string() : ListBox1.Cell(0, row);
    beforeFilterHeader_ = IsHeaderRow(row);
  }
  filterText_ = text;
  RefillFiltered();
}

void TFTallimo::BuildFilter() {
  filter_.Build(allEntries_);
  filterBuilt_ = true;
}

std::vector<const TTallimoProg*> TFTallimo::ShownEntries() {
  if (!filterBuilt_) BuildFilter();
  std::vector<const TTallimoProg*> entries;
  if (!FilterOn()) {
    entries = allEntries_;
  } else {
    for (size_t row : shown_) entries.push_back(filter_.Entry(row));
  }
  return entries;
}

void TFTallimo::RefillFiltered() {
  const bool catalogueChanged = !filterBuilt_;
  if (!filterBuilt_) BuildFilter();
  typeAhead_.Reset();
  shown_ = filter_.Matching(filterText_);
  std::vector<const TTallimoProg*> entries;
  entries.reserve(shown_.size());
  for (size_t row : shown_) entries.push_back(filter_.Entry(row));
  // Headers only above the programs shown.
  rows_ = BuildListRows(entries, categories_);
  const StringList shown = RowTexts(rows_);
  // The first program's row (under its header).
  const int first = !shown.empty() && rows_.front().IsHeader() ? 1 : 0;
  // Another letter often leaves the same rows: the list then stays as it is, and so do the panes
  // while they show its first row (filling them costs more than all the rest).
  const bool sameRows = shown.empty() ? ListBox1.RowCount() == 1 && ListBox1.Cell(0, 0).empty()
                                      : shown == ListBox1.Rows();
  const bool sameFirst =
      sameRows && !catalogueChanged && !shown.empty() && ListBox1.Selection().Top == first;
  if (!sameRows) ListBox1.SetRows(shown);
  if (shown.empty()) {
    ListBox1.SetSelection({});
    MemoInfo.SetLines(NoMatchInfoLines(filterText_));
    MemoSpecs.SetLines(ProgramDetails(Cat.ProgramList, -1).SpecsLines);
  } else if (!sameFirst) {
    ListBox1.SetSelection({0, first, 0, first});
    ShowProgramDetails(FindProgramIndex(shown[static_cast<size_t>(first)]));
  }
  ShowMarks();
}

void TFTallimo::RestoreWholeList() {
  const int row = ListBox1.Selection().Top;
  std::string keep = row < 0 ? std::string() : ListBox1.Cell(0, row);
  bool keepHeader = IsHeaderRow(row);
  if (keep.empty()) {
    keep = beforeFilter_;
    keepHeader = beforeFilterHeader_;
  }
  filterText_.clear();
  beforeFilter_.clear();
  shown_.clear();
  typeAhead_.Reset();
  SetListRows(BuildListRows(allEntries_, categories_));
  ListBox1.SetSelection({});
  int index = -1;
  if (!keep.empty()) {
    for (size_t i = 0; i < rows_.size(); ++i)
      if (rows_[i].text == keep && rows_[i].IsHeader() == keepHeader) {
        const int at = static_cast<int>(i);
        ListBox1.SetSelection({0, at, 0, at});
        if (!keepHeader) index = FindProgramIndex(keep);
        break;
      }
  }
  ShowProgramDetails(index);
  ShowMarks();
}

void TFTallimo::ShowFilterCount() {
  if (!EdtFind.Visible()) return;
  if (!filterBuilt_) BuildFilter();
  const int total = static_cast<int>(allEntries_.size());
  int shown = total, markedShown = Marks.Count();
  if (FilterOn()) {
    shown = static_cast<int>(shown_.size());
    markedShown = 0;
    if (!Marks.Empty())
      for (size_t row : shown_)
        if (Marks.IsMarked(filter_.Entry(row))) ++markedShown;
  }
  std::string text = FilterCountText(shown, total, Marks.Count(), Marks.Count() - markedShown);
  if (FilterOn() && FilterWordsCapped(filterText_)) text += kFilterWordsCapped;
  if (LblFound.Caption() != text) LblFound.SetCaption(text);
}

bool TFTallimo::ListBox1TypeAhead(char32_t c) {
  // Over the programs' names only; a header is passed over as a row no letter starts.
  const StringList names = categories_.Names().empty() ? StringList() : RowTexts(rows_, true);
  const TypeAhead::Step step = typeAhead_.Type(
      c, seams_.clock.TickCount(), categories_.Names().empty() ? ListBox1.Rows() : names,
      ListBox1.Selection().Top);
  if (step.result == TypeAhead::Result::NotUsed) return false;
  if (step.result == TypeAhead::Result::Found) ListBox1.SelectRow(step.row);
  return true;
}

}  // namespace tallimo
