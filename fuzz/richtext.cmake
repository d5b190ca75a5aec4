# The RTF reader: arbitrary bytes must never crash it, its two readings must agree, and what
# the writer makes of the result must read back the same.
add_pw_fuzzer(richtext_reader_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/richtext_reader_fuzzer.cpp pw_richtext)
