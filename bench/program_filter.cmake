# The filter's work on a keystroke (narrowing the rows) and on showing its box (building its
# table), natively. Included by bench/CMakeLists.txt. The refill of the real list under Wine is
# tests/win32's FilterRefill (ctest win32_filter_bench).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(program_filter_bench ${CMAKE_CURRENT_LIST_DIR}/program_filter_bench.cpp)
  target_link_libraries(program_filter_bench PRIVATE tallimo_host benchmark::benchmark)
  target_compile_options(program_filter_bench PRIVATE ${TALLIMO_WARNINGS})
endif()
