# The three readers of the outline layout.
add_pw_fuzzer(fuzz_core_document_reader ${CMAKE_CURRENT_SOURCE_DIR}/core_document_reader.cpp pw_core)
add_pw_fuzzer(fuzz_core_template_reader ${CMAKE_CURRENT_SOURCE_DIR}/core_template_reader.cpp pw_core)
add_pw_fuzzer(fuzz_core_node_stream_reader ${CMAKE_CURRENT_SOURCE_DIR}/core_node_stream_reader.cpp
              pw_core)
