#pragma once
// The NFO viewer, FTallimonfo: an NFO file shown read-only in the OEM "Terminal" font beside the
// menu, with buttons to copy it, open it in Notepad, enlarge or reduce the font, and close.
// Created once and reused: closing hides it, and its text, font size and position stay.
#include <string>

#include "platform/clipboard.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/status_bar.h"
#include "viewers/view_nfo.h"

namespace tallimo {

// The viewer's text box. It shows the file's bytes as the DOS code page's characters, and gives
// them back as they are to whoever reads its text (Copy, or another program asking the window
// for its text): the text is the file's, unconverted; only the glyphs are the DOS ones.
class NfoMemo : public ui::Memo {
 public:
  // Throws when the text box cannot take the text.
  void SetBytes(const std::string& bytes);
  const std::string& Bytes() const { return bytes_; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string bytes_;
};

class TFTallimonfo : public ui::Form, public NfoView {
 public:
  TFTallimonfo(Clipboard& clipboard, Shell& shell, Prompter& prompter);
  ~TFTallimonfo() override;

  // Controls, in tab order.
  ui::Panel Panel1;
  ui::Button BitBtn5, BitBtn4, BitBtn3, BitBtn2, BitBtn1;
  NfoMemo Memo1;
  ui::StatusBar StatusBar1;

  // Handlers.
  void BitBtn1Click();  // Increase font
  void BitBtn2Click();  // Reduce font
  void BitBtn3Click();  // Copy
  void BitBtn4Click();  // Open in Notepad
  void BitBtn5Click();  // Close
  void FormResize();

  // What View NFO asks of the viewer.
  void SetViewerSize(int width, int height) override;
  int FontPoints() const override { return fontPoints_; }
  void SetFontPoints(int points) override;
  void SetText(const std::string& text) override;
  void SetStatus(const std::string& nfoPath) override;
  void ShowViewer() override;

 protected:
  // The memo's font at its designed size, in the face this system has.
  void FormCreate() override;

 private:
  void ShowFontText();
  Clipboard& clipboard_;
  Shell& shell_;
  Prompter& prompter_;
  int fontPoints_;
};

extern TFTallimonfo* FTallimonfo;

// The face the memo is drawn with: "Terminal" in the OEM character set where the system has
// it, otherwise the first fixed-pitch OEM face, otherwise empty (the font mapper's choice of a
// fixed-pitch OEM font).
std::string NfoScreenFace();

}  // namespace tallimo
