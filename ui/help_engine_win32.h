#pragma once
// The help engine on Windows: HTML Help for Tallimo.chm, WinHelp where only a .hlp file is there,
// and pop-up texts that live in the program.
#include <windows.h>

#include "platform/help_engine.h"
#include "platform/prompter.h"

namespace tallimo {

class HtmlHelpEngine : public HelpEngine {
 public:
  // `prompter` shows the box for a help file that is missing.
  explicit HtmlHelpEngine(Prompter& prompter) : prompter_(prompter) {}
  ~HtmlHelpEngine() override;
  HtmlHelpEngine(const HtmlHelpEngine&) = delete;
  HtmlHelpEngine& operator=(const HtmlHelpEngine&) = delete;

  // The topic file of `context` in the help window; the contents topic for 0 or a number
  // without a topic of its own.
  void ShowContext(const std::string& helpFile, int context) override;
  void SetPopupPos(const std::string& helpFile, int x, int y) override;
  // The pop-up text of `context` at the position set last: through HTML Help, or in a window
  // of our own where HTML Help shows none. A number without a pop-up text opens its topic.
  void ShowPopup(const std::string& helpFile, int context) override;
  // Closes every help window the program opened.
  void Quit(const std::string& helpFile) override;

  // The pop-up window of our own while it shows, else nullptr.
  HWND OwnPopup() const;

 private:
  using HtmlHelpWFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  // hhctrl.ocx from the system folder, loaded on first use; nullptr where it cannot be.
  HtmlHelpWFn HtmlHelp();

  Prompter& prompter_;
  HMODULE hhctrl_ = nullptr;  // owned: freed in the destructor
  HtmlHelpWFn htmlHelp_ = nullptr;
  bool triedHhctrl_ = false;
  bool usedWinHelp_ = false;
  std::string winHelpFile_;
  POINT popupPos_{0, 0};
  bool popupPosSet_ = false;
};

}  // namespace tallimo
