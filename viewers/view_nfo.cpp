#include "viewers/view_nfo.h"

#include "viewers/nfo_text.h"

namespace tallimo {

void ViewNfo(ProgramSelection& selection, const TProgramList& programs, ViewNfoSeams seams,
             double scaleFactor, NfoView& view) {
  if (!selection.HasSelection(true)) return;
  const int index = selection.SelectedIndex();
  if (index < 0 || static_cast<size_t>(index) >= programs.size()) return;
  const std::string& path = programs[static_cast<size_t>(index)]->NfoPath;

  const NfoViewerSize size = NfoViewerSizeFor(seams.screen.Width(), seams.screen.Height());
  view.SetViewerSize(size.width, size.height);
  // Only a change of size makes a new font (which lays the previous text out again).
  const int points = NfoOpeningPoints(view.FontPoints(), scaleFactor);
  if (points != view.FontPoints()) view.SetFontPoints(points);
  // The path as stored: a relative one is the system's to resolve against the current folder.
  std::string bytes;
  if (!seams.files.ReadWholeFile(path, bytes)) {
    seams.prompter.MessageDlg(NfoOpenFailedMessage(path), TMsgDlgType::mtError);
    return;
  }
  view.SetText(NfoDisplayText(bytes));  // a text the box cannot take goes to the error report
  view.SetStatus(path);
  view.ShowViewer();
}

}  // namespace tallimo
