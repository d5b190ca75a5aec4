# search: the regular-expression engine timed against Oniguruma (when pkg-config finds it) on a
# large CP932 text; scripts/bench-regex builds and runs it.
find_package(PkgConfig)
if(PKG_CONFIG_FOUND)
  pkg_check_modules(ONIG oniguruma)
endif()
add_executable(bench_search_regex ${CMAKE_CURRENT_SOURCE_DIR}/search_regex.cpp)
target_link_libraries(bench_search_regex PRIVATE pw_search)
if(ONIG_FOUND)
  target_compile_definitions(bench_search_regex PRIVATE PLOTWEAVE_BENCH_ONIG=1)
  target_include_directories(bench_search_regex PRIVATE ${ONIG_INCLUDE_DIRS})
  target_link_directories(bench_search_regex PRIVATE ${ONIG_LIBRARY_DIRS})
  target_link_libraries(bench_search_regex PRIVATE ${ONIG_LIBRARIES})
endif()
