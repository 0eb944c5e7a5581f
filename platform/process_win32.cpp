// The process seam on Windows. A program is created suspended, put in a job object of its own
// whose completion port tells when no process is left in it, and then resumed, so that every
// process it starts is waited for too. A waiting thread per request watches the job (or the
// process alone when no job can be had) and posts the end to a message-only window of the
// thread that started it, which calls the callback there.
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <memory>

#include "platform/failure_report.h"
#include "platform/handle_win32.h"
#include "platform/message_window_win32.h"
#include "platform/process.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

constexpr UINT kEndedMessage = WM_APP + 1;
constexpr DWORD kPollMilliseconds = 100;

}  // namespace

std::string SystemErrorMessage(uint32_t error) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = length && text ? Narrow(text, static_cast<int>(length)) : std::string();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(error) : message;
}

std::string SystemErrorMessage(uint32_t error, const std::string& insert) {
  const std::string text = SystemErrorMessage(error);
  std::string message;
  for (size_t i = 0; i < text.size(); ++i) {
    // %1 ... %9, with or without a format after it (%1!s!): the insert.
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
      message += insert;
      ++i;
      if (i + 1 < text.size() && text[i + 1] == '!') {
        const size_t end = text.find('!', i + 2);
        if (end != std::string::npos) i = end;
      }
    } else {
      message += text[i];
    }
  }
  return message;
}

namespace {

// What the waiting thread owns: the handles of one request, closed when it ends.
struct Waiting {
  OwnedHandle process;
  OwnedHandle job;   // none: the process alone is waited for
  OwnedHandle port;  // the job's completion port
  OwnedHandle stop;  // set when the caller stops waiting
  HWND window = nullptr;
  DWORD startTick = 0;
  unsigned generation = 0;
};

// What the waiting thread posts (the window's procedure takes ownership).
struct Ended {
  unsigned generation;
  ProcessEnd end;
};

bool JobIsEmpty(HANDLE job) {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info;
  if (!QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info,
                                 nullptr))
    return false;
  return info.ActiveProcesses == 0;
}

DWORD WINAPI WaitThread(void* parameter) {
  std::unique_ptr<Waiting> w(static_cast<Waiting*>(parameter));
  bool stopped = false;
  if (w->job) {
    for (;;) {
      DWORD message = 0;
      ULONG_PTR key = 0;
      OVERLAPPED* overlapped = nullptr;
      BOOL got =
          GetQueuedCompletionStatus(w->port.Get(), &message, &key, &overlapped, kPollMilliseconds);
      if (WaitForSingleObject(w->stop.Get(), 0) == WAIT_OBJECT_0) {
        stopped = true;
        break;
      }
      if (got && key == reinterpret_cast<ULONG_PTR>(w->job.Get()) &&
          message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO)
        break;
      // Where the port stays silent the job's count of processes still tells.
      if (!got && JobIsEmpty(w->job.Get())) break;
    }
  } else {
    HANDLE handles[2] = {w->process.Get(), w->stop.Get()};
    stopped = WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0;
  }
  if (stopped) return 0;
  auto ended = std::make_unique<Ended>();
  ended->generation = w->generation;
  DWORD code = 0;
  if (w->process) GetExitCodeProcess(w->process.Get(), &code);
  ended->end.exitCode = code;
  ended->end.milliseconds = GetTickCount() - w->startTick;
  if (PostMessageW(w->window, kEndedMessage, 0, reinterpret_cast<LPARAM>(ended.get())))
    ended.release();
  return 0;
}

// The process's current folder set for a while, and set back after.
class InFolder {
 public:
  explicit InFolder(const std::string& folder) {
    if (folder.empty()) return;
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    previous_.resize(size);
    if (size == 0 || GetCurrentDirectoryW(size, previous_.data()) >= size) {
      previous_.clear();
      return;
    }
    previous_.resize(size - 1);
    if (!SetCurrentDirectoryW(Widen(folder).c_str())) previous_.clear();
  }
  ~InFolder() {
    if (!previous_.empty()) SetCurrentDirectoryW(previous_.c_str());
  }
  bool Entered() const { return !previous_.empty(); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::wstring previous_;
};

class Win32ProcessRunner final : public ProcessRunner {
 public:
  ~Win32ProcessRunner() override {
    StopWaiting();
    if (window_) DestroyWindow(window_);
  }

  ProcessStart Start(const ProcessRequest& request, EndCallback onEnd) override {
    StopWaiting();
    ProcessStart start;
    if (!MakeWindow()) return Failure(start, GetLastError());
    auto w = std::make_unique<Waiting>();
    w->startTick = GetTickCount();
    // A program named without its full path is found from the request's folder: a line from
    // the disc's root ("\DIR\SETUP.EXE") on the catalogue's drive, whatever the current one.
    // A folder that cannot be entered (a catalogue's drive gone) leaves the current one.
    const bool started = [&] {
      const InFolder folder(request.directory);
      ProcessRequest inFolder = request;
      if (!folder.Entered()) inFolder.directory.clear();
      return request.document ? OpenDocument(inFolder, *w, start)
                              : CreateSuspended(inFolder, *w, start);
    }();
    if (!started) return start;
    start.started = true;
    start.scope = !w->process ? TWaitScope::wsNone
                  : w->job    ? TWaitScope::wsJob
                              : TWaitScope::wsProcess;
    w->generation = ++generation_;
    w->window = window_;
    onEnd_ = std::move(onEnd);
    if (!w->process) {
      auto ended = std::make_unique<Ended>();
      ended->generation = w->generation;
      PostMessageW(window_, kEndedMessage, 0, reinterpret_cast<LPARAM>(ended.release()));
      return start;
    }
    w->stop.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE stop = nullptr;
    const bool duplicated =
        w->stop && DuplicateHandle(GetCurrentProcess(), w->stop.Get(), GetCurrentProcess(), &stop,
                                   0, FALSE, DUPLICATE_SAME_ACCESS);
    stop_.Reset(stop);
    if (!duplicated) {
      // Without a way to stop the wait, the process runs on unwatched.
      start.started = false;
      onEnd_ = nullptr;
      return Failure(start, GetLastError());
    }
    DWORD id = 0;
    const OwnedHandle thread(CreateThread(nullptr, 0, WaitThread, w.get(), 0, &id));
    if (!thread) {
      DWORD error = GetLastError();
      stop_.Reset();
      onEnd_ = nullptr;
      start.started = false;
      return Failure(start, error);
    }
    w.release();  // the thread owns it now
    return start;
  }

  void StopWaiting() override {
    ++generation_;  // an end already posted is ignored
    onEnd_ = nullptr;
    if (stop_) SetEvent(stop_.Get());
    stop_.Reset();
  }

 private:
  // `program`: the file the system's message names where it has an insert ("%1 is not a valid
  // Win32 application").
  static ProcessStart& Failure(ProcessStart& start, DWORD error, const std::string& program = {}) {
    start.started = false;
    start.error = error;
    start.elevationRequired = error == 740;  // ERROR_ELEVATION_REQUIRED, from Vista on
    start.message = SystemErrorMessage(error, program);
    return start;
  }

  // A job with a completion port for the process; on any failure none (the process alone).
  static void JoinJob(Waiting& w) {
    w.job.Reset(CreateJobObjectW(nullptr, nullptr));
    if (w.job) w.port.Reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    bool joined = false;
    if (w.job && w.port) {
      JOBOBJECT_ASSOCIATE_COMPLETION_PORT link;
      link.CompletionKey = w.job.Get();
      link.CompletionPort = w.port.Get();
      joined = SetInformationJobObject(w.job.Get(), JobObjectAssociateCompletionPortInformation,
                                       &link, sizeof link) &&
               AssignProcessToJobObject(w.job.Get(), w.process.Get());
    }
    if (!joined) {
      w.port.Reset();
      w.job.Reset();
    }
  }

  static bool CreateSuspended(const ProcessRequest& request, Waiting& w, ProcessStart& start) {
    std::wstring commandLine = Widen("\"" + request.program + "\"");
    if (!request.parameters.empty()) commandLine += Widen(" " + request.parameters);
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    ZeroMemory(&info, sizeof info);
    const std::wstring folder = Widen(request.directory);
    const wchar_t* directory = folder.empty() ? nullptr : folder.c_str();
    DWORD flags = CREATE_SUSPENDED | (request.hideConsole ? CREATE_NO_WINDOW : 0);
    // Inside a job of someone else's, ours can be had only by breaking away from it, where that
    // job allows it; otherwise the process starts in the caller's job.
    BOOL created =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                       flags | CREATE_BREAKAWAY_FROM_JOB, nullptr, directory, &startup, &info);
    if (!created && GetLastError() == ERROR_ACCESS_DENIED)
      created = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                               directory, &startup, &info);
    if (!created) {
      Failure(start, GetLastError(), request.program);
      return false;
    }
    w.process.Reset(info.hProcess);
    const OwnedHandle thread(info.hThread);
    JoinJob(w);
    ResumeThread(thread.Get());
    return true;
  }

  static bool OpenDocument(const ProcessRequest& request, Waiting& w, ProcessStart& start) {
    const std::wstring file = Widen(request.program), parameters = Widen(request.parameters),
                       directory = Widen(request.directory);
    SHELLEXECUTEINFOW info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_FLAG_DDEWAIT;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = request.hideConsole ? SW_HIDE : SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info)) {
      Failure(start, GetLastError(), request.program);
      return false;
    }
    // Started by the shell, the program already runs: what it started before joining the job
    // is not waited for.
    w.process.Reset(info.hProcess);
    if (w.process) JoinJob(w);
    return true;
  }

  bool MakeWindow() {
    if (window_) return true;
    window_ = MakeMessageWindow(L"TallimoProcessWait", WindowProc, this);
    return window_ != nullptr;
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != kEndedMessage) return DefWindowProcW(hwnd, msg, wParam, lParam);
    std::unique_ptr<Ended> ended(reinterpret_cast<Ended*>(lParam));
    auto* self = reinterpret_cast<Win32ProcessRunner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || ended->generation != self->generation_ || !self->onEnd_) return 0;
    EndCallback callback = std::move(self->onEnd_);
    self->onEnd_ = nullptr;
    self->stop_.Reset();
    // No exception crosses the window procedure: it goes to the failure report.
    try {
      callback(ended->end);
    } catch (...) {
      ReportCurrentException();
    }
    return 0;
  }

  HWND window_ = nullptr;
  OwnedHandle stop_;  // a duplicate of the waiting thread's stop event
  unsigned generation_ = 0;
  EndCallback onEnd_;
};

}  // namespace

ProcessRunner& HostProcessRunner() {
  static Win32ProcessRunner runner;
  return runner;
}

}  // namespace tallimo
