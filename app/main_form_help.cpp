// The Help menu of the main window: the help contents and the About box.
#include "app/about_box.h"
#include "app/main_form.h"
#include "ui/application.h"

namespace tallimo {

void TFTallimo::InitHelpCommands() {
  Contents1->OnClick = [this] { Contents1Click(); };
  About1->SetEnabled(true);
  About1->OnClick = [this] { Help1Click(); };
}

void TFTallimo::Help1Click() {
  if (FTallimoabout) FTallimoabout->ShowFor(Cat.CreatedBy, Cat.WriteDate, Cat.NoteLines);
}

void TFTallimo::Contents1Click() {
  ui::App().HelpContext(1);
}

}  // namespace tallimo
