#include "catalogue/config_commands.h"

#include <new>
#include <optional>

#include "catalogue/catalogue_file.h"
#include "catalogue/date_text.h"
#include "catalogue/unread_lines.h"
#include "platform/error.h"

namespace tallimo {

FileDialogOptions OpenConfigDialogOptions(const std::string& folder) {
  FileDialogOptions o;
  o.title = "Tallimo - Open Config file...";
  o.filter = "INI files (*.ini)|*.ini|All Files|*";
  o.defaultExt = "ini";
  o.initialDir = folder;
  o.pathMustExist = true;
  o.fileMustExist = true;
  return o;
}

FileDialogOptions SaveConfigDialogOptions(const std::string& folder) {
  FileDialogOptions o;
  o.title = "Save Tallimo Config as...";
  o.filter = "INI Files|*.ini|All Files|*";
  o.defaultExt = "ini";
  o.initialDir = folder;
  o.overwritePrompt = true;
  o.hideReadOnly = true;
  return o;
}

std::string FolderPart(const std::string& path) {
  // "/" separates folders on Windows too, as it does for the backup's name.
  size_t end = path.find_last_of("\\:/");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string MainWindowTitle(const std::string& configCaption) {
  return configCaption.empty() ? "Tallimo" : "Tallimo - " + configCaption;
}

ConfigCommands::ConfigCommands(ConfigSeams seams, Catalogue& cat, ConfigViews views)
    : seams_(seams), cat_(cat), views_(std::move(views)) {}

void ConfigCommands::GeneralInfo() {
  GeneralInfoFields fields{cat_.ConfigCaption, cat_.CreatedBy, cat_.NoteLines};
  if (!seams_.generalInfo.Edit("Tallimo - " + cat_.WriteDate, fields)) return;
  cat_.ConfigCaption = std::move(fields.ConfigCaption);
  cat_.CreatedBy = std::move(fields.CreatedBy);
  cat_.NoteLines = std::move(fields.NoteLines);
  cat_.WriteDate = DateTimeText(seams_.clock.Now(), seams_.locale);
  cat_.Modified = true;
  if (views_.setTitle) views_.setTitle(MainWindowTitle(cat_.ConfigCaption));
}

void ConfigCommands::ReadIniFile() {
  if (cat_.Modified && !SaveOrDiscardChanges()) return;
  std::string path;
  if (!seams_.prompter.OpenFileDialog(OpenConfigDialogOptions(FolderPart(cat_.IniFileName)), path))
    return;
  const std::string previous = cat_.IniFileName;
  cat_.IniFileName = path;
  try {
    LoadCatalogue(cat_, seams_.files, seams_.locale);
  } catch (const TallimoError& e) {
    // Nothing was read: the catalogue in memory stays the one of the previous file.
    cat_.IniFileName = previous;
    seams_.prompter.ShowErrorReport(e.what());
    return;
  }
  cat_.Modified = false;
  if (views_.catalogueReplaced) views_.catalogueReplaced();
  if (views_.setTitle) views_.setTitle(MainWindowTitle(cat_.ConfigCaption));
}

bool ConfigCommands::WriteIniFile() {
  // The file about to be replaced may hold lines that the catalogue never took in; they are
  // dropped only when the user says so.
  const std::string& ini = cat_.IniFileName;
  std::optional<UnreadLines> unread;
  if (seams_.files.KindOf(ini) == TFileKind::fkFile) {
    try {
      unread = FindUnreadLines(ReadCatalogueFile(ini, seams_.files, seams_.locale).text);
    } catch (const TallimoError&) {
      // A file that cannot be read is not looked into; the save reports what it meets.
    } catch (const std::bad_alloc&) {
      // Nor is one too large to look into twice.
    }
  }
  if (unread &&
      seams_.prompter.MessageDlgWithDefault(
          UnreadLinesText(ini, *unread) + kDropUnreadQuestion, TMsgDlgType::mtConfirmation,
          {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, TMsgDlgBtn::mbNo) != TModalResult::mrYes)
    return false;
  return Save();
}

void ConfigCommands::WriteIniAs() {
  std::string path;
  if (!seams_.prompter.SaveFileDialog(SaveConfigDialogOptions(FolderPart(cat_.IniFileName)), path))
    return;
  // The dialog has asked before an existing file is overwritten. The menu keeps the new name
  // only once the catalogue is written there, so that a failed save leaves it on the catalogue
  // that was open.
  const std::string previous = cat_.IniFileName;
  cat_.IniFileName = path;
  if (!Save()) cat_.IniFileName = previous;
}

bool ConfigCommands::CloseQuery() {
  return !cat_.Modified || SaveOrDiscardChanges();
}

bool ConfigCommands::SaveOrDiscardChanges() {
  switch (seams_.prompter.MessageDlg(kUnsavedChangesQuestion, TMsgDlgType::mtConfirmation,
                                     {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel})) {
    case TModalResult::mrYes:
      return WriteIniFile();
    case TModalResult::mrNo:
      return true;
    default:
      return false;
  }
}

bool ConfigCommands::Save() {
  const TCatalogueEncoding read = cat_.Encoding;
  if (read == TCatalogueEncoding::ceAnsi) {
    if (auto found = FindUnstorableCharacter(cat_, seams_.locale.AnsiCodePage())) {
      if (seams_.prompter.MessageDlg(
              UnstorableCharacterText(cat_.IniFileName, *found) + kSaveAsUtf8Question,
              TMsgDlgType::mtConfirmation,
              {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != TModalResult::mrYes)
        return false;
      cat_.Encoding = TCatalogueEncoding::ceUtf8Mark;
    }
  }
  try {
    SaveCatalogue(cat_, seams_.files, seams_.locale, seams_.clock);
    return true;
  } catch (const TallimoError& e) {
    cat_.Encoding = read;  // not written: the file on disk is still in its encoding
    seams_.prompter.ShowErrorReport(e.what());
    return false;
  }
}

}  // namespace tallimo
