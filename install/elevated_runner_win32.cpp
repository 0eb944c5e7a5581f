// The hand-over through files in "<common application data>\Tallimo", a folder that only
// administrators write and users read: the copy creates "<channel>.events" new (its rows,
// commands, log lines and end) and "<channel>.control" new, which users may add to (the menu's
// Stop and Stop waiting: the worst a stranger can write there is a Stop). Each side appends
// whole lines and reads what the other appended since its last look; a line still being
// written waits for its end. The menu trusts only an events file owned by an administrator (one
// planted before the folder was protected is not), and says when it has read to the end; the
// copy then removes both files, and files of copies cut off a day ago.
#include <windows.h>
// after windows.h
#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "install/elevated_runner_win32.h"
#include "install/restart_dialog.h"
#include "install/resume_record.h"
#include "platform/failure_report.h"
#include "platform/handle_win32.h"
#include "platform/message_window_win32.h"
#include "platform/process.h"
#include "platform/protected_folder_win32.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

constexpr UINT kPollMilliseconds = 100;
constexpr UINT_PTR kPollTimer = 1;
// How long the copy waits, after its end, for the menu to have read it.
constexpr DWORD kReadToEndMilliseconds = 10000;
constexpr const char* kEventsSuffix = ".events";
constexpr const char* kControlSuffix = ".control";
constexpr const char* kUntrustedEventsMessage = "the events file is not the administrator's copy's";

// The events file: only administrators and the system write it, and they own it.
constexpr const wchar_t* kEventsSecurity = L"O:BAD:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;FR;;;BU)";

// The control file: users may also add their lines.
constexpr const wchar_t* kControlSecurity =
    L"D:P(A;;FA;;;BA)(A;;FA;;;SY)(A;;FRFW;;;BU)(A;;FRFW;;;AU)";

// A file created new, never following or reusing what stands at its name.
OwnedHandle CreateNewFile(const std::string& path, DWORD access, DWORD share,
                          const wchar_t* securityText) {
  Security security(securityText);
  SECURITY_ATTRIBUTES attributes = security.Attributes();
  return OwnedHandle(CreateFileW(Widen(path).c_str(), access, share,
                                 securityText ? &attributes : nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

bool WriteLine(HANDLE file, const std::string& line) {
  const std::string bytes = line + "\n";
  DWORD written = 0;
  return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// Adds what `file` holds after its position to `buffer`.
void ReadOn(HANDLE file, std::string& buffer) {
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
    buffer.append(chunk, read);
}

WorkerEvent MakeEvent(TWorkerEventKind kind, std::string text = {}) {
  WorkerEvent event;
  event.kind = kind;
  event.text = std::move(text);
  return event;
}

class ShellElevatedRunner final : public ElevatedRunner {
 public:
  ShellElevatedRunner(std::string program, std::string verb, FileSystem& files, Hasher& hasher,
                      Locale& locale)
      : program_(std::move(program)),
        verb_(std::move(verb)),
        files_(files),
        hasher_(hasher),
        locale_(locale) {}
  ~ShellElevatedRunner() override {
    Forget();
    if (window_) DestroyWindow(window_);
  }

  Start Run(HandOver handOver, EventCallback onEvent) override {
    Forget();
    if (!MakeWindow()) return {TElevationResult::erFailed, SystemErrorMessage(GetLastError())};
    const std::string folder = TallimoFolder(CSIDL_COMMON_APPDATA);
    if (folder.empty()) return {TElevationResult::erFailed, "no folder for the events"};
    handOver.channel = "q" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(GetTickCount()) + "-" + std::to_string(++handOvers_);
    if (std::string refusal = SealHandOver(handOver, files_, hasher_, locale_.AnsiCodePage());
        !refusal.empty())
      return {TElevationResult::erRejected, refusal};
    const std::wstring parameters = Widen(ElevatedQueueParameters(handOver)), verb = Widen(verb_),
                       program = Widen(program_);
    wchar_t directory[MAX_PATH + 1] = L"";
    GetCurrentDirectoryW(MAX_PATH + 1, directory);
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = GetActiveWindow();  // the prompt's owner
    info.lpVerb = verb.empty() ? nullptr : verb.c_str();
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = directory;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) {
      const DWORD error = GetLastError();
      if (error == ERROR_CANCELLED) return {TElevationResult::erRefused, {}};
      return {TElevationResult::erFailed, SystemErrorMessage(error)};
    }
    process_.Reset(info.hProcess);
    events_ = folder + handOver.channel + kEventsSuffix;
    control_ = folder + handOver.channel + kControlSuffix;
    eventsFile_.Reset();
    controlLines_.clear();
    buffer_.clear();
    onEvent_ = std::move(onEvent);
    SetTimer(window_, kPollTimer, kPollMilliseconds, nullptr);
    return {TElevationResult::erStarted, {}};
  }

  void Stop() override {
    if (onEvent_) Send(ControlLine({TWorkerControlKind::wcStop, 0}));
  }
  void StopWaiting(size_t row) override {
    if (onEvent_) Send(ControlLine({TWorkerControlKind::wcStopWaiting, row}));
  }

  void Forget() override {
    ++generation_;
    onEvent_ = nullptr;
    if (window_) KillTimer(window_, kPollTimer);
    process_.Reset();
    eventsFile_.Reset();
  }

 private:
  bool MakeWindow() {
    if (window_) return true;
    window_ = MakeMessageWindow(L"TallimoElevatedQueue", WindowProc, this);
    return window_ != nullptr;
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_TIMER) return DefWindowProcW(hwnd, msg, wParam, lParam);
    auto* self = reinterpret_cast<ShellElevatedRunner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return 0;
    // No exception crosses the window procedure: one that a poll meets ends the hand-over, and
    // the queue fails what the copy left undone.
    try {
      self->Poll();
    } catch (const std::exception& error) {
      self->Finish(MakeEvent(TWorkerEventKind::weLost, error.what()));
    }
    return 0;
  }

  // The control lines wait until the copy has made their file (never made here).
  void Send(const std::string& line) {
    controlLines_.push_back(line);
    SendPending();
  }
  void SendPending() {
    if (controlLines_.empty()) return;
    OwnedHandle file(CreateFileW(Widen(control_).c_str(), FILE_APPEND_DATA,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file) return;
    for (const std::string& line : controlLines_) WriteLine(file.Get(), line);
    controlLines_.clear();
  }

  // Delivers what the copy wrote since the last look; the copy gone without its end is lost, and
  // so is the hand-over when the events file is not an administrator's (one planted there).
  void Poll() {
    if (!onEvent_) return;
    // Whether it had ended is asked before reading, so that its last lines are read.
    const bool gone = !process_ || WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    if (!eventsFile_) {
      // Shared for deleting: the copy removes it after a while even when this side is slow.
      OwnedHandle file(CreateFileW(Widen(events_).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
      if (file && !AdministratorsFile(file.Get()))
        return Finish(MakeEvent(TWorkerEventKind::weLost, kUntrustedEventsMessage));
      eventsFile_ = std::move(file);
    }
    if (eventsFile_) ReadOn(eventsFile_.Get(), buffer_);
    SendPending();
    const unsigned generation = generation_;
    for (const std::string& line : TakeCompleteLines(buffer_)) {
      std::optional<WorkerEvent> event = ParseEventLine(line);
      if (!event) continue;  // garbled: dropped
      if (event->kind == TWorkerEventKind::weEnd || event->kind == TWorkerEventKind::weRefused) {
        eventsFile_.Reset();
        Send(ControlLine({TWorkerControlKind::wcReadToEnd, 0}));
        return Finish(*event);
      }
      EventCallback callback = onEvent_;
      callback(*event);
      if (generation != generation_) return;  // forgotten meanwhile
    }
    if (gone) Finish(MakeEvent(TWorkerEventKind::weLost));
  }

  void Finish(const WorkerEvent& last) {
    EventCallback callback = std::move(onEvent_);
    Forget();
    if (callback) callback(last);
  }

  std::string program_, verb_;
  FileSystem& files_;
  Hasher& hasher_;
  Locale& locale_;
  HWND window_ = nullptr;
  OwnedHandle process_;
  std::string events_, control_;
  OwnedHandle eventsFile_;
  std::vector<std::string> controlLines_;
  std::string buffer_;
  unsigned generation_ = 0;
  unsigned handOvers_ = 0;
  EventCallback onEvent_;
};

// The copy's log: its lines go to the menu as events, which writes them to the one log.
class ForwardedLogs final : public LogFiles {
 public:
  explicit ForwardedLogs(HANDLE events) : events_(events) {}
  std::unique_ptr<LogFile> CreateNew(const std::string&, TWriteResult& result) override {
    result = TWriteResult::wrOk;
    return std::make_unique<Forwarded>(events_);
  }
  std::unique_ptr<LogFile> OpenToAppend(const std::string&, bool& created, std::string&) override {
    created = false;
    return std::make_unique<Forwarded>(events_);
  }

 private:
  class Forwarded final : public LogFile {
   public:
    explicit Forwarded(HANDLE events) : events_(events) {}
    bool Append(std::string_view bytes) override {
      if (bytes == "\xEF\xBB\xBF") return true;  // the menu's log has its mark
      pending_ += bytes;
      bool ok = true;
      for (size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
        ok = WriteLine(events_,
                       EventLine(MakeEvent(TWorkerEventKind::weLog, pending_.substr(0, end)))) &&
             ok;
        pending_.erase(0, end + 2);
      }
      return ok;
    }

   private:
    HANDLE events_;  // owned by the copy's run
    std::string pending_;
  };
  HANDLE events_;  // owned by the copy's run
};

// "<system folder>\cmd.exe": never a path from the user's environment.
std::string SystemCommandPrompt() {
  wchar_t folder[MAX_PATH] = L"";
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return Narrow(folder) + "\\cmd.exe";
}

// The orders the menu appended to `control` since the last look.
template <typename OnOrder>
void ReadOrders(HANDLE control, std::string& buffer, OnOrder onOrder) {
  ReadOn(control, buffer);
  for (const std::string& line : TakeCompleteLines(buffer))
    if (std::optional<WorkerControl> order = ParseControlLine(line)) onOrder(*order);
}

// Removes the events and control files that copies cut off (by a restart, a power cut) left more
// than a day ago. A running copy's files are open without delete sharing and stay; a link goes
// itself, never what it names.
void RemoveStaleChannels(const std::string& folder) {
  constexpr ULONGLONG kDay = 24ULL * 60 * 60 * 10000000;  // in 100 ns
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const ULONGLONG dayAgo = (ULONGLONG{now.dwHighDateTime} << 32 | now.dwLowDateTime) - kDay;
  const std::wstring path = Widen(folder);
  for (const char* suffix : {kEventsSuffix, kControlSuffix}) {
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW(Widen(folder + "*" + suffix).c_str(), &found));
    if (!search) continue;
    do {
      const FILETIME& written = found.ftLastWriteTime;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          (ULONGLONG{written.dwHighDateTime} << 32 | written.dwLowDateTime) < dayAgo)
        DeleteFileW((path + found.cFileName).c_str());
    } while (FindNextFileW(search.Get(), &found));
  }
}

// After the end (or the refusal) the files wait for the menu to say it has read them, or for a
// while when it does not (it was closed, or there is no control file to say it in).
void AwaitReadToEnd(HANDLE control) {
  bool read = false;
  const DWORD endedAt = GetTickCount();
  std::string buffer;
  PumpMessagesUntil([&] { return read || GetTickCount() - endedAt >= kReadToEndMilliseconds; },
                    kPollMilliseconds,
                    [&] {
                      ReadOrders(control, buffer, [&](const WorkerControl& order) {
                        read = read || order.kind == TWorkerControlKind::wcReadToEnd;
                      });
                    });
}

}  // namespace

std::unique_ptr<ElevatedRunner> MakeShellElevatedRunner(std::string program, std::string verb,
                                                        FileSystem& files, Hasher& hasher,
                                                        Locale& locale) {
  return std::make_unique<ShellElevatedRunner>(std::move(program), std::move(verb), files, hasher,
                                               locale);
}

int RunElevatedQueue(const ElevatedArguments& arguments, ElevatedCopySeams seams) {
  const std::string& channel = arguments.handOver.channel;
  const std::string folder = TallimoFolder(CSIDL_COMMON_APPDATA);
  if (channel.empty() || folder.empty() || !ProtectedFolder(folder)) return 2;
  RemoveStaleChannels(folder);
  // Written here only: the menu and everyone else read it.
  const std::string eventsPath = folder + channel + kEventsSuffix,
                    controlPath = folder + channel + kControlSuffix;
  OwnedHandle events = CreateNewFile(eventsPath, GENERIC_WRITE, FILE_SHARE_READ, kEventsSecurity);
  if (!events) return 2;
  OwnedHandle control = CreateNewFile(controlPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      kControlSecurity);
  ElevatedRows rows =
      PlanElevatedCopy(arguments, HostFileSystem(), HostHasher(), HostLocale().AnsiCodePage());
  const std::string prompt = SystemCommandPrompt();
  if (rows.refusal.empty() && !control) rows.refusal = "cannot create " + channel + kControlSuffix;
  if (rows.refusal.empty() && prompt.empty()) rows.refusal = "no system folder";
  bool failed = false;
  if (!rows.refusal.empty()) {
    WriteLine(events.Get(), EventLine(MakeEvent(TWorkerEventKind::weRefused, rows.refusal)));
  } else {  // the queue, writing to `events`, is gone before the file is
    ForwardedLogs logs(events.Get());
    InstallQueue queue(QueueSeamsOf(seams, logs), std::move(rows.programs),
                       arguments.handOver.cataloguePath);
    queue.LogTitle = "Elevated copy";
    queue.CommandPrompt = prompt;
    // The copy runs the rest of the queue: it restarts where the menu's queue would, with its own
    // countdown window, and keeps the record that goes on after a restart.
    queue.RestartsAllowed = arguments.handOver.restarts;
    queue.ConfirmRestart = [](const std::string& name) { return TFTallimoRestart(name).Execute(); };
    if (seams.resume) {
      ResumeRecord record;
      record.kind = TResumeKind::rkElevated;
      record.cataloguePath = arguments.handOver.cataloguePath;
      record.drive = arguments.handOver.drive;
      record.restartAllowed = arguments.handOver.restarts;
      PrepareRecord(queue, std::move(record),
                    {*seams.resume, seams.files, seams.hasher, seams.locale.AnsiCodePage()});
    }
    queue.OnRowChanged = [&](size_t row) {
      WorkerEvent event = MakeEvent(TWorkerEventKind::weRow);
      event.row = row;
      event.result = queue.Row(row);
      WriteLine(events.Get(), EventLine(event));
    };
    queue.OnCommandChanged = [&] {
      WriteLine(events.Get(),
                EventLine(MakeEvent(TWorkerEventKind::weCommand, queue.CurrentCommand())));
    };
    queue.OnEnded = [&] { WriteLine(events.Get(), EventLine(MakeEvent(TWorkerEventKind::weEnd))); };
    // No one to show a box to: what no caller caught goes to the log, and the copy ends there
    // (the menu fails what it left undone).
    WindowlessReport report(
        [&queue](const std::string& message) { queue.AddLogLine("Error: " + message); });
    queue.Begin();
    std::string controlBuffer;
    PumpMessagesUntil([&] { return queue.Ended() || report.Failed(); }, kPollMilliseconds,
                      [&] {
                        ReadOrders(control.Get(), controlBuffer, [&](const WorkerControl& order) {
                          if (order.kind == TWorkerControlKind::wcStop) {
                            queue.Stop();
                          } else if (order.kind == TWorkerControlKind::wcStopWaiting &&
                                     order.row < queue.Size() &&
                                     queue.Row(order.row).state == TQueueState::qsRunning) {
                            queue.StopWaiting();  // only for the program it was meant for
                          }
                        });
                      });
    if (report.Failed()) {
      failed = true;
      WriteLine(events.Get(), EventLine(MakeEvent(TWorkerEventKind::weEnd)));
    }
  }
  AwaitReadToEnd(control.Get());
  events.Reset();
  DeleteFileW(Widen(eventsPath).c_str());
  if (control) {  // one planted before stays
    control.Reset();
    DeleteFileW(Widen(controlPath).c_str());
  }
  return rows.refusal.empty() && !failed ? 0 : 1;
}

}  // namespace tallimo
