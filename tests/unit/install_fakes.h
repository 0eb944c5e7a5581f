#pragma once
// Recording fakes of the seams the install commands use. Every fake writes what happens to
// one shared log, so tests can check the order of events across seams.
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "install/install_runner.h"

namespace tallimo::test {

using EventLog = std::vector<std::string>;

class FakeEnvironment final : public Environment {
 public:
  std::map<std::string, std::string> values;
  std::string GetEnvVar(const std::string& name) override {
    auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  }
};

class FakeShell final : public Shell {
 public:
  explicit FakeShell(EventLog& log) : log_(log) {}
  void LaunchFile(const std::string& file) override { log_.push_back("launch " + file); }
  void RunProgram(const std::string& program, const std::string& parameters,
                  void* ownerWindow) override {
    log_.push_back("run " + program + " " + parameters);
    lastOwner = ownerWindow;
  }
  void* lastOwner = nullptr;

 private:
  EventLog& log_;
};

class FakeFileSystem final : public FileSystem {
 public:
  explicit FakeFileSystem(EventLog& log) : log_(log) {}
  std::set<std::string> directories;
  std::map<std::string, std::string> files;  // path -> bytes
  bool failWrites = false;
  int writeAttempts = 0;

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  bool DirectoryExists(const std::string& path) override { return directories.count(path) != 0; }
  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    bytes = it->second;
    return true;
  }
  WriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    ++writeAttempts;
    if (files.count(path)) return WriteResult::wrExists;
    if (failWrites) return WriteResult::wrFailed;
    files[path] = std::string(bytes);
    log_.push_back("write " + path);
    return WriteResult::wrOk;
  }
  bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
  bool MoveFile(const std::string&, const std::string&) override { return false; }

 private:
  EventLog& log_;
};

class FakePrompter final : public Prompter {
 public:
  explicit FakePrompter(EventLog& log) : log_(log) {}
  TModalResult MessageDlg(const std::string& text, TMsgDlgType type,
                          const std::vector<TMsgDlgBtn>& buttons) override {
    std::string kind = type == TMsgDlgType::mtError     ? "error"
                       : type == TMsgDlgType::mtWarning ? "warning"
                                                        : "other";
    log_.push_back(kind + " " + text + (buttons.size() == 1 ? "" : " (buttons)"));
    return TModalResult::mrOK;
  }
  void ShowErrorReport(const std::string& message) override { log_.push_back("report " + message); }
  bool OpenFileDialog(const FileDialogOptions&, std::string&) override { return false; }
  bool SaveFileDialog(const FileDialogOptions&, std::string&) override { return false; }

 private:
  EventLog& log_;
};

// Gives the numbers queued in `next` (then 0s); records reseeds.
class ScriptedRandom final : public RandomSource {
 public:
  std::deque<uint32_t> next;
  int reseeds = 0;
  void Reseed() override { ++reseeds; }
  uint32_t Below(uint32_t bound) override {
    uint32_t value = next.empty() ? 0 : next.front();
    if (!next.empty()) next.pop_front();
    return value % bound;
  }
  // Queues the letters of `word` as draws from a to z.
  void Queue(const std::string& word) {
    for (char c : word) next.push_back(static_cast<uint32_t>(c - 'a'));
  }
};

}  // namespace tallimo::test
