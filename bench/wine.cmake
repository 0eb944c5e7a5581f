# The Windows build's benchmark, run under Wine: our catalogue load against the profile
# functions' load of the same 2,000-entry file, as a ratio in one run. A plain console program
# (no Google Benchmark): bench/CMakeLists.txt includes this file. ctest runs it once with one
# profile-function load (about 10 s); run it by hand for three:
#   catalogue_bench_wine.exe 2000 3
if(WIN32)
  add_executable(catalogue_bench_wine ${CMAKE_CURRENT_LIST_DIR}/catalogue_bench_wine.cpp)
  target_link_libraries(catalogue_bench_wine PRIVATE tallimo_host)
  target_compile_options(catalogue_bench_wine PRIVATE ${TALLIMO_WARNINGS})
  add_test(NAME wine_catalogue_bench COMMAND catalogue_bench_wine 2000 1)
  set_tests_properties(wine_catalogue_bench PROPERTIES TIMEOUT 240 LABELS bench)
endif()
