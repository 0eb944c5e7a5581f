#pragma once
// View NFO: the selected entry's NFO file loaded into the viewer and shown beside the menu.
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/program_selection.h"
#include "platform/files.h"
#include "platform/prompter.h"
#include "platform/screen.h"

namespace tallimo {

// The viewer as the command sees it (TFTallimonfo on Windows).
class NfoView {
 public:
  virtual ~NfoView() = default;
  // The outer size, in pixels; the position stays.
  virtual void SetViewerSize(int width, int height) = 0;
  virtual int FontPoints() const = 0;
  virtual void SetFontPoints(int points) = 0;
  // Replaces the shown text. Throws when the text box cannot take it.
  virtual void SetText(const std::string& text) = 0;
  // Status panel 0 (the NFO path) and panel 1 (the font text, rebuilt by the viewer).
  virtual void SetStatus(const std::string& nfoPath) = 0;
  // Shows the viewer without blocking, or brings it to the front where it stands.
  virtual void ShowViewer() = 0;
};

struct ViewNfoSeams {
  FileSystem& files;
  Prompter& prompter;
  Screen& screen;
};

// BtnNFOClick: warns when no row is selected; a row that names no entry does nothing. The
// viewer is sized from the screen first, so a file that cannot be opened leaves it resized
// (and at 11 points above a scale factor of 1) but not shown, with its previous text.
void ViewNfo(ProgramSelection& selection, const TProgramList& programs, ViewNfoSeams seams,
             double scaleFactor, NfoView& view);

}  // namespace tallimo
