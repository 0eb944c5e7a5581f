// The log file seam on Windows.
#include <windows.h>

#include <utility>

#include "platform/handle_win32.h"
#include "platform/log_file.h"
#include "platform/process.h"
#include "platform/wide.h"

namespace tallimo {
namespace {

class Win32LogFile final : public LogFile {
 public:
  explicit Win32LogFile(OwnedHandle file) : file_(std::move(file)) {}
  bool Append(std::string_view bytes) override {
    while (!bytes.empty()) {
      DWORD written = 0;
      if (!WriteFile(file_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
          written == 0)
        return false;
      bytes.remove_prefix(written);
    }
    return true;
  }

 private:
  OwnedHandle file_;
};

class Win32LogFiles final : public LogFiles {
 public:
  std::unique_ptr<LogFile> CreateNew(const std::string& path, TWriteResult& result) override {
    OwnedHandle file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      DWORD error = GetLastError();
      result = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? TWriteResult::wrExists
                                                                           : TWriteResult::wrFailed;
      return nullptr;
    }
    result = TWriteResult::wrOk;
    return std::make_unique<Win32LogFile>(std::move(file));
  }
  std::unique_ptr<LogFile> OpenToAppend(const std::string& path, bool& created,
                                        std::string& why) override {
    const std::wstring wide = Widen(path);
    OwnedHandle file(CreateFileW(wide.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      why = SystemErrorMessage(GetLastError());
      return nullptr;
    }
    // OPEN_ALWAYS says "already exists" of a file that was there.
    created = GetLastError() != ERROR_ALREADY_EXISTS;
    return std::make_unique<Win32LogFile>(std::move(file));
  }
};

}  // namespace

LogFiles& HostLogFiles() {
  static Win32LogFiles files;
  return files;
}

}  // namespace tallimo
