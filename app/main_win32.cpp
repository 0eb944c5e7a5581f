// Tallimo.exe: sets the application's title and help file, builds the seams and the six windows
// (the main window is the first to have a window), and runs the event loop until the main window
// closes. The one place where the real seams are chosen.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>

#include "app/about_box.h"
#include "app/command_line.h"
#include "app/main_form.h"
#include "app/unattended_win32.h"
#include "catalogue/general_info_dialog.h"
#include "editor/entry_dialog.h"
#include "install/drive_dialog.h"
#include "install/elevated_runner_win32.h"
#include "install/resume_record.h"
#include "platform/handle_win32.h"
#include "platform/probe_files.h"
#include "platform/system_info.h"
#include "platform/wide.h"
#include "ui/application.h"
#include "viewers/nfo_viewer.h"

using namespace tallimo;

#if defined(__GLIBCXX__)
// The runtime's default end for an uncaught exception prints "terminate called after ..." with the
// demangled type name. A window program has no console to show it on, and the demangler is a
// tenth of the program read from the disc: end without it (no exception leaves a window anyway).
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
#endif

namespace {
// The program's own full file path.
std::string ProgramPath() {
  wchar_t path[MAX_PATH * 2] = L"";
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return Narrow(path, static_cast<int>(length < std::size(path) ? length : 0));
}
// The folder of the program, with its final "\".
std::string ProgramFolder() {
  std::string p = ProgramPath();
  size_t slash = p.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : p.substr(0, slash + 1);
}

// /resume "<record>", as RunOnce starts it: Windows waits for each of those commands, so the
// resumed queue runs in a new process, which waits for this one (through the handle it
// inherits) before it sets the value again; this one returns at once.
int LaunchResumed(const std::string& record) {
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE, TRUE, 0))
    return 1;
  const OwnedHandle launcher(self);
  std::wstring command = L"\"" + Widen(ProgramPath()) + L"\" " + Widen(kResumeOption) + L" \"" +
                         Widen(record) + L"\" " +
                         Widen(std::to_string(reinterpret_cast<uintptr_t>(launcher.Get())));
  STARTUPINFOW startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &started))
    return 1;
  const OwnedHandle process(started.hProcess), thread(started.hThread);
  return 0;
}

// The resumed queue's side: the launcher's handle, waited for and closed.
void WaitForLauncher(const std::string& handle) {
  uintptr_t value = 0;
  for (char c : handle) {
    if (c < '0' || c > '9') return;
    value = value * 10 + static_cast<uintptr_t>(c - '0');
  }
  const OwnedHandle launcher(reinterpret_cast<HANDLE>(value));
  WaitForSingleObject(launcher.Get(), 60 * 1000);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The command line in UTF-8, split as it always was.
  const std::string commandLine = Narrow(GetCommandLineW());
  const std::vector<std::string> arguments = CommandLineArguments(commandLine);
  if (arguments.size() == 2 && arguments[0] == kResumeOption) return LaunchResumed(arguments[1]);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  ui::Application& app = ui::App();
  app.Title = "Tallimo Menu/Install System";
  // Beside the program, so that it is found wherever the disc is (HTML Help; Tallimo.hlp there
  // serves where Tallimo.chm is missing).
  app.HelpFile = ProgramFolder() + "Tallimo.chm";
  Prompter& prompter = HostPrompter();
  SystemColors& colors = HostSystemColors();
  app.SetPrompter(&prompter);
  app.SetHelpEngine(&HostHelpEngine());
  app.SetScreen(&HostScreen());
  ResumeStore& resume = HostResumeStore(ProgramPath());
  // The elevated copy of an install queue: no window but a restart's countdown, only the
  // programs handed over.
  if (std::optional<ElevatedArguments> elevated = ParseElevatedQueue(arguments)) {
    TimeSeededRandom names;
    return RunElevatedQueue(
        *elevated, {HostProcessRunner(), HostFileSystem(), HostEnvironment(), names, HostClock(),
                    HostLocale(), HostHasher(), HostRestarter(), &resume});
  }
  // A queue that goes on after a restart, or an unattended run (/install or /?): no main window.
  const bool resumed = arguments.size() == 3 && arguments[0] == kResumeOption;
  std::optional<UnattendedOptions> unattended = ParseUnattended(commandLine);
  if (resumed || unattended) {
    TimeSeededRandom names;
    std::unique_ptr<ConsoleOutput> console = ParentConsole();
    const UnattendedSeams seams{HostFileSystem(),
                                HostProbeFileSystem(),
                                HostRegistry(),
                                HostLocale(),
                                HostClock(),
                                HostEnvironment(),
                                names,
                                HostProcessRunner(),
                                HostLogFiles(),
                                prompter,
                                HostShell(),
                                HostRestarter(),
                                *console,
                                ProgramPath(),
                                HostSystemInfo(),
                                &resume,
                                &HostHasher()};
    if (!resumed) {
      SweepResumeCopies();
      return RunUnattended(*unattended, seams);
    }
    WaitForLauncher(arguments[2]);
    return RunResumed(arguments[1], seams);
  }
  SweepResumeCopies();

  // The six windows, each living until the program ends. The dialogs are made first, since
  // the main window takes them; each makes its window when it is first shown, so only the
  // main window's exists before the first paint.
  auto add = std::make_unique<TFTallimoadd>(prompter, colors);
  auto about = std::make_unique<TFTallimoabout>(colors);
  auto nfo = std::make_unique<TFTallimonfo>(HostClipboard(), HostShell(), prompter);
  auto info = std::make_unique<TFTallimoinfo>(colors);
  auto drive = std::make_unique<TFTallimodrive>(HostDrives(), colors);
  TimeSeededRandom batchNames;
  // Where a queued program asks for administrator rights: this program again, through the
  // shell's prompt.
  std::unique_ptr<ElevatedRunner> elevated =
      MakeShellElevatedRunner(ProgramPath(), "runas", HostFileSystem(), HostHasher(), HostLocale());
  auto mainForm = std::make_unique<TFTallimo>(MainWindowSeams{HostFileSystem(),
                                                              HostLocale(),
                                                              HostClock(),
                                                              commandLine,
                                                              ProgramPath(),
                                                              HostClipboard(),
                                                              HostEnvironment(),
                                                              HostShell(),
                                                              prompter,
                                                              app.GetHelpEngine(),
                                                              app.GetScreen(),
                                                              batchNames,
                                                              colors,
                                                              HostProcessRunner(),
                                                              HostLogFiles(),
                                                              HostRestarter(),
                                                              *elevated,
                                                              HostRegistry(),
                                                              HostProbeFileSystem(),
                                                              HostDiscFiles(),
                                                              HostInstallerDatabase(),
                                                              {*drive, *add, *info, *nfo, *about},
                                                              HostSystemInfo(),
                                                              &resume,
                                                              &HostHasher()});
  FTallimo = mainForm.get();
  FTallimoadd = add.get();
  FTallimoabout = about.get();
  FTallimonfo = nfo.get();
  FTallimoinfo = info.get();
  FTallimodrive = drive.get();
  // An error in the main window's creation is reported and the program goes on with what was
  // made.
  try {
    FTallimo->Create();  // FormCreate runs here, before any dialog has a window
  } catch (...) {
    app.HandleCurrentException();
  }
  const int exitCode = app.Run();
  mainForm.reset();  // before the dialogs it refers to
  return exitCode;
}
