#include "ui/application.h"

#include <stdexcept>

#include "ui/form.h"

namespace tallimo::ui {

Application::Application()
    : prompter_(&HostPrompter()), help_(&HostHelpEngine()), screen_(&HostScreen()) {}

Application& App() {
  static Application app;
  return app;
}

void Application::SetPrompter(Prompter* p) {
  prompter_ = p ? p : &HostPrompter();
}
void Application::SetHelpEngine(HelpEngine* h) {
  help_ = h ? h : &HostHelpEngine();
}
void Application::SetScreen(Screen* s) {
  screen_ = s ? s : &HostScreen();
}

void Application::ShowException(const std::string& message) {
  prompter_->ShowErrorReport(message);
}

void Application::HandleCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

bool Application::ProcessMessage(bool wait) {
  MSG msg;
  if (wait) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      terminated_ = true;
      return false;
    }
  } else {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      return false;
    }
  }
  // The keys of the form the message is for (Tab, Enter for the default button, Escape for
  // the cancel button, accelerator letters) go through the dialog manager.
  if (msg.hwnd) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* form = dynamic_cast<Form*>(WinControl::FromHandle(root));
    // Alt and a letter: first the labels and pages of the form, which the dialog manager
    // does not know.
    if (form && msg.message == WM_SYSCHAR && form->DialogKey(static_cast<char>(msg.wParam)))
      return true;
    if (form && IsDialogMessageA(root, &msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

void Application::ProcessMessages() {
  while (ProcessMessage(false)) {
  }
}

void Application::Terminate() {
  if (!terminated_) PostQuitMessage(exitCode_);
  terminated_ = true;
}

void Application::Restart() {
  terminated_ = false;
}

int Application::Run() {
  if (MainForm) {
    try {
      MainForm->Show();
    } catch (...) {
      HandleCurrentException();
    }
  }
  while (!terminated_) ProcessMessage(true);
  if (!HelpFile.empty()) help_->Quit(HelpFile);
  return exitCode_;
}

void Application::HelpContext(int context) {
  help_->ShowContext(HelpFile, context);
}

}  // namespace tallimo::ui
