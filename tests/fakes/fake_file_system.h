#pragma once
// A file system in memory: files and folders by path, files that cannot be read, a change that
// fails on request, and (given a log) every file written noted in the log.
#include <map>
#include <memory>
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
  // Files held open against writing and deleting, as the system holds them.
  std::set<std::string> held;
  std::unique_ptr<HeldFile> HoldUnchanged(const std::string& path,
                                          std::string_view bytes) override {
    auto it = files.find(path);
    if (it == files.end() || it->second != bytes || held.count(path)) return nullptr;
    return std::make_unique<Held>(*this, path);
  }
  bool RemoveFile(const std::string& path) override {
    if (held.count(path) || Fails()) return false;
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
  class Held final : public HeldFile {
   public:
    Held(FakeFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {
      owner_.held.insert(path_);
    }
    ~Held() override { owner_.held.erase(path_); }

   private:
    FakeFileSystem& owner_;
    std::string path_;
  };
  bool Fails() { return ++changes == failAt; }
  EventLog* log_ = nullptr;
};

}  // namespace tallimo::testing
