# Body-to-lines over every body of a large document (Google Benchmark), the single-process
# peer of `unrtf --text`, and the tool that prepares the RTF both are timed on.
add_executable(richtext_prepare ${CMAKE_CURRENT_SOURCE_DIR}/richtext_prepare.cpp)
target_link_libraries(richtext_prepare PRIVATE pw_richtext)
add_executable(richtext_lines ${CMAKE_CURRENT_SOURCE_DIR}/richtext_lines.cpp)
target_link_libraries(richtext_lines PRIVATE pw_richtext)
add_executable(bench_richtext ${CMAKE_CURRENT_SOURCE_DIR}/richtext_bench.cpp)
target_link_libraries(bench_richtext PRIVATE pw_richtext benchmark::benchmark)
