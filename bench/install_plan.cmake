# The planner with the catalogue's rules: 10,000 programs, each requiring the next one's.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(install_plan_bench ${CMAKE_CURRENT_LIST_DIR}/install_plan_bench.cpp)
  target_link_libraries(install_plan_bench PRIVATE tallimo_host benchmark::benchmark)
  target_compile_options(install_plan_bench PRIVATE ${TALLIMO_WARNINGS})
endif()
