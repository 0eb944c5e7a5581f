# Detection over a share that does not answer: 1,000 entries on it, the probe's limit waited for
# once. Included by bench/CMakeLists.txt (native builds, where Google Benchmark is installed).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(detect_bench ${CMAKE_CURRENT_LIST_DIR}/detect_bench.cpp)
  target_link_libraries(detect_bench PRIVATE tallimo_host benchmark::benchmark)
  target_include_directories(detect_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(detect_bench PRIVATE ${TALLIMO_WARNINGS})
endif()
