// The disc's files on POSIX hosts.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/disc_files.h"

namespace tallimo {

namespace {

class PosixByteSource : public ByteSource {
 public:
  PosixByteSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  ~PosixByteSource() override { ::close(fd_); }
  PosixByteSource(const PosixByteSource&) = delete;
  PosixByteSource& operator=(const PosixByteSource&) = delete;
  uint64_t Size() const override { return size_; }
  bool ReadAt(uint64_t offset, size_t count, std::string& bytes) override {
    bytes.resize(count);
    size_t done = 0;
    while (done < count) {
      const ssize_t n =
          ::pread(fd_, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return true;
  }

 private:
  int fd_;
  uint64_t size_;
};

class PosixDiscFiles : public DiscFiles {
 public:
  bool List(const std::string& folder, std::vector<FolderItem>& items, std::string& why) override {
    items.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
      why = std::strerror(errno);
      return false;
    }
    while (const dirent* d = ::readdir(dir)) {
      const std::string name = d->d_name;
      if (name == "." || name == "..") continue;
      struct stat st;
      if (::lstat((folder + "/" + name).c_str(), &st) != 0) continue;  // gone meanwhile
      FolderItem item{name, S_ISDIR(st.st_mode), S_ISLNK(st.st_mode),
                      static_cast<uint64_t>(st.st_size)};
      items.push_back(std::move(item));
    }
    ::closedir(dir);
    return true;
  }

  std::unique_ptr<ByteSource> Open(const std::string& path, std::string& why) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      why = std::strerror(errno);
      return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      why = "not a regular file";
      ::close(fd);
      return nullptr;
    }
    return std::make_unique<PosixByteSource>(fd, static_cast<uint64_t>(st.st_size));
  }
};

}  // namespace

DiscFiles& HostDiscFiles() {
  static PosixDiscFiles files;
  return files;
}

}  // namespace tallimo
