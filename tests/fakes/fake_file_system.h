#pragma once
// A file system in memory: files and folders by path, files that cannot be read, a change that
// fails on request, and (given a log) every file written noted in the log.
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "fakes/event_log.h"
#include "platform/files.h"

namespace tallimo::testing {

class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem() = default;
  explicit FakeFileSystem(EventLog& log) : log_(&log) {}

  std::map<std::string, std::string> files;  // path -> bytes
  std::set<std::string> folders;
  std::set<std::string> unreadable;  // files that exist but cannot be read
  int failAt = 0;                    // the n-th change (write, move, remove) fails; 0: none fails
  int changes = 0;
  bool writeLeavesPart = false;  // a failing write leaves a half-written file (a broken seam)
  int writeAttempts = 0;         // every call of WriteNewFile, a taken name's included

  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool DirectoryExists(const std::string& path) override { return folders.count(path) > 0; }
  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return false;
    bytes = it->second;
    return true;
  }
  TWriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    ++writeAttempts;
    if (files.count(path) || folders.count(path)) return TWriteResult::wrExists;
    if (Fails()) {
      if (writeLeavesPart) files[path] = std::string(bytes.substr(0, bytes.size() / 2));
      return TWriteResult::wrFailed;
    }
    files[path] = std::string(bytes);
    if (log_) log_->push_back("write " + path);
    return TWriteResult::wrOk;
  }
  bool RemoveFile(const std::string& path) override {
    if (Fails()) return false;
    return files.erase(path) > 0;
  }
  bool MoveFile(const std::string& from, const std::string& to) override {
    if (Fails()) return false;
    auto it = files.find(from);
    if (it == files.end() || files.count(to) || folders.count(to)) return false;
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[to] = std::move(bytes);
    return true;
  }

 private:
  bool Fails() { return ++changes == failAt; }
  EventLog* log_ = nullptr;
};

}  // namespace tallimo::testing
