// Installers dropped from Explorer on the list: identified as tallimo-cat scan identifies them,
// named in a question, and on Yes added to the catalogue as the scan's entries.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <memory>
#include <type_traits>

#include "app/main_form.h"
#include "install/installer_scan.h"
#include "platform/system_library_win32.h"
#include "platform/wide.h"

namespace tallimo {

namespace {

constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA: a drop's data comes in it
constexpr DWORD kAllow = 1;               // MSGFLT_ALLOW, and MSGFLT_ADD of the older function
constexpr size_t kShownLines = 25;        // of each part of the question

// Explorer runs without elevation, and an elevated window takes no messages from it unless it
// lets them in (Vista and later: the per-window function from Windows 7 on, else the older one
// for the whole process). Before Vista every window takes them.
void AllowDropMessages(HWND window) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  using WindowFilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  using ProcessFilterFn = BOOL(WINAPI*)(UINT, DWORD);
  const auto forWindow = SystemFunction<WindowFilterFn>(user32, "ChangeWindowMessageFilterEx");
  const auto forProcess = SystemFunction<ProcessFilterFn>(user32, "ChangeWindowMessageFilter");
  for (UINT msg : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, kCopyGlobalData}) {
    if (forWindow)
      forWindow(window, msg, kAllow, nullptr);
    else if (forProcess)
      forProcess(msg, kAllow);
  }
}

// The dropped paths; the drop is given back to the system however this ends.
std::vector<std::string> DroppedPaths(HDROP drop) {
  const std::unique_ptr<std::remove_pointer_t<HDROP>, decltype(&DragFinish)> owner(drop,
                                                                                   &DragFinish);
  std::vector<std::string> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (!path.empty()) paths.push_back(Narrow(path));
  }
  return paths;
}

// The disc's folder: the catalogue's, as a full path (worked out from the current folder for a
// name given relative to it; nothing is opened).
std::string CatalogueFolder(const std::string& iniFileName) {
  const std::wstring name = Widen(iniFileName);
  std::wstring full(GetFullPathNameW(name.c_str(), 0, nullptr, nullptr) + 1, L'\0');
  wchar_t* file = nullptr;
  const DWORD n =
      GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), &file);
  if (n == 0 || n >= full.size() || !file) return {};
  return Narrow(full.substr(0, static_cast<size_t>(file - full.data())));
}

// Line `index` of a part of the question that has `total` lines: the first kShownLines, then
// how many more there are.
void AddLine(std::string& text, size_t index, size_t total, const std::string& line) {
  if (index < kShownLines)
    text += "\r" + line;
  else if (index == kShownLines)
    text += "\r... and " + std::to_string(total - kShownLines) + " more";
}

}  // namespace

void TFTallimo::InitDropCommands() {
  DragAcceptFiles(ListBox1.Handle(), TRUE);
  AllowDropMessages(ListBox1.Handle());
  ListBox1.OnDropFiles = [this](HDROP drop) {
    std::vector<std::string> paths = DroppedPaths(drop);
    // While a dialog or a box of the menu is open (it disabled the window), drops are not taken.
    if (IsWindowEnabled(Handle())) ListBox1DropFiles(paths);
  };
}

void TFTallimo::ListBox1DropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  const std::vector<ScannedFile> found =
      IdentifyDropped(paths, CatalogueFolder(Cat.IniFileName), Cat.ProgramList, seams_.files,
                      seams_.discFiles, seams_.installerDatabase);
  size_t programs = 0;
  for (const ScannedFile& f : found) programs += f.id.identified ? 1 : 0;
  std::string text = programs ? "Add these programs to the catalogue?"
                              : "None of these files can be added to the catalogue:";
  size_t index = 0;
  for (const ScannedFile& f : found)
    if (f.id.identified)
      AddLine(text, index++, programs,
              f.id.info.name + " (" + InstallerTypeName(f.id.info.type) + ")");
  if (programs && programs < found.size()) text += "\r";
  index = 0;
  for (const ScannedFile& f : found)
    if (!f.id.identified)
      AddLine(text, index++, found.size() - programs,
              f.discPath + ": left out (" + f.id.leftOutWhy + ")");
  if (found.empty()) text += "\rthey hold no .msi, .msu or .exe file.";
  if (!programs) {
    seams_.prompter.MessageDlg(text, TMsgDlgType::mtInformation);
    return;
  }
  if (seams_.prompter.MessageDlg(text, TMsgDlgType::mtConfirmation,
                                 {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != TModalResult::mrYes)
    return;
  for (const ScannedFile& f : found)
    if (f.id.identified)
      Cat.ProgramList.push_back(
          std::make_unique<TTallimoProg>(InstallerEntry(f.id.info, f.discPath)));
  Cat.Modified = true;
  RefreshAfterChange();
}

}  // namespace tallimo
