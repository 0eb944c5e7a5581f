#pragma once
// The application: its title and help file, the seams the windows use (prompter, help engine,
// screen), the message loop, and the application-wide error report.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "platform/help_engine.h"
#include "platform/prompter.h"
#include "platform/prompter_rules.h"
#include "platform/screen.h"

namespace tallimo::ui {

class Form;

class Application {
 public:
  Application();
  // The text of the task-bar button and the error report's title.
  std::string Title = "Tallimo Menu/Install System";
  std::string HelpFile;

  Prompter& GetPrompter() { return *prompter_; }
  HelpEngine& GetHelpEngine() { return *help_; }
  Screen& GetScreen() { return *screen_; }
  // Seams: the host's by default; tests put fakes in.
  void SetPrompter(Prompter* p);
  void SetHelpEngine(HelpEngine* h);
  void SetScreen(Screen* s);

  // The error report: one box with the error icon, OK, and the message (an error that a
  // command did not handle). The program goes on with the next event.
  void ShowException(const std::string& message);
  // Called at dispatch for the exception in flight.
  void HandleCurrentException();

  // The main window: the first form created; closing it ends the loop.
  Form* MainForm = nullptr;
  // The application's own window (made on first use): it has no size and is never seen, but
  // it carries the title, so that the task bar shows one button with the application's title
  // for the whole program. The main form is owned by it; minimizing the main form minimizes
  // it, which hides every window of the program until its button restores them.
  HWND Handle();
  void Minimize();
  void Restore();
  // Shows the main form and runs the loop until it has closed. Returns the exit code.
  int Run();
  // Handles one message (waits for one when `wait`); false when the queue was empty or quit.
  bool ProcessMessage(bool wait);
  // Handles every message waiting now.
  void ProcessMessages();
  bool Terminated() const { return terminated_; }
  void Terminate();
  // Lets the loop run again after the main form has closed (tests create several).
  void Restart();

  // Help: shows the topic of `context` in the help file.
  void HelpContext(int context);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Gives the activation on to the window the user was working in.
  void ActivateMainForm();
  HWND handle_ = nullptr;
  std::vector<HWND> hiddenByMinimize_;
  Prompter* prompter_;
  HelpEngine* help_;
  Screen* screen_;
  bool terminated_ = false;
  int exitCode_ = 0;
};

Application& App();

}  // namespace tallimo::ui
