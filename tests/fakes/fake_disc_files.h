#pragma once
// A disc's folders and files over a FakeFileSystem ("disc/DIR/X.EXE" is in the folder
// "disc/DIR"), and a file's bytes as a ByteSource.
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "platform/disc_files.h"

namespace tallimo::testing {

class StringByteSource : public ByteSource {
 public:
  explicit StringByteSource(std::string bytes) : bytes_(std::move(bytes)) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool ReadAt(uint64_t offset, size_t count, std::string& bytes) override {
    bytes = offset < bytes_.size() ? bytes_.substr(offset, count) : std::string();
    return true;
  }

 private:
  std::string bytes_;
};

class FakeDiscFiles : public DiscFiles {
 public:
  explicit FakeDiscFiles(FakeFileSystem& files) : files_(files) {}
  bool List(const std::string& folder, std::vector<FolderItem>& items, std::string& why) override {
    items.clear();
    if (!files_.folders.count(folder)) {
      why = "No such file or directory";
      return false;
    }
    const std::string prefix = folder + "/";
    auto child = [&](const std::string& path) {
      return path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos;
    };
    for (const auto& [path, bytes] : files_.files)
      if (child(path)) items.push_back({path.substr(prefix.size()), false, false, bytes.size()});
    for (const auto& path : files_.folders)
      if (child(path)) items.push_back({path.substr(prefix.size()), true, false, 0});
    return true;
  }
  std::unique_ptr<ByteSource> Open(const std::string& path, std::string& why) override {
    auto it = files_.files.find(path);
    if (it == files_.files.end() || files_.unreadable.count(path)) {
      why = "Permission denied";
      return nullptr;
    }
    return std::make_unique<StringByteSource>(it->second);
  }

 private:
  FakeFileSystem& files_;
};

}  // namespace tallimo::testing
