#pragma once
// A restart that only counts, a wait for it that the test ends, and a record store in memory:
// tests never restart anything.
#include <functional>
#include <map>
#include <string>

#include "platform/restart.h"

namespace tallimo::testing {

class FakeRestarter final : public Restarter {
 public:
  int restarts = 0;
  bool refuse = false;             // RestartWindows fails
  std::function<void()> awaiting;  // the wait for a restart, until the test ends it
  bool RestartWindows(std::string& message) override {
    if (refuse) {
      message = "Access is denied";
      return false;
    }
    ++restarts;
    return true;
  }
  void AwaitRestart(uint32_t, std::function<void()> noRestart) override {
    awaiting = std::move(noRestart);
  }
  void CancelAwait() override { awaiting = nullptr; }
  // No restart came: the queue goes on.
  void NoRestart() {
    std::function<void()> then = std::move(awaiting);
    awaiting = nullptr;
    if (then) then();
  }
};

class FakeResumeStore final : public ResumeStore {
 public:
  std::string record;  // the record written last; "" none
  int writes = 0;
  bool armed = false;
  bool removed = false;
  bool failWrites = false;
  std::string user = "S-1-5-21-1";
  std::map<char, VolumeId> volumes;  // by drive letter (upper case)
  bool Create(std::string&) override { return true; }
  bool Adopt(const std::string&, std::string&) override { return true; }
  bool Read(std::string& text) override {
    text = record;
    return !record.empty();
  }
  std::string RecordPath() override { return "C:\\Resume\\queue.record"; }
  bool Write(const std::string& text) override {
    if (failWrites) return false;
    record = text;
    ++writes;
    return true;
  }
  bool Arm() override { return armed = true; }
  void Remove() override {
    record.clear();
    armed = false;
    removed = true;
  }
  std::string User() override { return user; }
  std::optional<VolumeId> VolumeOf(const std::string& path) override {
    const auto found = path.empty() ? volumes.end() : volumes.find(path[0]);
    if (found == volumes.end()) return std::nullopt;
    return found->second;
  }
  std::optional<char> DriveWithSerial(uint32_t serial) override {
    for (const auto& [drive, volume] : volumes)
      if (volume.serial == serial) return drive;
    return std::nullopt;
  }
};

}  // namespace tallimo::testing
