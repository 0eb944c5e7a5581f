#include "platform/help_engine.h"
#include "platform/screen.h"

namespace tallimo {

// Natively there is no screen and no help window: fixed figures, and help that shows nothing.
Screen& HostScreen() {
  static FixedScreen screen(96, 1024, 768);
  return screen;
}

namespace {
class NoHelpEngine : public HelpEngine {
 public:
  void ShowContext(const std::string&, int) override {}
  void SetPopupPos(const std::string&, int, int) override {}
  void ShowPopup(const std::string&, int) override {}
  void Quit(const std::string&) override {}
};
}  // namespace

HelpEngine& HostHelpEngine() {
  static NoHelpEngine engine;
  return engine;
}

}  // namespace tallimo
