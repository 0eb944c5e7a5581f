// Programs that are installed already: detected on a thread of its own after the first paint,
// after a catalogue is read or changed, and after every install; a mark drawn in their rows, a line
// in the Information pane, and a question before one is installed again.
#include <windows.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "install/detect.h"
#include "platform/error.h"
#include "platform/handle_win32.h"
#include "platform/process.h"
#include "ui/gdi.h"

namespace tallimo {

namespace {
// A timer that fires once nothing is left to paint.
constexpr UINT_PTR kDetectTimer = 0x7A11;
// Posted by the detection thread when it has finished.
constexpr UINT kDetectionEnded = WM_APP + 0x7A1;
}  // namespace

// One detection: the Detect values copied for its thread, and what it found. The window waits
// for the thread before it lets go of this.
struct TFTallimo::Detection {
  Detection(DetectSeams s, HWND w, unsigned g) : seams(s), window(w), generation(g) {}
  DetectSeams seams;
  HWND window;
  unsigned generation;
  std::vector<const TTallimoProg*> entries;  // compared only, never read by the thread
  std::vector<std::string> values;
  std::vector<char> found;
  std::string failure;  // what ended it early, for the error report on the window's thread
  volatile LONG stop = 0;
  OwnedHandle thread;

  static DWORD WINAPI Run(void* parameter) {
    auto& d = *static_cast<Detection*>(parameter);
    try {
      Detector detector(d.seams);
      for (size_t i = 0; i < d.values.size() && !InterlockedCompareExchange(&d.stop, 0, 0); ++i)
        d.found[i] = !d.values[i].empty() && detector.IsInstalled(d.values[i]);
    } catch (const std::exception& e) {
      d.failure = e.what();
    } catch (...) {
      d.failure = "Unknown error";
    }
    PostMessageW(d.window, kDetectionEnded, 0, 0);
    return 0;
  }
};

void TFTallimo::ScheduleDetection() {
  ++detectGeneration_;  // a detection running now answers for a catalogue that has changed
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
  if (HandleAllocated()) detectScheduled_ = SetTimer(Handle(), kDetectTimer, 0, nullptr) != 0;
}

LRESULT TFTallimo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kDetectTimer) {
    KillTimer(Handle(), kDetectTimer);
    detectScheduled_ = false;
    DetectInstalledPrograms();
    return 0;
  }
  if (msg == kDetectionEnded) {
    DetectionEnded();
    return 0;
  }
  return Form::WndProc(msg, wParam, lParam);
}

void TFTallimo::DetectInstalledPrograms() {
  if (detection_) {
    ++detectGeneration_;  // once it ends, it runs again
    return;
  }
  if (!HandleAllocated()) return;
  auto d = std::make_shared<Detection>(
      DetectSeams{seams_.probeFiles, seams_.registry, seams_.environment}, Handle(),
      detectGeneration_);
  for (const auto& entry : Cat.ProgramList) {
    d->entries.push_back(entry.get());
    d->values.push_back(entry->Detect);
  }
  d->found.assign(d->values.size(), 0);
  d->thread.Reset(CreateThread(nullptr, 0, &Detection::Run, d.get(), 0, nullptr));
  if (!d->thread)
    throw TallimoError("Installed programs cannot be looked for: " +
                       SystemErrorMessage(GetLastError()));
  detection_ = std::move(d);
}

void TFTallimo::DetectionEnded() {
  if (!detection_) return;
  const std::shared_ptr<Detection> d = std::move(detection_);
  WaitForSingleObject(d->thread.Get(), INFINITE);  // it has posted its last message
  if (!d->failure.empty())
    throw TallimoError("Installed programs could not be looked for: " + d->failure);
  bool same = d->generation == detectGeneration_ && d->entries.size() == Cat.ProgramList.size();
  for (size_t i = 0; same && i < d->entries.size(); ++i)
    same = d->entries[i] == Cat.ProgramList[i].get();
  if (!same) return DetectInstalledPrograms();
  Installed.Clear();
  for (size_t i = 0; i < d->entries.size(); ++i)
    if (d->found[i]) Installed.SetMarked(d->entries[i], true);
  // Default marks of installed programs go, unless the person has changed the marks since.
  if (defaultMarks_) {
    defaultMarks_ = false;
    for (size_t i = 0; i < d->entries.size(); ++i)
      if (d->found[i]) Marks.SetMarked(d->entries[i], false);
    ShowMarks();
  }
  ListBox1.Invalidate();
  // The pane of the program shown says so too.
  if (ListBox1.Selection().Top >= 0 && !Cat.ProgramList.empty()) {
    if (TTallimoProg* entry = SelectedEntry()) ShowProgramDetails(FindProgramIndex(entry->Name));
  }
}

void TFTallimo::StopDetection() {
  if (!detection_) return;
  InterlockedExchange(&detection_->stop, 1);
  WaitForSingleObject(detection_->thread.Get(), INFINITE);
  detection_.reset();
}

void TFTallimo::DrawInstalledMark(HDC dc, const TTallimoProg* entry, const RECT& rect) {
  if (!entry || !Installed.IsMarked(entry)) return;
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
