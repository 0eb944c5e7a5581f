// The reading aids of the main window: View NFO and Copy Serial (buttons and popup items).
#include "app/main_form.h"
#include "app/main_window_selection.h"
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
  MainWindowSelection selection(*this);
  ViewNfo(selection, Cat.ProgramList, {seams_.files, seams_.prompter, seams_.screen}, ScaleFactor,
          seams_.dialogs.nfo);
}

void TFTallimo::BtnSerialClick() {
  MainWindowSelection selection(*this);
  CopySerial(selection, Cat.ProgramList, seams_.clipboard, seams_.prompter);
}

}  // namespace tallimo
