# search: the pattern compiler, and the fast matcher checked against the reference one.
add_pw_fuzzer(fuzz_search_compile search_compile.cpp pw_search)
add_pw_fuzzer(fuzz_search_differential search_differential.cpp pw_search)
