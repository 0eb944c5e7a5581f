// The Help menu of the main window: the help contents and the About box.
#include "app/main_form.h"
#include "ui/application.h"

namespace tallimo {

void TFTallimo::InitHelpCommands() {
  Contents1->OnClick = [this] { Contents1Click(); };
  About1->SetEnabled(true);
  About1->OnClick = [this] { Help1Click(); };
}

void TFTallimo::Help1Click() {
  seams_.dialogs.about.ShowFor(Cat.CreatedBy, Cat.WriteDate, Cat.NoteLines);
}

void TFTallimo::Contents1Click() {
  seams_.help.ShowContext(ui::App().HelpFile, 1);
}

}  // namespace tallimo
