// The log file seam on POSIX hosts.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "platform/log_file.h"

namespace tallimo {
namespace {

class PosixLogFile final : public LogFile {
 public:
  explicit PosixLogFile(int fd) : fd_(fd) {}
  ~PosixLogFile() override { ::close(fd_); }
  bool Append(std::string_view bytes) override {
    while (!bytes.empty()) {
      ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
  }

 private:
  int fd_;
};

class PosixLogFiles final : public LogFiles {
 public:
  std::unique_ptr<LogFile> CreateNew(const std::string& path, TWriteResult& result) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
      result = errno == EEXIST ? TWriteResult::wrExists : TWriteResult::wrFailed;
      return nullptr;
    }
    result = TWriteResult::wrOk;
    return std::make_unique<PosixLogFile>(fd);
  }
  std::unique_ptr<LogFile> OpenToAppend(const std::string& path, bool& created,
                                        std::string& why) override {
    created = false;
    int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
      fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      created = fd >= 0;
    }
    if (fd < 0) {
      why = std::strerror(errno);
      return nullptr;
    }
    return std::make_unique<PosixLogFile>(fd);
  }
};

}  // namespace

LogFiles& HostLogFiles() {
  static PosixLogFiles files;
  return files;
}

}  // namespace tallimo
