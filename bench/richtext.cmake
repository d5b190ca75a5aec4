# Body-to-lines over every body of a large document (Google Benchmark), the single-process
# peer of `unrtf --text`, and the tool that prepares the RTF both are timed on.
add_executable(richtext_prepare ${CMAKE_CURRENT_SOURCE_DIR}/richtext_prepare.cpp)
target_link_libraries(richtext_prepare PRIVATE pw_richtext)
add_executable(richtext_lines ${CMAKE_CURRENT_SOURCE_DIR}/richtext_lines.cpp)
target_link_libraries(richtext_lines PRIVATE pw_richtext)
# One process per small body is dominated by start-up; without the C++ runtime to load and
# relocate, the figure measures the reader rather than the dynamic loader.
target_link_options(richtext_lines PRIVATE -static-libstdc++ -static-libgcc)
add_executable(bench_richtext ${CMAKE_CURRENT_SOURCE_DIR}/richtext_bench.cpp)
target_link_libraries(bench_richtext PRIVATE pw_richtext benchmark::benchmark)
# Hostile bodies (many tab stops, a huge font name): reading time and memory stay linear.
add_executable(bench_rtf_hostile ${CMAKE_CURRENT_SOURCE_DIR}/richtext_hostile.cpp)
target_link_libraries(bench_rtf_hostile PRIVATE pw_richtext benchmark::benchmark)
