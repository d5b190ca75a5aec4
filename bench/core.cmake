# The large-document generator and the document read/write benchmark.
add_executable(make_big_document ${CMAKE_CURRENT_SOURCE_DIR}/make_big_document.cpp)
target_link_libraries(make_big_document PRIVATE pw_core)
add_executable(bench_document_io ${CMAKE_CURRENT_SOURCE_DIR}/core_document_io.cpp)
target_link_libraries(bench_document_io PRIVATE pw_core benchmark::benchmark)
# The bundled sample story (data/sample/sample.PWV) is made by this program.
if(TARGET pw_richtext)
  add_executable(make_sample_story ${CMAKE_CURRENT_SOURCE_DIR}/make_sample_story.cpp)
  target_link_libraries(make_sample_story PRIVATE pw_core pw_richtext)
endif()
# The floor of reading: one fresh buffer filled by one read (scripts/bench-io).
add_executable(read_floor ${CMAKE_CURRENT_SOURCE_DIR}/read_floor.cpp)
