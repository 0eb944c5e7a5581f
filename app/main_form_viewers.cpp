// The reading aids of the main window: View NFO and Copy Serial (buttons and popup items).
#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "ui/application.h"
#include "viewers/nfo_viewer.h"
#include "viewers/serial_copy.h"
#include "viewers/view_nfo.h"

namespace tallimo {

void TFTallimo::InitViewerCommands() {
  BtnNFO.OnClick = [this] { BtnNFOClick(); };
  ppViewNFO1->OnClick = [this] { BtnNFOClick(); };
  BtnSerial.OnClick = [this] { BtnSerialClick(); };
  ppCopySerial1->OnClick = [this] { BtnSerialClick(); };
}

void TFTallimo::BtnNFOClick() {
  if (!FTallimonfo) return;  // a program without the viewer window
  MainWindowSelection selection(*this);
  ViewNfo(selection, Cat.ProgramList,
          {seams_.files, ui::App().GetPrompter(), ui::App().GetScreen()}, ScaleFactor,
          *FTallimonfo);
}

void TFTallimo::BtnSerialClick() {
  MainWindowSelection selection(*this);
  CopySerial(selection, Cat.ProgramList, seams_.clipboard, ui::App().GetPrompter());
}

}  // namespace tallimo
