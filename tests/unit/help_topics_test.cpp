// The help's sources against the context table that the program uses: every number has a topic
// file with text, the controls of the dialogs with a caption help button have pop-up texts, and
// the help project lists the same numbers, files and links.
#include "help/help_topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace tallimo {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = TALLIMO_SOURCE_DIR;
const fs::path kHelp = kSource / "help";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The words of a page's body, its tags left out.
int WordCount(const std::string& html) {
  std::string body = html.substr(std::min(html.find("<body>"), html.size()));
  body = std::regex_replace(body, std::regex("<[^>]*>"), " ");
  std::istringstream words(body);
  int n = 0;
  for (std::string w; words >> w;) ++n;
  return n;
}

// The lines of one [SECTION] of the help project, without blank lines.
std::vector<std::string> ProjectSection(const std::string& name) {
  std::istringstream in(ReadFile(kHelp / "Tallimo.hhp"));
  std::vector<std::string> lines;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      inside = line == "[" + name + "]";
    } else if (inside && !line.empty()) {
      lines.push_back(line);
    }
  }
  return lines;
}

TEST(HelpTopics, EveryNumberOfTheWindowsHasATopicAndTheDialogControlsAPopup) {
  // The numbers the windows carry, and those of the install queue.
  const std::set<int> withPopup = {11, 40, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60,
                                   61, 62, 63, 64, 65, 66, 67, 68, 69, 71, 81, 82, 83};
  const std::set<int> inHelpWindow = {1,  2,  20, 21, 22, 23, 24, 25, 31,
                                      32, 33, 34, 35, 36, 37, 45, 46, 70};
  for (int context : withPopup) {
    const HelpTopic* t = FindHelpTopic(context);
    ASSERT_NE(t, nullptr) << context;
    ASSERT_NE(t->popup, nullptr) << context;
    EXPECT_GE(std::string(t->popup).size(), 40u) << context;
  }
  for (int context : inHelpWindow) {
    const HelpTopic* t = FindHelpTopic(context);
    ASSERT_NE(t, nullptr) << context;
    EXPECT_EQ(t->popup, nullptr) << context << ": opens in the help window";
  }
  EXPECT_EQ(std::size(kHelpTopics), withPopup.size() + inHelpWindow.size());
  EXPECT_EQ(FindHelpTopic(0), nullptr);
}

// Every literal context number in the windows' code (controls and menu items) has a topic.
TEST(HelpTopics, EveryContextNumberInTheCodeHasATopic) {
  // HelpContext = N or a design's .helpContext = N; menu items Add("Name", "Caption", N); rows of
  // control tables that end in the number ({Label1, ..., Edit1, ..., 81}, {TabSheet1, ..., 61}).
  const std::regex uses(
      R"re([Hh]elpContext\s*=\s*(\d+)|\.Add\("\w+",\s*"[^"]*",\s*(\d+)\)|\{\s*(?:Label|TabSheet)\d[^{}]*,\s*(\d+)\})re");
  int found = 0;
  for (const char* folder : {"app", "install", "editor", "catalogue", "viewers", "ui"}) {
    for (const auto& file : fs::directory_iterator(kSource / folder)) {
      if (file.path().extension() != ".cpp") continue;
      const std::string code = ReadFile(file.path());
      for (std::sregex_iterator m(code.begin(), code.end(), uses), end; m != end; ++m) {
        const auto& number = (*m)[1].matched ? (*m)[1] : (*m)[2].matched ? (*m)[2] : (*m)[3];
        const int context = std::stoi(number.str());
        ++found;
        if (context == 0) continue;
        EXPECT_NE(FindHelpTopic(context), nullptr)
            << file.path().filename() << ": context " << context << " has no topic";
      }
    }
  }
  EXPECT_GE(found, 25);  // the scan saw the windows' numbers
}

TEST(HelpTopics, EveryTopicFileIsInTheProjectAndHasText) {
  const std::vector<std::string> files = ProjectSection("FILES");
  const std::set<std::string> listed(files.begin(), files.end());
  const std::string contents = ReadFile(kHelp / "Tallimo.hhc");
  for (const HelpTopic& t : kHelpTopics) {
    EXPECT_TRUE(listed.contains(t.file)) << t.file << " is not in [FILES]";
  }
  for (const std::string& file : files) {
    const std::string html = ReadFile(kHelp / file);
    ASSERT_FALSE(html.empty()) << file;
    EXPECT_GE(WordCount(html), 100) << file;
    EXPECT_TRUE(std::regex_search(html, std::regex("<title>[^<]+</title>"))) << file;
    EXPECT_NE(contents.find("\"" + file + "\""), std::string::npos) << file << " not in contents";
  }
}

// Links and pictures of the topics, the contents and the index name files of the project.
TEST(HelpTopics, EveryLinkNamesAFileOfTheProject) {
  const std::regex link(R"re((?:href|src|value)="([^"#:]+\.(?:htm|png|css))")re");
  std::vector<std::string> pages = ProjectSection("FILES");
  pages.push_back("Tallimo.hhc");
  pages.push_back("Tallimo.hhk");
  for (const std::string& page : pages) {
    const std::string html = ReadFile(kHelp / page);
    for (std::sregex_iterator m(html.begin(), html.end(), link), end; m != end; ++m)
      EXPECT_TRUE(fs::is_regular_file(kHelp / (*m)[1].str())) << page << " -> " << (*m)[1];
  }
}

// The project's [ALIAS] and [MAP] say what the table says: IDH_<alias>=<file>, #define
// IDH_<alias> <context>.
TEST(HelpTopics, TheProjectsAliasAndMapMatchTheTable) {
  std::map<std::string, std::string> alias;
  for (const std::string& line : ProjectSection("ALIAS")) {
    const size_t eq = line.find('=');
    ASSERT_NE(eq, std::string::npos) << line;
    alias[line.substr(0, eq)] = line.substr(eq + 1);
  }
  std::map<std::string, int> map;
  const std::regex define(R"(#define\s+(\w+)\s+(\d+))");
  for (const std::string& line : ProjectSection("MAP")) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, define)) << line;
    map[m[1]] = std::stoi(m[2]);
  }
  ASSERT_EQ(alias.size(), std::size(kHelpTopics));
  ASSERT_EQ(map.size(), std::size(kHelpTopics));
  for (const HelpTopic& t : kHelpTopics) {
    const std::string name = std::string("IDH_") + t.alias;
    EXPECT_EQ(alias[name], t.file) << name;
    EXPECT_EQ(map[name], t.context) << name;
  }
}

}  // namespace
}  // namespace tallimo
