#pragma once
// Log files in memory: what each created file holds, names already taken, and failures.
#include <map>
#include <memory>
#include <set>
#include <string>

#include "platform/log_file.h"

namespace tallimo::testing {

class FakeLogFiles : public LogFiles {
 public:
  std::map<std::string, std::string> files;  // path -> bytes written
  std::set<std::string> taken;               // names that exist already
  bool failCreate = false;
  int failAfterAppends = -1;  // appends that succeed before every later one fails (-1: none)

  std::unique_ptr<LogFile> CreateNew(const std::string& path, TWriteResult& result) override {
    if (taken.count(path) || files.count(path)) {
      result = TWriteResult::wrExists;
      return nullptr;
    }
    if (failCreate) {
      result = TWriteResult::wrFailed;
      return nullptr;
    }
    result = TWriteResult::wrOk;
    files[path];
    return std::make_unique<File>(*this, path);
  }

  std::unique_ptr<LogFile> OpenToAppend(const std::string& path, bool& created,
                                        std::string& why) override {
    created = !files.count(path);
    if (created && (taken.count(path) || failCreate)) {
      why = "Access is denied";
      return nullptr;
    }
    files[path];
    return std::make_unique<File>(*this, path);
  }

 private:
  class File : public LogFile {
   public:
    File(FakeLogFiles& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Append(std::string_view bytes) override {
      if (owner_.failAfterAppends == 0) return false;
      if (owner_.failAfterAppends > 0) --owner_.failAfterAppends;
      owner_.files[path_] += bytes;
      return true;
    }

   private:
    FakeLogFiles& owner_;
    std::string path_;
  };
};

}  // namespace tallimo::testing
