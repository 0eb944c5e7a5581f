# tallimo-cat scan over a disc of 2,000 files, 200 of them installers totalling 8 GB as sparse
# files (a figure, not a timed test). Included by bench/CMakeLists.txt.
find_package(benchmark QUIET)
if(benchmark_FOUND AND TARGET tallimo_test_installers)
  add_executable(disc_scan_bench ${CMAKE_CURRENT_LIST_DIR}/disc_scan_bench.cpp)
  target_link_libraries(disc_scan_bench PRIVATE tallimo_host benchmark::benchmark)
  target_compile_options(disc_scan_bench PRIVATE ${TALLIMO_WARNINGS})
  target_compile_definitions(disc_scan_bench PRIVATE
    TALLIMO_TEST_INSTALLERS="${CMAKE_BINARY_DIR}/installers")
  add_dependencies(disc_scan_bench tallimo_test_installers)
endif()
