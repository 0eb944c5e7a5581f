// The prompter on Windows: MessageBoxW with the system's standard buttons (in an English
// system they read "OK", "&Yes", "&No" and "Cancel"), and the common file dialogs.
#include <windows.h>
// after windows.h
#include <commdlg.h>

#include <algorithm>
#include <iterator>

#include "platform/prompter.h"
#include "platform/prompter_rules.h"
#include "platform/wide.h"

namespace tallimo {

namespace {

bool Has(const std::vector<TMsgDlgBtn>& buttons, TMsgDlgBtn b) {
  return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
}

// A message box with Yes and No but no Cancel has no Escape answer of its own: this filter
// makes Escape press No, as the rules want.
HHOOK g_escapeHook = nullptr;
LRESULT CALLBACK EscapeToNo(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
    HWND box = GetAncestor(msg->hwnd, GA_ROOT);
    HWND no = box ? GetDlgItem(box, IDNO) : nullptr;
    if (no && !GetDlgItem(box, IDCANCEL)) {
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(no));
      return 1;
    }
  }
  return CallNextHookEx(g_escapeHook, code, wParam, lParam);
}

UINT IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return MB_ICONWARNING;
    case TMsgDlgType::mtError:
      return MB_ICONERROR;
    case TMsgDlgType::mtInformation:
      return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation:
      return MB_ICONQUESTION;
  }
  return 0;
}

TModalResult AnswerOf(int id) {
  switch (id) {
    case IDOK:
      return TModalResult::mrOK;
    case IDCANCEL:
      return TModalResult::mrCancel;
    case IDYES:
      return TModalResult::mrYes;
    case IDNO:
      return TModalResult::mrNo;
    case IDRETRY:
      return TModalResult::mrRetry;
  }
  return TModalResult::mrNone;
}

int Box(const std::string& text, const char* title, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) flags |= MB_TASKMODAL;
  return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), flags);
}

// "A|b|C|d" -> "A\0b\0C\0d\0\0" as the file dialogs take it.
std::wstring FilterText(const std::string& filter) {
  std::wstring s = Widen(filter);
  std::replace(s.begin(), s.end(), L'|', L'\0');
  s.push_back(L'\0');
  s.push_back(L'\0');
  return s;
}

bool FileDialog(const FileDialogOptions& o, std::string& path, bool save) {
  wchar_t buffer[MAX_PATH * 4] = {};
  lstrcpynW(buffer, Widen(path).c_str(), static_cast<int>(std::size(buffer)));
  const std::wstring filter = FilterText(o.filter);
  const std::wstring title = Widen(o.title), defaultExt = Widen(o.defaultExt),
                     initialDir = Widen(o.initialDir);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = o.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = static_cast<DWORD>(std::size(buffer));
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (o.pathMustExist) ofn.Flags |= OFN_PATHMUSTEXIST;
  if (o.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (o.overwritePrompt) ofn.Flags |= OFN_OVERWRITEPROMPT;
  if (o.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
  if (o.noNetworkButton) ofn.Flags |= OFN_NONETWORKBUTTON;
  if (o.noDereferenceLinks) ofn.Flags |= OFN_NODEREFERENCELINKS;
  if (o.noTestFileCreate) ofn.Flags |= OFN_NOTESTFILECREATE;
  BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  path = Narrow(buffer);
  return true;
}

class Win32Prompter : public Prompter {
 public:
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                          const std::vector<TMsgDlgBtn>& buttons) override {
    // The rules' default: OK when present, else Yes.
    bool ok = Has(buttons, TMsgDlgBtn::mbOK) || !Has(buttons, TMsgDlgBtn::mbYes);
    return MessageDlgWithDefault(text, type, buttons, ok ? TMsgDlgBtn::mbOK : TMsgDlgBtn::mbYes);
  }

  TModalResult MessageDlgWithDefault(const std::string& text, TMsgDlgType type,
                                     const std::vector<TMsgDlgBtn>& buttons,
                                     TMsgDlgBtn defaultButton) override {
    bool yes = Has(buttons, TMsgDlgBtn::mbYes), no = Has(buttons, TMsgDlgBtn::mbNo);
    bool cancel = Has(buttons, TMsgDlgBtn::mbCancel);
    UINT set = MB_OK;
    if (yes && no && cancel)
      set = MB_YESNOCANCEL;
    else if (yes && no)
      set = MB_YESNO;
    else if (cancel && Has(buttons, TMsgDlgBtn::mbRetry))
      set = MB_RETRYCANCEL;
    else if (cancel)
      set = MB_OKCANCEL;
    // The buttons of each set stand in the order Yes, No, Cancel (or OK, Cancel); the rules'
    // default (OK, else Yes) is the first.
    UINT defButton = MB_DEFBUTTON1;
    if (defaultButton == TMsgDlgBtn::mbNo && yes && no)
      defButton = MB_DEFBUTTON2;
    else if (defaultButton == TMsgDlgBtn::mbCancel && cancel)
      defButton = set == MB_YESNOCANCEL ? MB_DEFBUTTON3 : MB_DEFBUTTON2;
    UINT flags = set | IconOf(type) | defButton | MB_SETFOREGROUND;
    bool hook = set == MB_YESNO;
    if (hook)
      g_escapeHook = SetWindowsHookExW(WH_MSGFILTER, EscapeToNo, nullptr, GetCurrentThreadId());
    int id = Box(text, MsgDlgTitle(type), flags);
    if (hook && g_escapeHook) {
      UnhookWindowsHookEx(g_escapeHook);
      g_escapeHook = nullptr;
    }
    // Escape on a box without Cancel (some systems answer IDCANCEL for it), and a box that
    // could not be shown, give the Escape answer of the rules.
    TModalResult r = AnswerOf(id);
    if (r == TModalResult::mrNone || (r == TModalResult::mrCancel && !cancel))
      return EscapeAnswer(buttons);
    return r;
  }

  void ShowErrorReport(const std::string& message) override {
    Box(ErrorReportText(message), kErrorReportTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  }

  bool OpenFileDialog(const FileDialogOptions& options, std::string& path) override {
    return FileDialog(options, path, false);
  }
  bool SaveFileDialog(const FileDialogOptions& options, std::string& path) override {
    return FileDialog(options, path, true);
  }
};

}  // namespace

Prompter& HostPrompter() {
  static Win32Prompter prompter;
  return prompter;
}

}  // namespace tallimo
