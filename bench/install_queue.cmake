# The install queue's own time per program (from one installer's end to the next one's start),
# 200 programs over the fake process runner, with the real log and batch files in TEMP.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(install_queue_bench ${CMAKE_CURRENT_LIST_DIR}/install_queue_bench.cpp)
  target_link_libraries(install_queue_bench PRIVATE tallimo_host benchmark::benchmark)
  target_include_directories(install_queue_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(install_queue_bench PRIVATE ${TALLIMO_WARNINGS})
endif()
