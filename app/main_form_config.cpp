// The configuration commands of the main window's Config menu (General Info, Read INI File,
// Write INI File, Write INI As) and the question about unsaved changes on every closing.
#include "app/main_form.h"
#include "catalogue/config_commands.h"

namespace tallimo {

namespace {

ConfigCommands Config(MainWindowSeams& seams, TFTallimo& form) {
  return ConfigCommands(
      {seams.files, seams.locale, seams.clock, seams.prompter, seams.dialogs.generalInfo}, form.Cat,
      {[&form] {
         form.Marks.Clear();  // another catalogue: only its Default=1 programs are marked
         form.RefreshAfterChange();
         form.MarkDefaultPrograms();
       },
       [&form](const std::string& title) { form.SetCaption(title); }});
}

}  // namespace

void TFTallimo::InitConfigCommands() {
  for (ui::MenuItem* item : {N3, ReadINIFile1, WriteINIFile1, EditINIFile1}) item->SetEnabled(true);
  N3->OnClick = [this] { N3Click(); };
  ReadINIFile1->OnClick = [this] { ReadINIFile1Click(); };
  WriteINIFile1->OnClick = [this] { WriteINIFile1Click(); };
  EditINIFile1->OnClick = [this] { EditINIFile1Click(); };
  Exit1->OnClick = [this] { BtnCloseClick(); };
  // Every way of closing (Close, Exit, the close box, Install & Close) comes through Close.
  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
}

void TFTallimo::N3Click() {
  Config(seams_, *this).GeneralInfo();
}

void TFTallimo::ReadINIFile1Click() {
  Config(seams_, *this).ReadIniFile();
}

void TFTallimo::WriteINIFile1Click() {
  Config(seams_, *this).WriteIniFile();
}

void TFTallimo::EditINIFile1Click() {
  Config(seams_, *this).WriteIniAs();
}

void TFTallimo::FormCloseQuery(bool& canClose) {
  canClose = Config(seams_, *this).CloseQuery();
}

}  // namespace tallimo
