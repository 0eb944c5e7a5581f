// The restart seam on Windows: ExitWindowsEx, a timer for the wait, and the resume record's
// places. A machine's record lives in "<common application data>\Tallimo\Resume\<id>\", a
// folder only administrators write, beside HKLM's RunOnce commands (which run with their
// rights); a user's in "<local application data>\Tallimo\Resume\<id>\", beside HKCU's. Each
// holds "queue.record" and "Tallimo.exe", the copy that RunOnce starts, since the disc may be
// out of its drive by then.
#include <windows.h>
// after windows.h
#include <sddl.h>
#include <shlobj.h>

#include "platform/failure_report.h"
#include "platform/handle_win32.h"
#include "platform/message_window_win32.h"
#include "platform/process.h"
#include "platform/protected_folder_win32.h"
#include "platform/restart.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

constexpr const wchar_t* kRunOnceKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kRecordName = "queue.record";
constexpr const char* kCopyName = "Tallimo.exe";
// How long a resumed queue waits for the Tallimo that ran it before the restart to end.
constexpr DWORD kPreviousMilliseconds = 2 * 60 * 1000;

class Win32Restarter final : public Restarter {
 public:
  ~Win32Restarter() override {
    if (window_) DestroyWindow(window_);
  }

  bool RestartWindows(std::string& message) override {
    HANDLE opened = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
      const OwnedHandle token(opened);
      TOKEN_PRIVILEGES privileges;
      privileges.PrivilegeCount = 1;
      privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
      if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
    if (ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                      SHTDN_REASON_FLAG_PLANNED))
      return true;
    message = SystemErrorMessage(GetLastError());
    return false;
  }

  void AwaitRestart(uint32_t milliseconds, std::function<void()> noRestart) override {
    if (!window_) window_ = MakeMessageWindow(L"TallimoRestartWait", WindowProc, this);
    if (!window_) return;
    then_ = std::move(noRestart);
    SetTimer(window_, 1, milliseconds, nullptr);
  }

  void CancelAwait() override {
    if (window_) KillTimer(window_, 1);
    then_ = nullptr;
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER) return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto* self = reinterpret_cast<Win32Restarter*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return 0;
    std::function<void()> then = std::move(self->then_);
    self->CancelAwait();
    try {
      if (then) then();
    } catch (...) {
      ReportCurrentException();
    }
    return 0;
  }

  HWND window_ = nullptr;
  std::function<void()> then_;
};

// A registry key opened on the line that opens it, closed with its owner.
class Key {
 public:
  Key(HKEY root, REGSAM access) {
    if (RegCreateKeyExW(root, kRunOnceKey, 0, nullptr, 0, access, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool StartsWith(const std::string& text, const std::string& start) {
  return !start.empty() && text.size() > start.size() &&
         CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE,
                        Widen(text.substr(0, start.size())).c_str(), -1, Widen(start).c_str(),
                        -1) == CSTR_EQUAL;
}

class Win32ResumeStore final : public ResumeStore {
 public:
  explicit Win32ResumeStore(std::string programPath) : programPath_(std::move(programPath)) {}

  bool Create(std::string& why) override {
    machine_ = Key(HKEY_LOCAL_MACHINE, KEY_SET_VALUE).Get() != nullptr;
    const std::string base = Base(machine_);
    const std::string id =
        "q" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    folder_ = base + "Resume\\" + id + "\\";
    bool made = !base.empty();
    if (made && machine_) made = ProtectedFolder(base) && ProtectedFolder(base + "Resume\\");
    if (made && !machine_) {
      CreateDirectoryW(Widen(base).c_str(), nullptr);
      CreateDirectoryW(Widen(base + "Resume").c_str(), nullptr);
    }
    made = made && CreateDirectoryW(Widen(folder_.substr(0, folder_.size() - 1)).c_str(), nullptr);
    if (made && !CopyFileW(Widen(programPath_).c_str(), Widen(folder_ + kCopyName).c_str(), TRUE)) {
      RemoveDirectoryW(Widen(folder_).c_str());
      made = false;
    }
    if (!made) {
      why = "no folder for its record: " + SystemErrorMessage(GetLastError());
      folder_.clear();
      return false;
    }
    Hold(id);
    return true;
  }

  bool Adopt(const std::string& path, std::string& why) override {
    const size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string machineResume = Base(true) + "Resume\\",
                      userResume = Base(false) + "Resume\\";
    const bool machine = StartsWith(folder, machineResume);
    const std::string place = machine ? machineResume : userResume;
    const std::string id = folder.substr(std::min(folder.size(), place.size()));
    if (path.substr(slash + 1) != kRecordName || (!machine && !StartsWith(folder, userResume)) ||
        id.size() < 2 || id.find('\\') != id.size() - 1) {
      why = "the record is not in Tallimo's own folder";
      return false;
    }
    folder_ = folder;
    machine_ = machine;
    if (!Hold(id.substr(0, id.size() - 1))) {
      why = "the queue that wrote it is still running";
      folder_.clear();
      return false;
    }
    return true;
  }

  bool Read(std::string& text) override {
    OwnedHandle file(CreateFileW(Widen(RecordPath()).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file || folder_.empty()) return false;
    char chunk[4096];
    DWORD read = 0;
    text.clear();
    while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
      text.append(chunk, read);
      if (text.size() > (16u << 20)) return false;
    }
    return true;
  }

  std::string RecordPath() override { return folder_.empty() ? "" : folder_ + kRecordName; }

  bool Write(const std::string& text) override {
    if (folder_.empty()) return false;
    const std::wstring record = Widen(RecordPath()), fresh = record + L".new";
    {
      OwnedHandle file(CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
      DWORD written = 0;
      if (!file ||
          !WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
          written != text.size() || !FlushFileBuffers(file.Get())) {
        file.Reset();
        DeleteFileW(fresh.c_str());
        return false;
      }
    }
    return MoveFileExW(fresh.c_str(), record.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool Arm() override {
    if (folder_.empty()) return false;
    const Key key(Root(), KEY_SET_VALUE);
    const std::wstring command =
        L"\"" + Widen(folder_ + kCopyName) + L"\" /resume \"" + Widen(RecordPath()) + L"\"";
    if (!key.Get() ||
        RegSetValueExW(key.Get(), ValueName().c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
      return false;
    // A power cut must not lose it: keys are otherwise written lazily.
    return RegFlushKey(key.Get()) == ERROR_SUCCESS;
  }

  void Remove() override {
    if (folder_.empty()) return;
    if (const Key key(Root(), KEY_SET_VALUE); key.Get()) {
      RegDeleteValueW(key.Get(), ValueName().c_str());
      RegFlushKey(key.Get());
    }
    DeleteFileW(Widen(RecordPath()).c_str());
    const std::wstring copy = Widen(folder_ + kCopyName), folder = Widen(folder_);
    // A running copy cannot be deleted: it goes at the next restart where that is allowed, else
    // at the next start of Tallimo (SweepResumeCopies).
    if (!DeleteFileW(copy.c_str())) MoveFileExW(copy.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    if (!RemoveDirectoryW(folder.c_str()))
      MoveFileExW(folder.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
    folder_.clear();
  }

  std::string User() override {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return {};
    const OwnedHandle token(opened);
    alignas(TOKEN_USER) BYTE buffer[256];
    DWORD size = 0;
    wchar_t* text = nullptr;
    if (!GetTokenInformation(token.Get(), TokenUser, buffer, sizeof buffer, &size) ||
        !ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text))
      return {};
    std::string sid = Narrow(text);
    LocalFree(text);
    return sid;
  }

  std::optional<VolumeId> VolumeOf(const std::string& path) override {
    if (path.size() < 3 || path[1] != ':') return std::nullopt;
    return Volume(path[0]);
  }

  std::optional<char> DriveWithSerial(uint32_t serial) override {
    const DWORD drives = GetLogicalDrives();
    for (int i = 2; i < 26; ++i) {
      if (!(drives & (1u << i))) continue;
      const char letter = static_cast<char>('A' + i);
      if (std::optional<VolumeId> volume = Volume(letter); volume && volume->serial == serial)
        return letter;
    }
    return std::nullopt;
  }

 private:
  static std::string Base(bool machine) {
    return TallimoFolder(machine ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA);
  }
  HKEY Root() const { return machine_ ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
  std::wstring ValueName() const {
    std::string id = folder_.substr(0, folder_.size() - 1);
    return Widen("Tallimo " + id.substr(id.find_last_of('\\') + 1));
  }

  // A drive without its disc answers at once, without the system's box.
  static std::optional<VolumeId> Volume(char letter) {
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
    wchar_t label[MAX_PATH + 1] = L"";
    DWORD serial = 0;
    const UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const BOOL read =
        GetVolumeInformationW(root, label, MAX_PATH + 1, &serial, nullptr, nullptr, nullptr, 0);
    SetErrorMode(mode);
    if (!read) return std::nullopt;
    return VolumeId{serial, Narrow(label)};
  }

  // The queue's mutex, held while it runs: a resumed queue takes it only once the Tallimo that
  // ran it before the restart is gone.
  bool Hold(const std::string& id) {
    mutex_.Reset(CreateMutexW(nullptr, FALSE, Widen("Tallimo-resume-" + id).c_str()));
    if (!mutex_) return true;  // nothing to wait on
    const DWORD waited = WaitForSingleObject(mutex_.Get(), kPreviousMilliseconds);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return true;
    mutex_.Reset();
    return false;
  }

  std::string programPath_;
  std::string folder_;
  bool machine_ = false;
  OwnedHandle mutex_;
};

}  // namespace

Restarter& HostRestarter() {
  static Win32Restarter restarter;
  return restarter;
}

ResumeStore& HostResumeStore(const std::string& programPath) {
  static Win32ResumeStore store(programPath);
  return store;
}

void SweepResumeCopies() {
  for (const bool machine : {true, false}) {
    const std::string resume = TallimoFolder(machine ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA);
    if (resume.empty()) continue;
    WIN32_FIND_DATAW found;
    const std::wstring pattern = Widen(resume + "Resume\\*");
    const FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (!search) continue;
    do {
      const std::wstring name = found.cFileName;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..")
        continue;
      const std::wstring folder = Widen(resume + "Resume\\") + name + L"\\";
      if (GetFileAttributesW((folder + L"queue.record").c_str()) != INVALID_FILE_ATTRIBUTES)
        continue;  // a queue that goes on after a restart
      if (const OwnedHandle running(
              OpenMutexW(SYNCHRONIZE, FALSE, (L"Tallimo-resume-" + name).c_str()));
          running)
        continue;  // a queue that runs now, its record not yet written
      DeleteFileW((folder + L"Tallimo.exe").c_str());
      RemoveDirectoryW(folder.c_str());
    } while (FindNextFileW(search.Get(), &found));
  }
}

}  // namespace tallimo
