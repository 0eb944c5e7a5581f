// The system-colours seam natively: there is no colour registry, so every text is empty and
// every system colour takes its fallback.
#include "platform/system_colors.h"

namespace tallimo {
namespace {

class NoSystemColors final : public SystemColors {
 public:
  std::string ColorText(const std::string&) override { return std::string(); }
};

}  // namespace

SystemColors& HostSystemColors() {
  static NoSystemColors colors;
  return colors;
}

}  // namespace tallimo
