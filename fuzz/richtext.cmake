# The RTF reader: arbitrary bytes must never crash it, its two readings must agree, and what
# the writer makes of the result must read back the same.
add_pw_fuzzer(fuzz_richtext_reader ${CMAKE_CURRENT_SOURCE_DIR}/richtext_reader_fuzzer.cpp pw_richtext)
