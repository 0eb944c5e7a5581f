#pragma once
// What the disc author's commands need of a disc's folder: its listing, links and junctions told
// apart, and reads of a file at offsets (an installer is never read whole).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tallimo {

struct FolderItem {
  std::string name;
  bool folder = false;
  // A symbolic link, a junction or another reparse point: never followed out of the disc.
  bool link = false;
  uint64_t size = 0;
};

// A regular file opened for reading.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Up to `count` bytes from `offset` (fewer at the end); false on a read error.
  virtual bool ReadAt(uint64_t offset, size_t count, std::string& bytes) = 0;
};

class DiscFiles {
 public:
  virtual ~DiscFiles() = default;
  // The items of a folder in no particular order; false with the system's reason in `why`.
  virtual bool List(const std::string& folder, std::vector<FolderItem>& items,
                    std::string& why) = 0;
  // A regular file, opened without waiting (a pipe or a device is refused); nullptr with the
  // system's reason in `why`.
  virtual std::unique_ptr<ByteSource> Open(const std::string& path, std::string& why) = 0;
};

DiscFiles& HostDiscFiles();

// `name` in `folder`, with one separator between them: the one the folder's path uses ("D:\\Kit"
// and "SETUP.EXE" -> "D:\\Kit\\SETUP.EXE"), else "/", which every system takes.
inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) return folder + name;
  const bool backslash =
      folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
  return folder + (backslash ? "\\" : "/") + name;
}

}  // namespace tallimo
