// Programs that are installed already: detected after the first paint, after a catalogue is
// read or changed, and after every install; a mark drawn in their rows, a line in the
// Information pane, and a question before one is installed again.
#include <windows.h>

#include <algorithm>

#include "app/main_form.h"
#include "install/detect.h"
#include "ui/gdi.h"

namespace tallimo {

namespace {
// A timer that fires once nothing is left to paint.
constexpr UINT_PTR kDetectTimer = 0x7A11;
}  // namespace

void TFTallimo::ScheduleDetection() {
  const bool any = std::any_of(Cat.ProgramList.begin(), Cat.ProgramList.end(),
                               [](const auto& entry) { return !entry->Detect.empty(); });
  if (!any) {
    defaultMarks_ = false;  // no detection to take them back
    if (!Installed.Empty()) {
      Installed.Clear();
      ListBox1.Invalidate();
    }
    return;
  }
  // WM_TIMER comes only when no window of the thread waits to be painted.
  if (HandleAllocated()) SetTimer(Handle(), kDetectTimer, 0, nullptr);
}

LRESULT TFTallimo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kDetectTimer) {
    KillTimer(Handle(), kDetectTimer);
    DetectInstalledPrograms();
    return 0;
  }
  return Form::WndProc(msg, wParam, lParam);
}

void TFTallimo::DetectInstalledPrograms() {
  Installed.Clear();
  const std::vector<const TTallimoProg*> found =
      DetectInstalled(Cat.ProgramList, {seams_.probeFiles, seams_.registry, seams_.environment});
  for (const TTallimoProg* entry : found) Installed.SetMarked(entry, true);
  // Default marks of installed programs go, unless the person has changed the marks since.
  if (defaultMarks_) {
    defaultMarks_ = false;
    for (const TTallimoProg* entry : found) Marks.SetMarked(entry, false);
    ShowMarks();
  }
  ListBox1.Invalidate();
  // The pane of the program shown says so too.
  if (ListBox1.Selection().Top >= 0 && !Cat.ProgramList.empty()) {
    if (TTallimoProg* entry = SelectedEntry()) ShowProgramDetails(FindProgramIndex(entry->Name));
  }
}

void TFTallimo::DrawInstalledMark(HDC dc, int index, const RECT& rect) {
  if (index < 0 || !Installed.IsMarked(Cat.ProgramList[static_cast<size_t>(index)].get())) return;
  // A filled blue disc with a white rim at the row's right edge, apart from the install mark's
  // green check at the left.
  const int h = rect.bottom - rect.top, d = h / 2;
  const int right = rect.right - h / 3, top = rect.top + (h - d) / 2;
  ui::OwnedBrush brush(CreateSolidBrush(RGB(0, 90, 200)));
  ui::OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
  ui::SelectIn useBrush(dc, brush.Get());
  ui::SelectIn usePen(dc, pen.Get());
  Ellipse(dc, right - d, top, right, top + d);
}

bool TFTallimo::ConfirmReinstall(const std::vector<const TTallimoProg*>& entries) {
  std::string text;
  if (entries.size() == 1) {
    text = entries[0]->Name + " is already installed on this computer.\rInstall it again?";
  } else {
    text = "These programs are already installed on this computer:";
    for (const TTallimoProg* entry : entries) text += "\r" + entry->Name;
    text += "\rInstall them again?";
  }
  return seams_.prompter.MessageDlgWithDefault(text, TMsgDlgType::mtConfirmation,
                                               {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo},
                                               TMsgDlgBtn::mbNo) == TModalResult::mrYes;
}

}  // namespace tallimo
