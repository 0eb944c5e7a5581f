// The install commands of the main window. They come with the install runner; until then the
// buttons and popup items that run them are disabled.
#include "app/main_form.h"

namespace tallimo {

void TFTallimo::InitInstallCommands() {
  BtnInstClose.SetEnabled(false);
  BtnInstall.SetEnabled(false);
  ppInstallClose1->SetEnabled(false);
  ppInstall1->SetEnabled(false);
}

// Not built yet: the commands are disabled (a double click on the list does nothing).
void TFTallimo::BtnInstallClick() {}
void TFTallimo::BtnInstCloseClick() {}

}  // namespace tallimo
