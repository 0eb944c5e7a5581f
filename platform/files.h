#pragma once
// The file system seam: what the catalogue, the install runner and the viewers need of files.
// Paths are 8-bit ANSI text; on Windows "\" separates folders, natively "/" does too.
#include <memory>
#include <string>
#include <string_view>

namespace tallimo {

enum class TWriteResult { wrOk, wrExists, wrFailed };

// What stands at a path: nothing, a regular file, a folder, or something else (a pipe, a
// device) that is never read as a file. fkNoAnswer: the place (a share) did not answer in
// time, so nothing is known; only detection's probes say so.
enum class TFileKind { fkMissing, fkFile, fkFolder, fkOther, fkNoAnswer };

// A file held open for reading, sharing read access only: while it lives no other program can
// open the file for writing, delete it or rename it.
class HeldFile {
 public:
  virtual ~HeldFile() = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True for an existing file; a folder of that name does not count.
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Without waiting, whatever stands there (a pipe is not opened to find out).
  virtual TFileKind KindOf(const std::string& path) {
    if (DirectoryExists(path)) return TFileKind::fkFolder;
    return FileExists(path) ? TFileKind::fkFile : TFileKind::fkMissing;
  }
  // Reads the whole of a regular file; false when it cannot be opened or read, or is not a
  // regular file (a pipe or a device is never waited on).
  virtual bool ReadWholeFile(const std::string& path, std::string& bytes) = 0;
  // Creates the file exclusively (wrExists when the name is taken), writes all bytes, flushes
  // them to the disk and closes it. On any failure the partly written file is removed.
  virtual TWriteResult WriteNewFile(const std::string& path, std::string_view bytes) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Renames a file; fails when `to` exists.
  virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
  // Holds the existing file at `path` open, sharing read access only, when it holds exactly
  // `bytes` (what its writer wrote, checked once nothing else can change it); nothing else.
  // A file system that cannot hold files holds none.
  virtual std::unique_ptr<HeldFile> HoldUnchanged(const std::string& path, std::string_view bytes) {
    (void)path;
    (void)bytes;
    return nullptr;
  }
};

// The real file system of the build's host (POSIX natively, Win32 on Windows).
FileSystem& HostFileSystem();

}  // namespace tallimo
