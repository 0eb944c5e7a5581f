# The program list's refill: sorting and merging the names of a large catalogue.
# Included by bench/CMakeLists.txt (native builds, where Google Benchmark is installed).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(program_list_bench ${CMAKE_CURRENT_LIST_DIR}/program_list_bench.cpp)
  target_link_libraries(program_list_bench PRIVATE tallimo_host benchmark::benchmark)
  target_compile_options(program_list_bench PRIVATE ${TALLIMO_WARNINGS})
endif()
