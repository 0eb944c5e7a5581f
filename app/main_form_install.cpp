// The install commands of the main window: Install and Install & Close (buttons, pop-up items,
// Enter and a double click on the list), run by the install runner for the selected program, or
// by the install queue for the marked ones.
#include "app/main_form.h"
#include "app/main_window_selection.h"
#include "install/install_plan.h"
#include "install/install_progress.h"
#include "install/install_runner.h"
#include "install/resume_record.h"

namespace tallimo {

namespace {

// Runs `command` of an install runner over the main window's selection and seams.
TInstallResult RunInstall(TFTallimo& form, MainWindowSeams& seams,
                          TInstallResult (InstallRunner::*command)()) {
  MainWindowSelection selection(form);
  InstallRunner runner(
      {seams.environment, seams.shell, seams.files, seams.prompter, seams.random, seams.locale},
      selection, form.Cat.ProgramList, form.InstallScript,
      [&seams] { return seams.dialogs.drive.ChooseDrive(); }, [&form] { form.Close(); });
  return (runner.*command)();
}

}  // namespace

void TFTallimo::InitInstallCommands() {
  for (ui::Button* button : {&BtnInstClose, &BtnInstall}) button->SetEnabled(true);
  for (ui::MenuItem* item : {ppInstallClose1, ppInstall1}) item->SetEnabled(true);
  BtnInstClose.OnClick = [this] { BtnInstCloseClick(); };
  ppInstallClose1->OnClick = [this] { BtnInstCloseClick(); };
  ListBox1.OnDblClick = [this] { BtnInstCloseClick(); };
  BtnInstall.OnClick = [this] { BtnInstallClick(); };
  ppInstall1->OnClick = [this] { BtnInstallClick(); };
  ppMarkForInstall1->OnClick = [this] { ppMarkForInstall1Click(); };
  ppMarkAll1->OnClick = [this] { ppMarkAll1Click(); };
  ppClearMarks1->OnClick = [this] { ppClearMarks1Click(); };
  PopupMenu1.OnPopup = [this] {
    const int row = ListBox1.Selection().Top;
    ppMarkForInstall1->SetChecked(row >= 0 &&
                                  RowMarked(MarksWithRules(), rows_, static_cast<size_t>(row)));
    UpdatePresetMenu();
  };
  ListBox1.OnChar = [this](char32_t c) {
    if (ListBox1TypeAhead(c)) return true;
    if (c != U' ') return false;
    ToggleSelectedMarks();
    return true;
  };
  ListBox1.OnCtrlClick = [this](int) { ToggleSelectedMarks(); };
}

void TFTallimo::ppMarkForInstall1Click() {
  // A header is selected as a row here: it marks its category.
  if (!tallimo::HasSelection(ListBox1.Selection().Top, true, seams_.prompter)) return;
  ToggleSelectedMarks();
}

void TFTallimo::ppMarkAll1Click() {
  defaultMarks_ = false;
  // Every row's program (the rows shown): of entries that share a name, the one its row stands
  // for.
  MarksWithRules().MarkAll(ShownEntries());
  ShowMarks();
}

void TFTallimo::ppClearMarks1Click() {
  defaultMarks_ = false;
  // Under the filter, only the rows shown.
  if (FilterOn()) {
    RuleMarks marks = MarksWithRules();
    for (const TTallimoProg* entry : ShownEntries()) marks.Unmark(entry);
  } else {
    Marks.Clear();
  }
  ShowMarks();
}

void TFTallimo::ShowMarks() {
  const std::string heading = ListHeading(Marks.Count());
  if (LabelSelect.Caption() != heading) LabelSelect.SetCaption(heading);
  ShowFilterCount();
  ListBox1.Invalidate();
}

bool TFTallimo::NotForThisComputer(const TTallimoProg* entry) {
  const size_t i = Rules.IndexOf(entry);
  if (!entry || i == Rules.Size() || Rules.Applicable(i)) return false;
  seams_.prompter.MessageDlg(
      entry->Name + " is not for this computer: it needs " + Rules.Needs(i) + ".",
      TMsgDlgType::mtWarning);
  return true;
}

void TFTallimo::BtnInstallClick() {
  if (!Marks.Empty()) return InstallMarked(false);
  if (NotForThisComputer(SelectedEntry())) return;
  if (TTallimoProg* entry = SelectedEntry(); entry && Installed.IsMarked(entry))
    if (!ConfirmReinstall({entry})) return;
  RunInstall(*this, seams_, &InstallRunner::Install);
  ScheduleDetection();
}

void TFTallimo::BtnInstCloseClick() {
  if (!Marks.Empty()) return InstallMarked(true);
  if (NotForThisComputer(SelectedEntry())) return;  // the menu stays open
  if (TTallimoProg* entry = SelectedEntry(); entry && Installed.IsMarked(entry))
    if (!ConfirmReinstall({entry})) return;
  RunInstall(*this, seams_, &InstallRunner::InstallAndClose);
}

void TFTallimo::InstallMarked(bool thenClose) {
  const InstallPlan plan = PlanInstall(
      {Cat.ProgramList,
       PickedInOrder(Cat.ProgramList, [this](const TTallimoProg& e) { return Marks.IsMarked(&e); }),
       {TInstalledRule::irAsk, &seams_.locale.OemCodePage(), &Rules},
       [this](const TTallimoProg& e) { return Installed.IsMarked(&e); },
       [this](const std::vector<const TTallimoProg*>& installed) {
         return ConfirmReinstall(installed);
       },
       [this] { return seams_.dialogs.drive.ChooseDrive(); },
       [this](const StringList& leftOut) {
         seams_.prompter.MessageDlg(LeftOutText(leftOut), TMsgDlgType::mtWarning);
       }});
  if (!plan.refusal.empty()) {
    seams_.prompter.MessageDlg(plan.refusal, TMsgDlgType::mtError);  // nothing runs
    return;
  }
  // Nothing to run, or the drive question was left: nothing runs.
  if (plan.rows.empty() || plan.noDrive) return;
  TFTallimoQueue progress(
      {QueueSeamsOf(seams_, &seams_.elevated), seams_.shell, seams_.prompter, seams_.restarter},
      plan.rows, Cat.IniFileName);
  InstallQueue& queue = progress.Queue();
  queue.HandOverDrive = plan.drive;
  // The queue restarts before the next program where an entry asks for it, and goes on after
  // any restart from its record.
  queue.RestartsAllowed = true;
  std::optional<RecordSeams> recordSeams;
  if (seams_.resume && seams_.hasher) {
    recordSeams.emplace(
        RecordSeams{*seams_.resume, seams_.files, *seams_.hasher, seams_.locale.AnsiCodePage()});
    ResumeRecord record;
    record.cataloguePath = Cat.IniFileName;
    record.drive = plan.drive;
    PrepareRecord(queue, std::move(record), *recordSeams);
  }
  // The elevated copy reads the catalogue on disk: unsaved changes are saved first, or the rest
  // is not started.
  queue.ConfirmHandOver = [this] {
    if (!Cat.Modified) return true;
    bool canClose = true;
    FormCloseQuery(canClose);
    return !Cat.Modified;
  };
  // Restarting closes the menu: unsaved changes are asked about first. Saved, the catalogue is
  // sealed again for the record.
  progress.OnConfirmRestart = [this, &queue, &recordSeams] {
    bool canClose = true;
    FormCloseQuery(canClose);
    if (canClose && recordSeams) ResealRecord(queue, *recordSeams);
    return canClose;
  };
  progress.Execute();
  // What installed is done; what did not stays marked for another try.
  for (size_t i = 0; i < plan.entries.size(); ++i)
    if (CountsAsInstalled(progress.Queue().Row(i).state)) Marks.SetMarked(plan.entries[i], false);
  ShowMarks();
  DetectInstalledPrograms();
  if (thenClose) Close();
}

}  // namespace tallimo
