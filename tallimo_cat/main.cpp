// tallimo-cat: see tallimo_cat/cat_tool.h.
#include <iostream>

#include "tallimo_cat/cat_tool.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return tallimo::RunCatTool(args, std::cout, std::cerr, tallimo::HostFileSystem(),
                             tallimo::HostLocale(), tallimo::HostClock());
}
