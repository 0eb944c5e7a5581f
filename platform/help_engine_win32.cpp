#include <windows.h>

#include "platform/help_engine.h"

namespace tallimo {

namespace {
// The help window belongs to the active window of the program.
HWND HelpOwner() {
  HWND h = GetActiveWindow();
  return h ? h : GetDesktopWindow();
}

class WinHelpEngine : public HelpEngine {
 public:
  void ShowContext(const std::string& helpFile, int context) override {
    WinHelpA(HelpOwner(), helpFile.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
  }
  void SetPopupPos(const std::string& helpFile, int x, int y) override {
    WinHelpA(HelpOwner(), helpFile.c_str(), HELP_SETPOPUP_POS,
             static_cast<ULONG_PTR>(MAKELONG(x, y)));
  }
  void ShowPopup(const std::string& helpFile, int context) override {
    WinHelpA(HelpOwner(), helpFile.c_str(), HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context));
  }
  void Quit(const std::string& helpFile) override {
    WinHelpA(HelpOwner(), helpFile.c_str(), HELP_QUIT, 0);
  }
};
}  // namespace

HelpEngine& HostHelpEngine() {
  static WinHelpEngine engine;
  return engine;
}

}  // namespace tallimo
