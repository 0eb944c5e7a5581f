// The hand-over through files in TEMP: "<name>.txt" holds the programs, "<name>.txt.events" the
// copy's events and "<name>.txt.control" the parent's Stop and Stop waiting, each one line an
// item. Each side appends whole lines and reads what the other appended since its last look;
// a line still being written waits for its end.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "install/elevated_runner_win32.h"
#include "install/random_source.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/message_window_win32.h"
#include "platform/process.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

constexpr UINT kPollMilliseconds = 100;
constexpr UINT_PTR kPollTimer = 1;

bool AppendLine(const std::string& path, const std::string& line) {
  HANDLE file = CreateFileW(Widen(path).c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = line + "\n";
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

WorkerEvent MakeEvent(TWorkerEventKind kind, std::string text = {}) {
  WorkerEvent event;
  event.kind = kind;
  event.text = std::move(text);
  return event;
}

// Adds to `buffer` what `path` holds past `offset` (a file not there yet holds nothing).
void ReadNew(const std::string& path, uint64_t& offset, std::string& buffer) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LONG high = static_cast<LONG>(offset >> 32);
  if (SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN) !=
          INVALID_SET_FILE_POINTER ||
      GetLastError() == NO_ERROR) {
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
      buffer.append(chunk, read);
      offset += read;
    }
  }
  CloseHandle(file);
}

// A new hand-over file in TEMP holding `text`; "" when none could be made.
std::string WriteHandOver(const std::string& text, DWORD& error) {
  wchar_t temp[MAX_PATH + 1] = L"";
  if (!GetTempPathW(MAX_PATH + 1, temp)) {
    error = GetLastError();
    return {};
  }
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const std::string path = Narrow(temp) + "Tallimo-queue-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount() + attempt) + ".txt";
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      error = GetLastError();
      if (error == ERROR_FILE_EXISTS) continue;
      return {};
    }
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    error = GetLastError();
    CloseHandle(file);
    if (ok && written == text.size()) return path;
    DeleteFileW(Widen(path).c_str());
    return {};
  }
  return {};
}

class ShellElevatedRunner final : public ElevatedRunner {
 public:
  ShellElevatedRunner(std::string program, std::string verb, std::string option)
      : program_(std::move(program)), verb_(std::move(verb)), option_(std::move(option)) {}
  ~ShellElevatedRunner() override {
    Forget();
    if (window_) DestroyWindow(window_);
  }

  Start Run(const HandOver& handOver, EventCallback onEvent) override {
    Forget();
    DWORD error = 0;
    if (!MakeWindow()) return {TElevationResult::erFailed, SystemErrorMessage(GetLastError())};
    const std::string path = WriteHandOver(HandOverText(handOver), error);
    if (path.empty()) return {TElevationResult::erFailed, SystemErrorMessage(error)};
    const std::wstring parameters = Widen(option_ + " \"" + path + "\""), verb = Widen(verb_),
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
      error = GetLastError();
      DeleteFileW(Widen(path).c_str());
      if (error == ERROR_CANCELLED) return {TElevationResult::erRefused, {}};
      return {TElevationResult::erFailed, SystemErrorMessage(error)};
    }
    process_ = info.hProcess;
    handOver_ = path;
    events_ = path + ".events";
    control_ = path + ".control";
    offset_ = 0;
    buffer_.clear();
    onEvent_ = std::move(onEvent);
    SetTimer(window_, kPollTimer, kPollMilliseconds, nullptr);
    return {TElevationResult::erStarted, {}};
  }

  void Stop() override {
    if (onEvent_) AppendLine(control_, ControlLine({TWorkerControlKind::wcStop, 0}));
  }
  void StopWaiting(size_t row) override {
    if (onEvent_) AppendLine(control_, ControlLine({TWorkerControlKind::wcStopWaiting, row}));
  }

  void Forget() override {
    ++generation_;
    onEvent_ = nullptr;
    if (window_) KillTimer(window_, kPollTimer);
    if (process_) CloseHandle(process_);
    process_ = nullptr;
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
    // No exception crosses the window procedure.
    try {
      if (self) self->Poll();
    } catch (...) {
    }
    return 0;
  }

  // Delivers what the copy wrote since the last look; the copy gone without its end is lost.
  void Poll() {
    if (!onEvent_) return;
    // Whether it had ended is asked before reading, so that its last lines are read.
    const bool gone = !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
    ReadNew(events_, offset_, buffer_);
    const unsigned generation = generation_;
    for (const std::string& line : TakeCompleteLines(buffer_)) {
      std::optional<WorkerEvent> event = ParseEventLine(line);
      if (!event) continue;  // garbled: dropped
      if (event->kind == TWorkerEventKind::weEnd) return Finish(*event);
      EventCallback callback = onEvent_;
      callback(*event);
      if (generation != generation_) return;  // forgotten meanwhile
    }
    if (gone) Finish(MakeEvent(TWorkerEventKind::weLost));
  }

  void Finish(const WorkerEvent& last) {
    EventCallback callback = std::move(onEvent_);
    Forget();
    for (const std::string& path : {handOver_, events_, control_}) DeleteFileW(Widen(path).c_str());
    if (callback) callback(last);
  }

  std::string program_, verb_, option_;
  HWND window_ = nullptr;
  HANDLE process_ = nullptr;
  std::string handOver_, events_, control_;
  uint64_t offset_ = 0;
  std::string buffer_;
  unsigned generation_ = 0;
  EventCallback onEvent_;
};

// The copy's log: its lines go to the parent as events, which writes them to the one log.
class ForwardedLogs final : public LogFiles {
 public:
  explicit ForwardedLogs(std::string events) : events_(std::move(events)) {}
  std::unique_ptr<LogFile> CreateNew(const std::string&, TWriteResult& result) override {
    result = TWriteResult::wrOk;
    return std::make_unique<Forwarded>(events_);
  }
  std::unique_ptr<LogFile> OpenToAppend(const std::string&, bool& created) override {
    created = false;
    return std::make_unique<Forwarded>(events_);
  }

 private:
  class Forwarded final : public LogFile {
   public:
    explicit Forwarded(const std::string& events) : events_(events) {}
    bool Append(std::string_view bytes) override {
      if (bytes == "\xEF\xBB\xBF") return true;  // the parent's log has its mark
      pending_ += bytes;
      bool ok = true;
      for (size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
        ok = AppendLine(events_,
                        EventLine(MakeEvent(TWorkerEventKind::weLog, pending_.substr(0, end)))) &&
             ok;
        pending_.erase(0, end + 2);
      }
      return ok;
    }

   private:
    const std::string& events_;
    std::string pending_;
  };
  std::string events_;
};

}  // namespace

std::unique_ptr<ElevatedRunner> MakeShellElevatedRunner(std::string program, std::string verb,
                                                        std::string option) {
  return std::make_unique<ShellElevatedRunner>(std::move(program), std::move(verb),
                                               std::move(option));
}

int RunQueueWorker(const std::string& handOverPath) {
  std::string text;
  uint64_t offset = 0;
  ReadNew(handOverPath, offset, text);
  std::optional<HandOver> handOver = ParseHandOver(text);
  if (!handOver) return 2;
  const std::string events = handOverPath + ".events";
  const std::string control = handOverPath + ".control";
  TimeSeededRandom random;
  ForwardedLogs logs(events);
  InstallQueue queue({HostProcessRunner(), HostFileSystem(), HostEnvironment(), random, HostClock(),
                      logs, HostLocale()},
                     std::move(handOver->programs), handOver->cataloguePath);
  queue.LogTitle = "Elevated copy";
  queue.OnRowChanged = [&](size_t row) {
    WorkerEvent event = MakeEvent(TWorkerEventKind::weRow);
    event.row = row;
    event.result = queue.Row(row);
    AppendLine(events, EventLine(event));
  };
  queue.OnCommandChanged = [&] {
    AppendLine(events, EventLine(MakeEvent(TWorkerEventKind::weCommand, queue.CurrentCommand())));
  };
  queue.OnEnded = [&] { AppendLine(events, EventLine(MakeEvent(TWorkerEventKind::weEnd))); };
  queue.Begin();
  uint64_t controlOffset = 0;
  std::string controlBuffer;
  while (!queue.Ended()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMilliseconds, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    ReadNew(control, controlOffset, controlBuffer);
    for (const std::string& line : TakeCompleteLines(controlBuffer)) {
      std::optional<WorkerControl> order = ParseControlLine(line);
      if (!order) continue;
      if (order->kind == TWorkerControlKind::wcStop) {
        queue.Stop();
      } else if (order->row < queue.Size() &&
                 queue.Row(order->row).state == TQueueState::qsRunning) {
        queue.StopWaiting();  // only for the program it was meant for
      }
    }
  }
  return 0;
}

}  // namespace tallimo
