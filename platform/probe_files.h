#pragma once
// Files as detection looks at them: whether a path exists, without ever showing a system box
// (an empty drive holds no file, it does not ask for a disk) and without waiting long for a
// share that does not answer.
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace tallimo {

// How long a path on a share may take before it counts as missing.
inline constexpr unsigned kProbeLimitMilliseconds = 2000;

// The place a path is asked at: "\\server" (case folded) for a share, "x:" for a drive letter;
// empty for any other path.
std::string PathServer(std::string_view path);

// Probes over `probes` that give a server up once it has not answered (fkNoAnswer): every later
// path on it counts as missing at once, without asking it again, for as long as this object
// lives. One detection at a time uses it.
class GivingUpFiles final : public FileSystem {
 public:
  explicit GivingUpFiles(FileSystem& probes) : probes_(probes) {}
  TFileKind KindOf(const std::string& path) override;
  bool FileExists(const std::string& path) override { return KindOf(path) == TFileKind::fkFile; }
  bool DirectoryExists(const std::string& path) override {
    return KindOf(path) == TFileKind::fkFolder;
  }
  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    return probes_.ReadWholeFile(path, bytes);
  }
  TWriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    return probes_.WriteNewFile(path, bytes);
  }
  bool RemoveFile(const std::string& path) override { return probes_.RemoveFile(path); }
  bool MoveFile(const std::string& from, const std::string& to) override {
    return probes_.MoveFile(from, to);
  }

 private:
  FileSystem& probes_;
  std::vector<std::string> silent_;  // servers given up (a few at most)
};

// The host's files with FileExists, DirectoryExists and KindOf probed so, and a server that did
// not answer given up for the rest of the run; the rest as HostFileSystem.
FileSystem& HostProbeFileSystem();

}  // namespace tallimo
