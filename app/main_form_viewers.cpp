// The reading aids of the main window: Copy Serial (button and popup item).
#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "ui/application.h"
#include "viewers/serial_copy.h"

namespace tallimo {

void TFTallimo::InitViewerCommands() {
  BtnSerial.OnClick = [this] { BtnSerialClick(); };
  ppCopySerial1->OnClick = [this] { BtnSerialClick(); };
}

void TFTallimo::BtnSerialClick() {
  MainWindowSelection selection(*this);
  CopySerial(selection, Cat.ProgramList, seams_.clipboard, ui::App().GetPrompter());
}

}  // namespace tallimo
