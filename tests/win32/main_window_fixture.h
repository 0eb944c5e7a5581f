#pragma once
// The base of the window tests' fixtures: fakes of every seam the main window and the
// application take, put into the application for a test and taken out after it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_form.h"
#include "fakes/event_log.h"
#include "fakes/fake_clipboard.h"
#include "fakes/fake_disc_files.h"
#include "fakes/fake_elevated_runner.h"
#include "fakes/fake_environment.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_help_engine.h"
#include "fakes/fake_installer_database.h"
#include "fakes/fake_locale.h"
#include "fakes/fake_log_files.h"
#include "fakes/fake_process_runner.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_restarter.h"
#include "fakes/fake_shell.h"
#include "fakes/fixed_clock.h"
#include "fakes/main_window_dialogs.h"
#include "install/random_source.h"
#include "platform/screen.h"
#include "platform/system_colors.h"
#include "ui/application.h"

namespace tallimo {

template <typename Base = ::testing::Test>
class MainWindowFixture : public Base {
 protected:
  void SetUp() override {
    ui::App().SetPrompter(&prompter);
    ui::App().SetHelpEngine(&help);
    ui::App().SetScreen(&screen);
    ui::App().Restart();
  }
  // The computer the catalogue's Windows and Arch keys are compared with.
  SystemInfo system{10, 0, 19045, TArch::arX64};
  void TearDown() override {
    form.reset();
    ui::App().ProcessMessages();
    ui::App().Restart();
    ui::App().SetPrompter(nullptr);
    ui::App().SetHelpEngine(nullptr);
    ui::App().SetScreen(nullptr);
  }
  // The main window on the fakes, created (its FormCreate has run), not shown.
  void CreateMainForm(const std::string& commandLine, const std::string& programPath) {
    form = std::make_unique<TFTallimo>(MainWindowSeams{files,
                                                       locale,
                                                       clock,
                                                       commandLine,
                                                       programPath,
                                                       clipboard,
                                                       environment,
                                                       shell,
                                                       prompter,
                                                       helpSeam ? *helpSeam : help,
                                                       screen,
                                                       random,
                                                       HostSystemColors(),
                                                       processes,
                                                       logFiles,
                                                       restarter,
                                                       elevated,
                                                       registry,
                                                       probeSeam ? *probeSeam : files,
                                                       discFiles,
                                                       installerDatabase,
                                                       dialogs.Dialogs(),
                                                       system});
    form->Create();
  }
  // The main window on the catalogue `text` at `path`, started from C:\Disc and shown.
  void ShowMainFormOn(const std::string& path, const std::string& text) {
    files.files[path] = text;
    CreateMainForm("\"C:\\Disc\\Tallimo.exe\" \"" + path + "\"", "C:\\Disc\\Tallimo.exe");
    form->Show();
    ui::App().ProcessMessages();
  }
  // Handles messages until the detection running (on its thread) has ended and shown its marks;
  // false when it takes longer than `limitMs`.
  bool WaitForDetection(DWORD limitMs = 10000) {
    const DWORD start = GetTickCount();
    for (;;) {
      ui::App().ProcessMessages();
      if (!form->DetectionRunning()) return true;
      if (GetTickCount() - start > limitMs) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
  }
  // A click in the middle of a row of the list, as the mouse gives it.
  void SelectRow(int row) {
    HWND list = form->ListBox1.Handle();
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    ui::App().ProcessMessages();
  }

  testing::FakePrompter prompter;
  testing::FakeHelpEngine help;
  HelpEngine* helpSeam = nullptr;   // another help engine for the main window than `help`
  FileSystem* probeSeam = nullptr;  // detection's probes, when not `files`
  testing::FakeClipboard clipboard;
  testing::FakeEnvironment environment;
  testing::EventLog launched;
  testing::FakeShell shell{launched};
  FixedScreen screen{96, 1280, 1024};
  testing::FakeFileSystem files;
  testing::FakeLocale locale;
  testing::FixedClock clock;
  TimeSeededRandom random;
  testing::FakeProcessRunner processes;
  testing::FakeLogFiles logFiles;
  testing::FakeRestarter restarter;
  testing::FakeElevatedRunner elevated;
  testing::FakeRegistry registry;
  testing::FakeDiscFiles discFiles{files};
  testing::FakeInstallerDatabase installerDatabase;
  // The dialogs a test puts in (dialogs.about = &about ...); none answers as cancelled.
  testing::MainWindowDialogSlots dialogs;
  std::unique_ptr<TFTallimo> form;
};

}  // namespace tallimo
