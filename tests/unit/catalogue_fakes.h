#pragma once
// Fakes of the seams for the catalogue's tests: an in-memory file system that can fail its
// n-th change, an English locale with a settable time separator, a fixed clock.
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/locale.h"

namespace tallimo::testing {

class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  int failAt = 0;  // the n-th change (write, move, remove) fails; 0: none fails
  int changes = 0;
  bool writeLeavesPart = false;      // a failing write leaves a half-written file (a broken seam)
  std::set<std::string> unreadable;  // files that exist but cannot be read

  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool DirectoryExists(const std::string& path) override { return folders.count(path) > 0; }
  bool ReadWholeFile(const std::string& path, std::string& bytes) override {
    auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return false;
    bytes = it->second;
    return true;
  }
  WriteResult WriteNewFile(const std::string& path, std::string_view bytes) override {
    if (files.count(path) || folders.count(path)) return WriteResult::wrExists;
    if (Fails()) {
      if (writeLeavesPart) files[path] = std::string(bytes.substr(0, bytes.size() / 2));
      return WriteResult::wrFailed;
    }
    files[path] = std::string(bytes);
    return WriteResult::wrOk;
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
};

class EnglishLocale : public Locale {
 public:
  std::string separator = ":";
  int CompareIgnoreCase(const std::string& a, const std::string& b) override {
    std::string x = a, y = b;
    for (char& c : x) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : y) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return x.compare(y);
  }
  std::string ShortDayName(int d) override {
    static const char* const n[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return n[d];
  }
  std::string ShortMonthName(int m) override {
    static const char* const n[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return n[m - 1];
  }
  std::string TimeSeparator() override { return separator; }
};

class FixedClock : public Clock {
 public:
  LocalTime time{2026, 12, 7, 1, 15, 6, 0};  // Mon, 7 Dec 2026, 3:06 pm
  LocalTime Now() override { return time; }
};

}  // namespace tallimo::testing
