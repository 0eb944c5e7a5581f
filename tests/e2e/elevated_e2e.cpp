// Tallimo.exe started by hand as the elevated copy (Wine has no administrator prompt): with the
// catalogue's digest it runs exactly the numbered programs, in the order given, and reports them
// in a new events file of the common application data folder; with a catalogue changed after
// the digest it runs nothing and says so; a channel whose events file is there already runs
// nothing. Once the test, playing the menu, says it has read to the end, the channel's files go;
// so do files that copies cut off left more than a day ago.
// Usage: tallimo_elevated_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <shlobj.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/handle_win32.h"
#include "platform/hash.h"
#include "platform/wide.h"
#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

std::string ReadAll(const std::string& path) {
  std::ifstream file(tallimo::Widen(path).c_str(), std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// A file of the copies' folder.
std::string ChannelFile(const std::string& name) {
  wchar_t folder[MAX_PATH] = L"";
  SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
  return tallimo::Narrow(folder) + "\\Tallimo\\" + name;
}
std::string EventsFile(const std::string& channel) {
  return ChannelFile(channel + ".events");
}
bool Gone(const std::string& channel) {
  return !Exists(EventsFile(channel)) && !Exists(ChannelFile(channel + ".control"));
}
bool Ends(const std::string& events) {
  return events.size() > 3 && (events.compare(events.size() - 4, 4, "end\n") == 0 ||
                               (events.rfind("refused ", 0) == 0 && events.back() == '\n'));
}

class Elevated : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tallimo::wintest::MakeTempFolder("elevated-e2e");
    ASSERT_FALSE(folder_.empty());
    const std::string installer = WindowsPath(TALLIMO_TEST_INSTALLER);
    ASSERT_TRUE(Exists(installer)) << installer;
    std::string ini;
    // Each line in quotes, and quoted again so that the value keeps them.
    for (int n = 1; n <= 3; ++n)
      ini += "[Program" + std::to_string(n) + "]\r\nName=P" + std::to_string(n) +
             "\r\nBatch=" + (n == 1 ? "1" : "0") + "\r\nInstall1=\"\"" + installer +
             "\" wait 0 \"" + Marker(n) + "\"\"\r\n";
    catalogue_ = folder_ + "\\disc.ini";
    ASSERT_TRUE(WriteBytes(catalogue_, ini));
    digest_ = tallimo::HostHasher().Sha256Hex(ini).value_or("");
    ASSERT_EQ(digest_.size(), 64u);
    channel_ =
        "e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  }
  void TearDown() override { RemoveTree(folder_); }

  std::string Marker(int n) const { return folder_ + "\\ran" + std::to_string(n) + ".txt"; }

  // Plays the menu: reads the events to their end (into events_), then says so.
  DWORD Run(const std::string& channel, const std::string& numbers) {
    RunningProgram tallimo(
        "/elevated-queue \"" + catalogue_ + "\" " + digest_ + " - " + channel + " " + numbers,
        folder_.c_str());
    DWORD code = 99;
    EXPECT_TRUE(tallimo.Started());
    events_.clear();
    for (int polls = 0; polls < 600 && !Ends(events_) && !tallimo.Ended(100, code); ++polls)
      events_ = ReadAll(EventsFile(channel));
    if (Ends(events_)) {
      tallimo::OwnedHandle control(
          CreateFileW(tallimo::Widen(ChannelFile(channel + ".control")).c_str(), FILE_APPEND_DATA,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
      DWORD written = 0;  // none when the copy made none (it ran nothing)
      EXPECT_TRUE(!control || WriteFile(control.Get(), "read-to-end\n", 12, &written, nullptr));
    }
    // Long before the copy would stop waiting for that line by itself.
    EXPECT_TRUE(tallimo.Ended(5000, code));
    return code;
  }

  std::string folder_, catalogue_, digest_, channel_, events_;
};

TEST_F(Elevated, TheDigestDecidesWhetherExactlyTheNamedProgramsRun) {
  // Left by copies cut off: only the channels' files of more than a day ago go.
  CreateDirectoryW(tallimo::Widen(ChannelFile("")).c_str(), nullptr);
  const struct {
    const char* name;
    ULONGLONG hoursAgo;
    bool goes;
  } left[] = {{"-old.events", 25, true},
              {"-old.control", 25, true},
              {"-new.events", 23, false},
              {"-old.txt", 25, false}};
  for (const auto& file : left) {
    tallimo::OwnedHandle handle(
        CreateFileW(tallimo::Widen(ChannelFile(channel_ + file.name)).c_str(), GENERIC_WRITE, 0,
                    nullptr, CREATE_ALWAYS, 0, nullptr));
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    ULARGE_INTEGER written{{time.dwLowDateTime, time.dwHighDateTime}};
    written.QuadPart -= file.hoursAgo * 36000000000ULL;  // in 100 ns
    time = {written.LowPart, written.HighPart};
    ASSERT_TRUE(SetFileTime(handle.Get(), nullptr, nullptr, &time)) << file.name;
  }

  EXPECT_EQ(Run(channel_ + "-a", "3 1"), 0u);
  EXPECT_TRUE(Exists(Marker(3)));
  EXPECT_TRUE(Exists(Marker(1)));
  EXPECT_FALSE(Exists(Marker(2)));
  EXPECT_TRUE(Gone(channel_ + "-a"));
  for (const auto& file : left) {
    EXPECT_EQ(Exists(ChannelFile(channel_ + file.name)), !file.goes) << file.name;
    DeleteFileW(tallimo::Widen(ChannelFile(channel_ + file.name)).c_str());
  }
  const std::string& events = events_;
  const size_t first = events.find("row 0 installed 0 \n"), second = events.find("row 1 installed");
  EXPECT_NE(first, std::string::npos) << events;
  EXPECT_NE(second, std::string::npos) << events;
  EXPECT_LT(events.find("ran3.txt"), events.find("ran1.txt")) << events;  // in the order given
  EXPECT_NE(events.find("cmd.exe /d /c"), std::string::npos) << events;
  EXPECT_EQ(events.substr(events.size() - 4), "end\n");

  // An events file planted at the channel's name: nothing runs, and it stays as it was.
  DeleteFileW(tallimo::Widen(Marker(1)).c_str());
  const std::string planted = "row 0 installed 0 \nend\n";
  ASSERT_TRUE(WriteBytes(EventsFile(channel_ + "-a"), planted));
  EXPECT_EQ(Run(channel_ + "-a", "1"), 2u);
  EXPECT_FALSE(Exists(Marker(1)));
  EXPECT_EQ(ReadAll(EventsFile(channel_ + "-a")), planted);
  DeleteFileW(tallimo::Widen(EventsFile(channel_ + "-a")).c_str());

  // Changed after the digest was taken: nothing runs, and the one event says why.
  ASSERT_TRUE(WriteBytes(catalogue_, ReadAll(catalogue_) + "; changed\r\n"));
  EXPECT_EQ(Run(channel_ + "-b", "1 2"), 1u);
  EXPECT_FALSE(Exists(Marker(1)));
  EXPECT_FALSE(Exists(Marker(2)));
  EXPECT_EQ(events_, "refused the catalogue changed after it was read\n");
  EXPECT_TRUE(Gone(channel_ + "-b"));
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_elevated_e2e");
}
