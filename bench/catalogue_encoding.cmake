# Loading catalogues of 10k and 100k entries stored in each encoding.
# Included by bench/CMakeLists.txt (native builds, where Google Benchmark is installed).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(catalogue_encoding_bench ${CMAKE_CURRENT_LIST_DIR}/catalogue_encoding_bench.cpp)
  target_link_libraries(catalogue_encoding_bench PRIVATE tallimo_host benchmark::benchmark)
  target_compile_options(catalogue_encoding_bench PRIVATE ${TALLIMO_WARNINGS})
endif()
