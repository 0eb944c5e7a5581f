// The Help menu of the main window: the help contents and the About box.
#include "app/main_form.h"
#include "ui/application.h"

namespace tallimo {

void TFTallimo::InitHelpCommands() {
  Contents1->OnClick = [this] { Contents1Click(); };
}

void TFTallimo::Contents1Click() {
  ui::App().HelpContext(1);
}

}  // namespace tallimo
