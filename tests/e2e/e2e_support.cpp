#include "tests/e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/wide.h"

namespace tallimo::e2e {
namespace {

std::string g_tallimoExe;

BOOL CALLBACK CollectChildren(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

struct TopWindows {
  DWORD pid;
  std::vector<HWND> visible;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
  auto* top = reinterpret_cast<TopWindows*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == top->pid && IsWindowVisible(hwnd)) top->visible.push_back(hwnd);
  return TRUE;
}

}  // namespace

std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string DemoDiscFolder() {
  return WindowsPath(TALLIMO_SOURCE_DIR "/examples/demo-disc");
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

const std::string& TallimoExe() {
  return g_tallimoExe;
}

int RunTests(int argc, char** argv, const char* program) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <Tallimo.exe> [gtest flags]\n", program);
    return 2;
  }
  g_tallimoExe = WindowsPath(argv[1]);
  return RUN_ALL_TESTS();
}

std::string ClassOf(HWND hwnd) {
  char name[128] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return "<no answer>";
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return text;
}

std::string Utf8TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return "<no answer>";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  return Narrow(text.data(), static_cast<int>(copied));
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, CollectChildren, reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND ChildOfClass(HWND parent, const char* className, const char* text) {
  for (HWND h : Descendants(parent)) {
    if (lstrcmpiA(ClassOf(h).c_str(), className) != 0) continue;
    if (!text || TextOf(h) == text) return h;
  }
  return nullptr;
}

std::vector<HWND> VisibleTopWindows(DWORD pid) {
  TopWindows top{pid, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&top));
  return top.visible;
}

int RowCount(HWND list) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count)) return -1;
  return static_cast<int>(count);
}

std::wstring RowText(HWND list, int row) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring wide(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(wide.data()),
                      SMTO_ABORTIFHUNG, 5000, &copied);
  wide.resize(copied == static_cast<DWORD_PTR>(LB_ERR) ? 0 : copied);
  return wide;
}

void ClickRow(HWND list, int row) {
  DWORD_PTR ignored = 0, top = 0, height = 0;
  SendMessageTimeoutA(list, LB_SETTOPINDEX, row, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  SendMessageTimeoutA(list, LB_GETTOPINDEX, 0, 0, SMTO_ABORTIFHUNG, 5000, &top);
  SendMessageTimeoutA(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 5000, &height);
  RECT client;
  GetClientRect(list, &client);
  const int x = client.right / 2;
  const int y =
      (row - static_cast<int>(top)) * static_cast<int>(height) + static_cast<int>(height) / 2;
  PostMessageA(list, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ClickAt(list, x, y);
}

void ClickAt(HWND hwnd, int x, int y) {
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::string BesideThisProgram(const char* fileName) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

RunningProgram::RunningProgram(const std::string& arguments, const char* directory,
                               const std::string& exe) {
  std::wstring commandLine = Widen("\"" + exe + "\" " + arguments);
  const std::wstring folder = directory ? Widen(directory) : std::wstring();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            directory ? folder.c_str() : nullptr, &startup, &process_);
  startedAt_ = std::chrono::steady_clock::now();
}

RunningProgram::~RunningProgram() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

bool RunningProgram::Ended(int milliseconds) const {
  return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

bool RunningProgram::Ended(int milliseconds, DWORD& exitCode) const {
  if (!Ended(milliseconds)) return false;
  GetExitCodeProcess(process_.hProcess, &exitCode);
  return true;
}

void PostKey(HWND to, WPARAM key) {
  PostMessageA(to, WM_KEYDOWN, key, 1);
  PostMessageA(to, WM_KEYUP, key, 0xC0000001);
}

}  // namespace tallimo::e2e
