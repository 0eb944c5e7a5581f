// The file system seam on POSIX hosts.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/files.h"

namespace tallimo {

namespace {

bool Stat(const std::string& path, struct stat& st) {
  return ::stat(path.c_str(), &st) == 0;
}

// Makes a rename durable: the folder's entry is flushed as well (best effort).
void SyncFolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash ? slash : 1);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

class PosixFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    struct stat st;
    return Stat(path, st) && !S_ISDIR(st.st_mode);
  }

  bool DirectoryExists(const std::string& path) override {
    struct stat st;
    return Stat(path, st) && S_ISDIR(st.st_mode);
  }

  TFileKind KindOf(const std::string& path) override {
    struct stat st;
    if (!Stat(path, st)) return TFileKind::fkMissing;
    if (S_ISDIR(st.st_mode)) return TFileKind::fkFolder;
    return S_ISREG(st.st_mode) ? TFileKind::fkFile : TFileKind::fkOther;
  }

  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    // Opened without waiting: a pipe is refused below instead of waiting for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      return false;
    }
    std::string data;
    if (st.st_size > 0) data.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
      ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        ::close(fd);
        return false;
      }
      if (n == 0) break;
      data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    bytes = std::move(data);
    return true;
  }

  TWriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno == EEXIST ? TWriteResult::wrExists : TWriteResult::wrFailed;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
      ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0)
        ok = false;
      else
        done += static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (!ok) {
      ::unlink(path.c_str());
      return TWriteResult::wrFailed;
    }
    return TWriteResult::wrOk;
  }

  bool RemoveFile(const std::string& path) override {
    if (DirectoryExists(path)) return false;
    return ::unlink(path.c_str()) == 0;
  }

  bool MoveFile(const std::string& from, const std::string& to) override {
    bool moved = false;
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
      moved = true;
    } else if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
      return false;
    }
#endif
    if (!moved) {
      // Without an atomic no-replace rename: a second link, then the old name goes.
      if (::link(from.c_str(), to.c_str()) != 0) return false;
      if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());
        return false;
      }
    }
    SyncFolderOf(to);
    return true;
  }
};

}  // namespace

FileSystem& HostFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace tallimo
