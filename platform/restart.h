#pragma once
// The restart seam: restarting Windows when installed programs need it, and what a queue needs
// to go on after a restart: the place of its record, the copy of the program that resumes it,
// the RunOnce value that starts that copy at the next logon, and the disc's volume.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tallimo {

class Restarter {
 public:
  virtual ~Restarter() = default;
  // Asks Windows to restart (a planned restart for an installation). False, with the system's
  // message, when it refused.
  virtual bool RestartWindows(std::string& message) = 0;
  // Calls `noRestart` after `milliseconds` on the thread that runs the message loop, unless
  // Windows restarts first. A new call, or CancelAwait, replaces the one waiting.
  virtual void AwaitRestart(uint32_t milliseconds, std::function<void()> noRestart) = 0;
  virtual void CancelAwait() = 0;
};

// Takes the shutdown privilege and calls ExitWindowsEx.
Restarter& HostRestarter();

struct VolumeId {
  uint32_t serial = 0;
  std::string label;
};

class ResumeStore {
 public:
  virtual ~ResumeStore() = default;
  // Makes the place of a new queue's record: beside the machine's RunOnce commands when that
  // key can be written (a folder only administrators write), else the user's (the user's local
  // application data), with a copy of the program there. False, with why, when it cannot.
  virtual bool Create(std::string& why) = 0;
  // Takes over the place of the record at `path`, for a resumed queue; false, with why, when
  // the path is not a record of Tallimo's own places.
  virtual bool Adopt(const std::string& path, std::string& why) = 0;
  // Reads the adopted record whole.
  virtual bool Read(std::string& text) = 0;
  // The record's path; "" before Create or Adopt.
  virtual std::string RecordPath() = 0;
  // Replaces the record with `text` whole (written new, flushed, then put in place): a power
  // cut leaves the old record or the new one.
  virtual bool Write(const std::string& text) = 0;
  // Sets the RunOnce value that resumes the record at the next logon, flushed to the disk.
  virtual bool Arm() = 0;
  // Removes the value and the record, and the copy (at the next restart when it is running).
  virtual void Remove() = 0;
  // The account the program runs as (its SID as text).
  virtual std::string User() = 0;
  // The volume that holds `path`; nullopt when it cannot be read.
  virtual std::optional<VolumeId> VolumeOf(const std::string& path) = 0;
  // A drive whose volume has the serial number.
  virtual std::optional<char> DriveWithSerial(uint32_t serial) = 0;
};

// The record in the machine's or the user's place, the program copied from `programPath`.
ResumeStore& HostResumeStore(const std::string& programPath);

// Removes the copies of queues that have ended, where the copy could not be removed at once.
void SweepResumeCopies();

}  // namespace tallimo
