// Tallimo.exe driven from outside: started on a catalogue in a folder with a blank in its name,
// its window found, its list read, a row clicked, its panes read, then closed.
// Usage: tallimo_e2e <path of Tallimo.exe> [gtest flags]
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/program_list.h"
#include "catalogue/catalogue_file.h"
#include "install/detect.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "platform/probe_files.h"
#include "platform/registry.h"
#include "tests/e2e/e2e_support.h"

namespace {

using namespace tallimo::e2e;

// A scratch folder of our own under TEMP, removed again at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "tallimo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { RemoveTree(path_); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// What the catalogue holds, read through the system's profile functions: an oracle that
// shares no code with the program.
struct ExpectedEntry {
  std::string name;
  std::string category;
  std::vector<std::string> info, specs;
};
struct ExpectedCatalogue {
  std::string caption;
  std::vector<ExpectedEntry> entries;
};

std::string Profile(const std::string& file, const std::string& section, const std::string& key,
                    bool& present) {
  static const char kMissing[] = "\xFF\x63\x7B";
  char buffer[2048];
  GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer,
                           file.c_str());
  present = std::string(buffer) != kMissing;
  return present ? buffer : "";
}

std::vector<std::string> ProfileList(const std::string& file, const std::string& section,
                                     const std::string& key) {
  std::vector<std::string> lines;
  for (int k = 1;; ++k) {
    bool present = false;
    std::string value = Profile(file, section, key + std::to_string(k), present);
    if (!present) break;
    lines.push_back(value);
  }
  return lines;
}

ExpectedCatalogue ReadExpected(const std::string& file) {
  ExpectedCatalogue cat;
  bool present = false;
  cat.caption = Profile(file, "General", "Caption", present);
  for (int n = 1;; ++n) {
    const std::string section = "Program" + std::to_string(n);
    ExpectedEntry e;
    e.name = Profile(file, section, "Name", present);
    if (!present) break;
    e.category = Profile(file, section, "Category", present);
    e.info = ProfileList(file, section, "Info");
    e.specs = ProfileList(file, section, "Specs");
    cat.entries.push_back(e);
  }
  return cat;
}

// The rows the list must show: names sorted by the user's locale ignoring case, names that
// compare equal listed once (the first in catalogue order). With categories, each category's
// header (in the order they first appear, ASCII case ignored) above its names, and "Other
// programs" last.
std::vector<std::string> ExpectedRows(const ExpectedCatalogue& cat) {
  auto less = [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(),
                          static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
  };
  std::vector<const ExpectedEntry*> listed;  // sorted
  for (const ExpectedEntry& e : cat.entries) {
    auto at = std::lower_bound(
        listed.begin(), listed.end(), e.name,
        [&](const ExpectedEntry* l, const std::string& name) { return less(l->name, name); });
    if (at != listed.end() && !less(e.name, (*at)->name)) continue;  // equal ignoring case
    listed.insert(at, &e);
  }
  std::vector<std::string> headers;  // first spellings
  for (const ExpectedEntry& e : cat.entries)
    if (!e.category.empty() && std::none_of(headers.begin(), headers.end(), [&](const auto& h) {
          return lstrcmpiA(h.c_str(), e.category.c_str()) == 0;
        }))
      headers.push_back(e.category);
  std::vector<std::string> rows;
  for (size_t h = 0; h <= headers.size(); ++h) {
    const std::string header = h < headers.size() ? headers[h] : "Other programs";
    bool first = !headers.empty();
    for (const ExpectedEntry* e : listed)
      if (h < headers.size() ? lstrcmpiA(e->category.c_str(), header.c_str()) == 0
                             : e->category.empty()) {
        if (first) rows.push_back(header);
        first = false;
        rows.push_back(e->name);
      }
  }
  if (rows.empty()) rows.emplace_back();
  return rows;
}

std::string PaneText(const std::vector<std::string>& lines, const char* none) {
  std::string text;
  if (lines.empty()) text = std::string("\r\n") + none;
  for (const std::string& line : lines) text += "\r\n  " + line;
  return text;
}

bool HasNoSize(HWND hwnd) {
  RECT r;
  return GetWindowRect(hwnd, &r) && IsRectEmpty(&r);
}

// Tallimo's visible top-level windows: the application's window (no size: it is the task-bar
// button), the main window it owns, and a message box if one is shown.
struct FindTop {
  HWND application = nullptr;
  HWND main = nullptr;
  HWND messageBox = nullptr;
};

FindTop TopWindowsOf(DWORD pid) {
  FindTop find;
  for (HWND hwnd : VisibleTopWindows(pid)) {
    HWND owner = GetWindow(hwnd, GW_OWNER);
    if (ClassOf(hwnd) == "#32770") {
      find.messageBox = hwnd;
    } else if (HasNoSize(hwnd)) {
      if (owner == nullptr) find.application = hwnd;
    } else if (owner == nullptr || HasNoSize(owner)) {
      find.main = hwnd;
    }
  }
  return find;
}

HWND FindListBox(HWND main) {
  return ChildOfClass(main, "ListBox");
}

// The read-only multi-line edits, left to right: MemoInfo, then MemoSpecs.
std::vector<HWND> FindMemos(HWND main) {
  std::vector<HWND> memos;
  for (HWND h : Descendants(main)) {
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0 && (style & ES_MULTILINE)) memos.push_back(h);
  }
  std::sort(memos.begin(), memos.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  return memos;
}

// The row texts in the user's code page.
std::vector<std::string> ListRows(HWND list) {
  std::vector<std::string> rows;
  const int count = RowCount(list);
  for (int i = 0; i < count; ++i) {
    const std::wstring wide = RowText(list, i);
    std::string text(wide.size() * 2 + 1, '\0');
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(n > 0 ? n : 0);
    rows.push_back(text);
  }
  return rows;
}

// Tallimo.exe started with one catalogue argument; ended at the latest when this goes.
class RunningTallimo : public RunningProgram {
 public:
  explicit RunningTallimo(const std::string& catalogue)
      : RunningProgram("\"" + catalogue + "\" ignored-second", nullptr) {}

  FindTop Windows() const { return TopWindowsOf(Pid()); }
  // The visible main window once its list holds `rows` rows (-1: any), or nullptr.
  HWND WaitForMainWindow(int rows, int milliseconds) const {
    HWND main = nullptr;
    WaitFor(
        [&] {
          main = Windows().main;
          if (!main) return false;
          HWND list = FindListBox(main);
          return list && (rows < 0 || RowCount(list) == rows);
        },
        milliseconds);
    return main;
  }
};

// The demo disc copied into "<scratch>\My Disc"; a small disc of our own if the demo is absent.
std::string PrepareDisc(const ScratchFolder& scratch) {
  const std::string disc = scratch.Path() + "\\My Disc";
  const std::string demo = DemoDiscFolder();
  if (Exists(demo + "\\TALLIMO.INI")) {
    CopyTree(demo, disc);
  } else {
    CreateDirectoryA(disc.c_str(), nullptr);
    WriteBytes(disc + "\\TALLIMO.INI",
               "[General]\r\nCaption=Driver Disc\r\n"
               "[Program1]\r\nName=b\r\nInfo1=Second of three.\r\n"
               "[Program2]\r\nName=A\r\nInfo1=Size 3 MB\r\nInfo2=Needs CD\r\nSpecs1=486\r\n"
               "[Program3]\r\nName=Tools\r\nInfo1=The first Tools.\r\n"
               "[Program4]\r\nName=TOOLS\r\nInfo1=Never listed.\r\n");
  }
  return disc + "\\TALLIMO.INI";
}

TEST(MainWindow, ListsTheCatalogueShowsTheSelectedEntryAndCloses) {
  ScratchFolder scratch;
  const std::string ini = PrepareDisc(scratch);
  const ExpectedCatalogue cat = ReadExpected(ini);
  ASSERT_FALSE(cat.entries.empty()) << ini;
  const std::vector<std::string> rows = ExpectedRows(cat);

  RunningTallimo tallimo(ini);
  ASSERT_TRUE(tallimo.Started()) << TallimoExe();
  HWND main = tallimo.WaitForMainWindow(static_cast<int>(rows.size()), 30000);
  ASSERT_NE(main, nullptr) << "no main window with " << rows.size() << " rows";
  ASSERT_EQ(tallimo.Windows().messageBox, nullptr) << TextOf(tallimo.Windows().messageBox);

  EXPECT_EQ(TextOf(main), cat.caption.empty() ? "Tallimo" : "Tallimo - " + cat.caption);
  // The task bar's button: the application's window with the application's title, which owns
  // the main window.
  const HWND application = tallimo.Windows().application;
  EXPECT_EQ(TextOf(application), "Tallimo Menu/Install System");
  EXPECT_EQ(GetWindow(main, GW_OWNER), application);
  HWND list = FindListBox(main);
  EXPECT_EQ(ListRows(list), rows);
  const std::vector<HWND> memos = FindMemos(main);
  ASSERT_EQ(memos.size(), 2u);
  EXPECT_EQ(TextOf(memos[0]), "\r\n Select a Program.");
  EXPECT_EQ(TextOf(memos[1]), "\r\n None Available.");

  // One click shows the row's entry, the first selection after start-up included; then a
  // second row by mouse, and the next one by the Down key. The entry of a row is the first in
  // catalogue order with exactly its name.
  const int last = static_cast<int>(rows.size()) - 1;
  struct Step {
    int row;
    bool byKey;
  };
  std::vector<Step> steps = {{last, false}};
  if (last >= 1) steps.insert(steps.end(), {{0, false}, {1, true}});
  for (const Step& step : steps) {
    SCOPED_TRACE("row " + std::to_string(step.row) + " " + rows[step.row]);
    const auto entry = std::find_if(cat.entries.begin(), cat.entries.end(),
                                    [&](const auto& e) { return e.name == rows[step.row]; });
    // A category's header shows no program.
    const bool header = entry == cat.entries.end();
    const std::string info =
        header ? "\r\n Select a Program." : PaneText(entry->info, "  None Available.");
    const std::string specs =
        header ? "\r\n None Available." : PaneText(entry->specs, "  None Listed.");
    if (step.byKey) {
      PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0x00500001);
      PostMessageA(list, WM_KEYUP, VK_DOWN, 0xC0500001);
    } else {
      ClickRow(list, step.row);
    }
    EXPECT_TRUE(WaitFor([&] { return TextOf(memos[0]) == info; }, 5000))
        << "MemoInfo reads [" << TextOf(memos[0]) << "], expected [" << info << "]";
    EXPECT_EQ(TextOf(memos[1]), specs);
    DWORD_PTR selected = 0;
    SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selected);
    EXPECT_EQ(static_cast<int>(selected), step.row);
  }

  // The Close button, clicked; nothing was changed, so the program ends without a question.
  HWND close = nullptr;
  for (HWND h : Descendants(main)) {
    if (lstrcmpiA(ClassOf(h).c_str(), "Button") == 0 && TextOf(h) == "&Close") close = h;
  }
  ASSERT_NE(close, nullptr);
  RECT r;
  GetClientRect(close, &r);
  ClickAt(close, r.right / 2, r.bottom / 2);
  DWORD exitCode = 1;
  EXPECT_TRUE(tallimo.Ended(15000, exitCode)) << "still running after the Close button";
  EXPECT_EQ(exitCode, 0u);
}

// Keys pressed (true) and released (false) as the keyboard delivers them, to the foreground
// window.
void TypeKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (const auto& [key, down] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Help > About Tallimo, typed on the keyboard: the box at its designed place with the disc's
// notes, closed by a click on its logo.
TEST(MainWindow, TheAboutBoxTellsWhoSetUpTheDisc) {
  ScratchFolder scratch;
  const std::string ini = scratch.Path() + "\\ABOUT.INI";
  WriteBytes(ini,
             "[General]\r\nCreatedBy=Team\r\nNote1=First\r\nNote2=Second\r\n"
             "[Program1]\r\nName=One\r\n");
  RunningTallimo tallimo(ini);
  HWND main = tallimo.WaitForMainWindow(1, 30000);
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(main);
  TypeKeys({{VK_MENU, true}, {'H', true}, {'H', false}, {VK_MENU, false}});
  Sleep(300);  // the menu opens
  TypeKeys({{'A', true}, {'A', false}});
  HWND about = nullptr;
  ASSERT_TRUE(
      WaitFor([&] { return (about = FindWindowA(nullptr, "Tallimo - Information")); }, 10000));
  // The box is found by its title as soon as its window exists, before its controls do.
  HWND notes = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (notes = ChildOfClass(about, "Edit")); }, 5000));
  RECT r;
  GetWindowRect(about, &r);
  EXPECT_TRUE(r.left == 33 && r.top == 37) << r.left << ", " << r.top;
  EXPECT_TRUE(WaitFor([&] { return TextOf(notes) == "First\r\nSecond"; }, 5000)) << TextOf(notes);
  ClickAt(about, 20, 20);  // the logo
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); }, 5000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(tallimo.Ended(15000));
}

// `count` distinct names in no particular order.
std::vector<std::string> GeneratedNames(int count) {
  static const char* const kWords[] = {"Text", "Picture", "Sound",  "Disk",   "Archive", "Paint",
                                       "Game", "Tools",   "Editor", "Viewer", "Player",  "Font"};
  std::vector<int> numbers(count);
  for (int i = 0; i < count; ++i) numbers[i] = i;
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
  std::vector<std::string> names;
  for (int n : numbers) {
    char name[64];
    std::snprintf(name, sizeof name, "%s %s %05d", kWords[n % 12], kWords[(n / 12) % 12], n);
    names.push_back(name);
  }
  return names;
}

// With `groups`, each entry in one of that many categories and presets (and a second preset).
std::string GeneratedCatalogue(const std::vector<std::string>& names, int groups = 0) {
  std::string text = "[General]\r\nCaption=Timing Disc\r\n";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text +=
        "[Program" + std::to_string(i + 1) + "]\r\nName=" + names[i] + "\r\nNFO=\r\nBatch=0\r\n";
    if (groups > 0)
      text += "Category=Category " + std::to_string(i % groups) + "\r\nPresets=Preset " +
              std::to_string(i % groups) + ";Preset " + std::to_string((i + 1) % groups) + "\r\n";
    text += "Install1=%D:\\SETUP.EXE\r\nInfo1=Entry " + std::to_string(i) +
            " of the timing disc.\r\nSpecs1=Needs nothing.\r\n";
  }
  return text;
}

// Milliseconds from CreateProcess until `window` finds the program's main window shown (for
// Tallimo: with its list filled) and the program waits for input, its first paint done. The
// window is then closed and the program must end.
template <typename FindWindow>
double MillisecondsToAPaintedWindow(const RunningProgram& program, FindWindow window) {
  EXPECT_TRUE(program.Started());
  HWND main = nullptr;
  WaitFor([&] { return (main = window()) != nullptr; }, 60000);
  EXPECT_NE(main, nullptr);
  if (!main) return -1;
  WaitForInputIdle(program.Process(), 10000);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                              program.StartedAt())
                        .count();
  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(program.Ended(30000, exitCode));
  return ms;
}

double StartupMilliseconds(const std::string& ini, int rows) {
  RunningTallimo tallimo(ini);
  return MillisecondsToAPaintedWindow(tallimo, [&] { return tallimo.WaitForMainWindow(rows, 0); });
}

// A program beside this one that shows one top-level window (the bare window, the floor).
double WindowProgramMilliseconds(const char* fileName) {
  RunningProgram program("", nullptr, BesideThisProgram(fileName));
  return MillisecondsToAPaintedWindow(program, [&]() -> HWND {
    const std::vector<HWND> windows = VisibleTopWindows(program.Pid());
    return windows.empty() ? nullptr : windows.front();
  });
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The medians of start-ups timed turn about, `runs` times each.
template <typename... Startups>
std::vector<double> MedianStartups(int runs, Startups... startups) {
  std::vector<std::vector<double>> times(sizeof...(Startups));
  for (int run = 0; run < runs; ++run) {
    size_t i = 0;
    ((times[i++].push_back(startups())), ...);
  }
  std::vector<double> medians;
  for (auto& t : times) medians.push_back(Median(t));
  return medians;
}

// Tallimo on the demo disc against a program that only shows an empty window, and against the
// floor program that makes the main window's kinds of windows and nothing else; started the
// same way, turn about.
TEST(MainWindow, DISABLED_StartupOnTheDemoDiscAgainstABareWindow) {
  constexpr int kRuns = 7;
  ScratchFolder scratch;
  const std::string ini = PrepareDisc(scratch);
  const int rows = static_cast<int>(ExpectedRows(ReadExpected(ini)).size());
  const std::vector<double> m = MedianStartups(
      kRuns, [] { return WindowProgramMilliseconds("tallimo_bare_window.exe"); },
      [] { return WindowProgramMilliseconds("tallimo_floor_window.exe"); },
      [&] { return StartupMilliseconds(ini, rows); });
  const double b = m[0], f = m[1], t = m[2];
  ASSERT_GT(b, 0);
  ASSERT_GT(f, 0);
  ASSERT_GT(t, 0);
  std::printf(
      "start-up to a painted main window, median of %d: bare window %.0f ms, floor program %.0f "
      "ms, Tallimo on the demo disc %.0f ms; Tallimo/bare %.2f, Tallimo/floor %.2f, floor/bare "
      "%.2f\n",
      kRuns, b, f, t, t / b, t / f, f / b);
}

// 10,000 programs against the demo disc, side by side.
TEST(MainWindow, DISABLED_StartupOnALargeCatalogue) {
  constexpr int kEntries = 10000;
  constexpr int kRuns = 9;
  ScratchFolder scratch;
  const std::string demoIni = PrepareDisc(scratch);
  const int demoRows = static_cast<int>(ExpectedRows(ReadExpected(demoIni)).size());
  const std::string largeIni = scratch.Path() + "\\large.ini";
  const std::vector<std::string> names = GeneratedNames(kEntries);
  ASSERT_TRUE(WriteBytes(largeIni, GeneratedCatalogue(names)));
  // The same programs in 1,000 categories and 1,000 presets: a header row more for each.
  constexpr int kGroups = 1000;
  const std::string groupedIni = scratch.Path() + "\\grouped.ini";
  ASSERT_TRUE(WriteBytes(groupedIni, GeneratedCatalogue(names, kGroups)));

  const std::vector<double> m = MedianStartups(
      kRuns, [&] { return StartupMilliseconds(demoIni, demoRows); },
      [&] { return StartupMilliseconds(largeIni, kEntries); },
      [&] { return StartupMilliseconds(groupedIni, kEntries + kGroups); });
  const double d = m[0], l = m[1], g = m[2];
  ASSERT_GT(d, 0);
  ASSERT_GT(l, 0);
  ASSERT_GT(g, 0);
  std::printf(
      "start-up to a painted main window, median of %d: demo disc %.0f ms, %d entries %.0f ms, "
      "ratio %.2f; in %d categories and presets %.0f ms, %.2f of the plain %d\n",
      kRuns, d, kEntries, l, l / d, kGroups, g, g / l, kEntries);

  // Two parts of the difference, in this process: reading the catalogue, and the rows through
  // the user's locale (sort keys).
  tallimo::Catalogue cat;
  const auto t0 = std::chrono::steady_clock::now();
  tallimo::ReadCatalogueText(GeneratedCatalogue(names), cat);
  const auto t1 = std::chrono::steady_clock::now();
  const tallimo::StringList rows = tallimo::ProgramListRows(cat.ProgramList, tallimo::HostLocale());
  const auto t2 = std::chrono::steady_clock::now();
  ASSERT_EQ(cat.ProgramList.size(), static_cast<size_t>(kEntries));
  EXPECT_EQ(rows.size(), static_cast<size_t>(kEntries));
  using Ms = std::chrono::duration<double, std::milli>;
  std::printf("under Wine, %d entries: catalogue read %.1f ms, program list rows %.1f ms\n",
              kEntries, Ms(t1 - t0).count(), Ms(t2 - t1).count());
}

// The demo disc with its Detect lines against the same disc without them, turn about: until
// the main window is painted and then answers a message (detection runs after the first
// paint, on the window's thread). Then the detection alone, in this process, over the real
// registry and files.
double StartupUntilAnsweringMilliseconds(const std::string& ini, int rows) {
  RunningTallimo tallimo(ini);
  HWND main = nullptr;
  WaitFor([&] { return (main = tallimo.WaitForMainWindow(rows, 0)) != nullptr; }, 60000);
  EXPECT_NE(main, nullptr);
  if (!main) return -1;
  WaitForInputIdle(tallimo.Process(), 10000);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                              tallimo.StartedAt())
                        .count();
  PostMessageA(main, WM_CLOSE, 0, 0);
  DWORD exitCode = 1;
  EXPECT_TRUE(tallimo.Ended(30000, exitCode));
  return ms;
}

TEST(MainWindow, DISABLED_StartupOnTheDemoDiscWithAndWithoutDetectLines) {
  constexpr int kRuns = 7;
  ScratchFolder scratch;
  const std::string withDetect = PrepareDisc(scratch);
  const int rows = static_cast<int>(ExpectedRows(ReadExpected(withDetect)).size());
  std::string text, kept;
  ASSERT_TRUE(tallimo::HostFileSystem().ReadWholeFile(withDetect, text));
  size_t detectLines = 0;
  for (size_t at = 0; at < text.size();) {
    size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    if (text.compare(at, 7, "Detect=") == 0)
      ++detectLines;
    else
      kept += text.substr(at, end - at);
    at = end;
  }
  ASSERT_GT(detectLines, 0u) << "the demo disc has Detect lines";
  const std::string without = withDetect.substr(0, withDetect.rfind('\\')) + "\\NODETECT.INI";
  ASSERT_TRUE(WriteBytes(without, kept));
  const std::vector<double> m = MedianStartups(
      kRuns, [&] { return StartupUntilAnsweringMilliseconds(without, rows); },
      [&] { return StartupUntilAnsweringMilliseconds(withDetect, rows); });
  const double n = m[0], d = m[1];
  ASSERT_GT(n, 0);
  ASSERT_GT(d, 0);
  std::printf(
      "start-up until the painted main window answers, median of %d: demo disc without Detect "
      "lines %.0f ms, with %zu Detect lines %.0f ms, difference %.0f ms\n",
      kRuns, n, detectLines, d, d - n);

  tallimo::Catalogue cat;
  tallimo::ReadCatalogueText(text, cat);
  constexpr int kPasses = 20;
  size_t installed = 0;
  const auto t0 = std::chrono::steady_clock::now();
  for (int pass = 0; pass < kPasses; ++pass)
    installed = tallimo::DetectInstalled(cat.ProgramList,
                                         {tallimo::HostProbeFileSystem(), tallimo::HostRegistry(),
                                          tallimo::HostEnvironment()})
                    .size();
  const double each =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
      kPasses;
  std::printf(
      "under Wine, detection over the demo disc's %zu entries: %.2f ms a pass (%zu "
      "installed)\n",
      cat.ProgramList.size(), each, installed);
}

}  // namespace

int main(int argc, char** argv) {
  return tallimo::e2e::RunTests(argc, argv, "tallimo_e2e");
}
