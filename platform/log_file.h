#pragma once
// The log file seam: a new file that lines are added to as they happen, readable by others
// (Notepad) while it is open.
#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace tallimo {

class LogFile {
 public:
  virtual ~LogFile() = default;
  // Adds the bytes at the end; false when they could not all be written.
  virtual bool Append(std::string_view bytes) = 0;
};

class LogFiles {
 public:
  virtual ~LogFiles() = default;
  // Creates the file exclusively: the file, or nothing with `result` wrExists when the name is
  // taken and wrFailed otherwise.
  virtual std::unique_ptr<LogFile> CreateNew(const std::string& path, TWriteResult& result) = 0;
  // Opens the file to add at its end, creating it when it is missing (`created` then set);
  // nothing when it can be neither opened nor created, with the system's message in `why`.
  virtual std::unique_ptr<LogFile> OpenToAppend(const std::string& path, bool& created,
                                                std::string& why) = 0;
};

LogFiles& HostLogFiles();

}  // namespace tallimo
