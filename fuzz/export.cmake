# The text-format (.PWO) reader and its round trip through the writer.
add_pw_fuzzer(fuzz_text_format ${CMAKE_CURRENT_SOURCE_DIR}/text_format_fuzzer.cpp pw_export)
