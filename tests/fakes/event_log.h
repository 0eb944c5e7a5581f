#pragma once
// One log that several fakes write to, so that a test can check the order of events across
// seams ("write C:\TLM-abcd.bat", "launch C:\TLM-abcd.bat", ...).
#include <string>
#include <vector>

namespace tallimo::testing {

using EventLog = std::vector<std::string>;

}  // namespace tallimo::testing
