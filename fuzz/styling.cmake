# The style-file and date-format readers and the date formatter on arbitrary bytes.
add_pw_fuzzer(fuzz_styling_files ${CMAKE_CURRENT_SOURCE_DIR}/styling_files_fuzzer.cpp pw_styling)
