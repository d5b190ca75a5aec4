# Font and tab unification over every body of a large document.
add_executable(bench_styling ${CMAKE_CURRENT_SOURCE_DIR}/styling_unification.cpp)
target_link_libraries(bench_styling PRIVATE pw_styling benchmark::benchmark)
