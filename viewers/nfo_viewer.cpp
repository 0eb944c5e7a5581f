#include "viewers/nfo_viewer.h"

#include <windows.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/wide.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/gdi.h"
#include "viewers/nfo_text.h"

namespace tallimo {

TFTallimonfo* FTallimonfo = nullptr;

namespace {

int CALLBACK NoteFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM found) {
  auto* face = reinterpret_cast<std::string*>(found);
  if ((font->lfPitchAndFamily & 3) != FIXED_PITCH) return 1;  // go on
  *face = Narrow(font->lfFaceName);
  return 0;
}

std::string FindOemFace(const char* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = OEM_CHARSET;
  lstrcpynW(wanted.lfFaceName, Widen(face).c_str(), LF_FACESIZE);
  std::string found;
  const ui::WindowDC screen(nullptr);
  EnumFontFamiliesExW(screen.Get(), &wanted, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

// The memo holds the file's bytes as the characters of the DOS (OEM) code page, which are the
// glyphs the OEM "Terminal" font gives them, so that the art shows alike in every font that
// has those characters; they convert back to the same bytes.
// One UTF-16 character per byte, in the code page given (both are single-byte code pages).
std::wstring BytesToWide(UINT codePage, const std::string& bytes) {
  std::wstring wide(bytes.size(), L'\0');
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<size_t>(n > 0 ? n : 0));
  return wide;
}
std::wstring OemToWide(const std::string& bytes) {
  return BytesToWide(CP_OEMCP, bytes);
}
std::wstring AnsiToWide(const std::string& bytes) {
  return BytesToWide(CP_ACP, bytes);
}

}  // namespace

std::string NfoScreenFace() {
  static const std::string face = [] {
    std::string terminal = FindOemFace(kNfoFontName);
    return terminal.empty() ? FindOemFace("") : terminal;
  }();
  return face;
}

TFTallimonfo::TFTallimonfo(Clipboard& clipboard, Shell& shell, Prompter& prompter)
    : clipboard_(clipboard), shell_(shell), prompter_(prompter), fontPoints_(kNfoDesignPoints) {
  Name = "FTallimonfo";
  SetCaption("Tallimo - NFO Viewer");
  BorderStyle = ui::TBorderStyle::bsSizeable;
  Position = ui::TPosition::poScreenCenter;
  SetFont(ui::FontOf("MS Sans Serif", 14));
  SetClientSize(640, 400);

  Panel1.Name = "Panel1";
  Panel1.SetParent(this);
  Panel1.SetBounds(0, 0, 640, 31);
  Panel1.SetAlign(ui::TAlign::alTop);
  Panel1.ShowHint = true;

  ui::PlaceButtons(Panel1, {{BitBtn5, "BitBtn5", "&Close", 0, 0, 92, 31, "Close the NFO viewer",
                             IDB_NFO_CLOSE, IDB_NFO_CLOSE_DISABLED},
                            {BitBtn4, "BitBtn4", "&Notepad", 92, 0, 93, 31,
                             "Open with Windows (if the filetype is defined)", IDB_NFO_NOTEPAD,
                             IDB_NFO_NOTEPAD_DISABLED},
                            {BitBtn3, "BitBtn3", "C&opy", 185, 0, 92, 31, "Copy to Clipboard",
                             IDB_NFO_COPY, IDB_NFO_COPY_DISABLED},
                            {BitBtn2, "BitBtn2", "", 544, 0, 33, 31, "Reduce Font Size",
                             IDB_NFO_SMALLER, IDB_NFO_SMALLER_DISABLED},
                            {BitBtn1, "BitBtn1", "", 577, 0, 34, 31, "Increase Font Size",
                             IDB_NFO_LARGER, IDB_NFO_LARGER_DISABLED}});
  BitBtn5.Default = true;
  DefaultButton = &BitBtn5;
  BitBtn1.OnClick = [this] { BitBtn1Click(); };
  BitBtn2.OnClick = [this] { BitBtn2Click(); };
  BitBtn3.OnClick = [this] { BitBtn3Click(); };
  BitBtn4.OnClick = [this] { BitBtn4Click(); };
  BitBtn5.OnClick = [this] { BitBtn5Click(); };

  StatusBar1.Name = "StatusBar1";
  StatusBar1.SetParent(this);
  StatusBar1.SetPanels({50});

  Memo1.Name = "Memo1";
  Memo1.SetParent(this);
  Memo1.SetAlign(ui::TAlign::alClient);
  Memo1.ReadOnly = true;
  Memo1.WordWrap = false;
  Memo1.ScrollBars = ui::TScrollStyle::ssBoth;
  ui::TFont memoFont;
  memoFont.name = kNfoFontName;
  memoFont.height = 15;  // 9 points at 120 pixels per inch
  memoFont.color = clBlack;
  memoFont.charset = OEM_CHARSET;
  memoFont.pitchAndFamily = FIXED_PITCH | FF_MODERN;
  Memo1.SetFont(memoFont);
  ActiveControl = &Memo1;  // the arrow and page keys scroll the text at once

  OnResize = [this] { FormResize(); };
}

TFTallimonfo::~TFTallimonfo() {
  DestroyHandle();  // before the controls go
  if (FTallimonfo == this) FTallimonfo = nullptr;
}

void TFTallimonfo::FormCreate() {
  SetFontPoints(fontPoints_);
}

void TFTallimonfo::SetViewerSize(int width, int height) {
  if (!HandleAllocated()) Create();
  SetBounds(Left(), Top(), width, height);
}

void TFTallimonfo::SetFontPoints(int points) {
  fontPoints_ = points;
  ui::TFont font = Memo1.Font();
  // The size in points on this screen; the face the system has (the status names the design's).
  font.name = NfoScreenFace();
  font.height = MulDiv(points, PixelsPerInch(), 72);
  Memo1.SetFont(font);
}

void TFTallimonfo::SetText(const std::string& text) {
  if (!HandleAllocated()) Create();
  Memo1.SetBytes(text);
}

void NfoMemo::SetBytes(const std::string& bytes) {
  // The text box takes as much as memory allows, not the system's default limit.
  SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
  if (!SetWindowTextW(Handle(), OemToWide(bytes).c_str()))
    throw TallimoError("Text exceeds memo capacity");
  bytes_ = bytes;
}

LRESULT NfoMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A Unicode window: the bytes as the Windows code page reads them, so that a program asking
  // in 8-bit characters gets exactly the file's bytes.
  if (msg == WM_GETTEXTLENGTH || msg == WM_GETTEXT) {
    const std::wstring wide = AnsiToWide(bytes_);
    if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(wide.size());
    if (wParam == 0) return 0;
    const size_t n = std::min<size_t>(wide.size(), static_cast<size_t>(wParam) - 1);
    auto* out = reinterpret_cast<wchar_t*>(lParam);
    std::copy_n(wide.data(), n, out);
    out[n] = L'\0';
    return static_cast<LRESULT>(n);
  }
  return ui::Memo::WndProc(msg, wParam, lParam);
}

void TFTallimonfo::SetStatus(const std::string& nfoPath) {
  StatusBar1.SetPanelText(0, nfoPath);
  ShowFontText();
}

void TFTallimonfo::ShowFontText() {
  StatusBar1.SetPanelText(1, NfoFontText(kNfoFontName, fontPoints_));
}

void TFTallimonfo::ShowViewer() {
  Show();
}

// A new font lays the whole text out again: it is made only when the size changes.
void TFTallimonfo::BitBtn1Click() {
  if (NfoIncreasedPoints(fontPoints_) != fontPoints_)
    SetFontPoints(NfoIncreasedPoints(fontPoints_));
  ShowFontText();
}

void TFTallimonfo::BitBtn2Click() {
  if (NfoReducedPoints(fontPoints_) != fontPoints_) SetFontPoints(NfoReducedPoints(fontPoints_));
  ShowFontText();
}

void TFTallimonfo::BitBtn3Click() {
  // Each byte is one character of the text box, so the selection's places are the bytes'.
  const std::string& text = Memo1.Bytes();
  DWORD start = 0, end = 0;
  SendMessageW(Memo1.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  // On the clipboard as the Windows code page reads them, so that its 8-bit form is exactly
  // the file's bytes, as the text box gives them.
  if (end > start && start < text.size()) {
    clipboard_.SetText(Narrow(AnsiToWide(text.substr(start, end - start))));
    return;
  }
  clipboard_.SetText(Narrow(AnsiToWide(text)));
  prompter_.MessageDlg(kNfoCopiedMessage, TMsgDlgType::mtInformation);
}

void TFTallimonfo::BitBtn4Click() {
  shell_.RunProgram("notepad", StatusBar1.PanelText(0), ui::App().Handle());
}

void TFTallimonfo::BitBtn5Click() {
  Close();
}

void TFTallimonfo::FormResize() {
  const NfoResizeLayout layout = NfoLayoutFor(ClientWidth(), Width());
  StatusBar1.SetPanels({layout.statusPanelWidth});
  BitBtn1.SetLeft(layout.increaseLeft);
  BitBtn2.SetLeft(layout.reduceLeft);
}

}  // namespace tallimo
