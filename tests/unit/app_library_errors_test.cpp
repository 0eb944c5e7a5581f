// The library's own failures as Tallimo.exe raises them: an exception of ours with the
// library's message, its values filled in.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(LibraryErrors, CarryTheLibrarysMessageWithItsValues) {
  const struct {
    const char* name;
    std::function<void()> fail;
    std::string message;
  } cases[] = {
      {"substr", [] { (void)std::string("abc").substr(5); },
       "basic_string::substr: __pos (which is 5) > this->size() (which is 3)"},
      {"at", [] { (void)std::vector<int>(2).at(7); },
       "vector::_M_range_check: __n (which is 7) >= this->size() (which is 2)"},
      {"length", [] { std::string().reserve(std::string().max_size() + 1); },
       "basic_string::_M_create"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      c.fail();
      ADD_FAILURE() << "no exception";
    } catch (const std::logic_error&) {
      ADD_FAILURE() << "the library's own error class";
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

}  // namespace
