#pragma once
// A help engine that records the topics asked for.
#include <ostream>
#include <string>
#include <vector>

#include "platform/help_engine.h"

namespace tallimo::testing {

class FakeHelpEngine : public HelpEngine {
 public:
  struct Call {
    std::string kind;  // "context", "position", "popup", "quit"
    std::string file;
    int context;  // for "position": x and y
    int y = 0;
    bool operator==(const Call&) const = default;
    friend void PrintTo(const Call& c, std::ostream* os) {
      *os << c.kind << " " << c.file << " " << c.context << (c.kind == "position" ? " " : "")
          << (c.kind == "position" ? std::to_string(c.y) : "");
    }
  };
  std::vector<Call> calls;
  void ShowContext(const std::string& f, int c) override { calls.push_back({"context", f, c}); }
  void SetPopupPos(const std::string& f, int x, int y) override {
    calls.push_back({"position", f, x, y});
  }
  void ShowPopup(const std::string& f, int c) override { calls.push_back({"popup", f, c}); }
  void Quit(const std::string& f) override { calls.push_back({"quit", f, 0}); }
};

}  // namespace tallimo::testing
