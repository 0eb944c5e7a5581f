#include "ui/application.h"

#include <stdexcept>

#include "platform/failure_report.h"
#include "platform/wide.h"
#include "ui/form.h"

namespace tallimo::ui {

Application::Application()
    : prompter_(&HostPrompter()), help_(&HostHelpEngine()), screen_(&HostScreen()) {
  // What platform/'s window procedures catch comes to the error report too, unless a
  // windowless run has its own place for it.
  if (!CurrentFailureReport())
    SetFailureReport([](const std::string& message) { App().ShowException(message); });
}

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

namespace {
constexpr wchar_t kWindowClass[] = L"TallimoApplication";
constexpr UINT kActivateMainForm = WM_APP + 1;
}  // namespace

HWND Application::Handle() {
  if (handle_) return handle_;
  WNDCLASSW wc{};
  wc.lpfnWndProc = &Application::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kWindowClass;
  RegisterClassW(&wc);  // fails harmlessly when already registered
  // Placed at the centre of the screen with no size: the task bar button is all there is.
  handle_ = CreateWindowExW(0, kWindowClass, Widen(Title).c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, wc.hInstance, nullptr);
  return handle_;
}

namespace {
struct HiddenWindows {
  HWND application;
  std::vector<HWND>* hidden;
};

BOOL CALLBACK HideShown(HWND hwnd, LPARAM p) {
  auto* windows = reinterpret_cast<HiddenWindows*>(p);
  if (hwnd != windows->application && IsWindowVisible(hwnd)) {
    ShowWindow(hwnd, SW_HIDE);
    windows->hidden->push_back(hwnd);
  }
  return TRUE;
}
}  // namespace

void Application::Minimize() {
  if (!Handle() || IsIconic(handle_)) return;
  // The program's windows go with the button (the system does not hide windows that are
  // owned only through the main form), and come back with it.
  HiddenWindows windows{handle_, &hiddenByMinimize_};
  EnumThreadWindows(GetCurrentThreadId(), &HideShown, reinterpret_cast<LPARAM>(&windows));
  ShowWindow(handle_, SW_MINIMIZE);
}

void Application::Restore() {
  if (!Handle()) return;
  ShowWindow(handle_, SW_RESTORE);
  for (HWND h : hiddenByMinimize_)
    if (IsWindow(h)) ShowWindow(h, SW_SHOWNA);
  hiddenByMinimize_.clear();
  ActivateMainForm();
}

void Application::ActivateMainForm() {
  if (!MainForm || !MainForm->HandleAllocated()) return;
  HWND target = MainForm->Handle();
  // A modal dialog keeps the activation while it is up.
  HWND popup = GetLastActivePopup(target);
  if (popup && IsWindowVisible(popup) && IsWindowEnabled(popup)) target = popup;
  if (IsWindowVisible(target)) SetForegroundWindow(target);
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Application& app = App();
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          app.Minimize();
          return 0;
        case SC_RESTORE:
          app.Restore();
          return 0;
        case SC_CLOSE:
          // The task bar's Close closes the main window, with its question.
          if (app.MainForm && app.MainForm->HandleAllocated())
            PostMessageW(app.MainForm->Handle(), WM_CLOSE, 0, 0);
          return 0;
      }
      break;
    case WM_ACTIVATE:
      // The application's window has nothing to work in: the main form takes the activation.
      if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd))
        PostMessageW(hwnd, kActivateMainForm, 0, 0);
      break;
    case kActivateMainForm:
      if (!IsIconic(hwnd)) app.ActivateMainForm();
      return 0;
    case WM_CLOSE:
      return 0;  // only the main form ends the program
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
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
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      terminated_ = true;
      return false;
    }
  } else {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
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
    if (form && msg.message == WM_SYSCHAR && form->DialogKey(static_cast<wchar_t>(msg.wParam)))
      return true;
    if (form && msg.message == WM_KEYDOWN && form->ShortCut(static_cast<int>(msg.wParam)))
      return true;
    if (form && IsDialogMessageW(root, &msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
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
      // The task bar button first, then the main form over it.
      if (Handle()) ShowWindow(handle_, SW_SHOWNOACTIVATE);
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
