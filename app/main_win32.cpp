// Tallimo.exe: sets the application's title and help file, creates the six windows hidden, in
// order (the first is the main window), and runs the event loop until the main window closes.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/dialog_forms.h"
#include "app/main_form.h"
#include "install/drive_dialog.h"
#include "ui/application.h"

using namespace tallimo;

namespace {
// The folder of the program, with its final "\".
std::string ProgramFolder() {
  char path[MAX_PATH * 2] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string p = path;
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  ui::Application& app = ui::App();
  app.Title = "Tallimo Menu/Install System";
  // Beside the program, so that it is found wherever the disc is.
  app.HelpFile = ProgramFolder() + "Tallimo.hlp";

  auto mainForm = std::make_unique<TFTallimo>(HostMainWindowSeams());
  FTallimo = mainForm.get();
  auto add = std::make_unique<TFTallimoadd>();
  auto about = std::make_unique<TFTallimoabout>();
  auto nfo = std::make_unique<TFTallimonfo>();
  auto info = std::make_unique<TFTallimoinfo>();
  auto drive = std::make_unique<TFTallimodrive>();
  FTallimoadd = add.get();
  FTallimoabout = about.get();
  FTallimonfo = nfo.get();
  FTallimoinfo = info.get();
  FTallimodrive = drive.get();
  // An error in one window's creation is reported and the others are still created.
  ui::Form* forms[] = {FTallimo,    FTallimoadd,  FTallimoabout,
                       FTallimonfo, FTallimoinfo, FTallimodrive};
  for (ui::Form* form : forms) {
    try {
      form->Create();  // the main window's FormCreate runs here, before any dialog exists
    } catch (...) {
      app.HandleCurrentException();
    }
  }
  return app.Run();
}
