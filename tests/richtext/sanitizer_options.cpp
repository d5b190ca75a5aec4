// The code-page converters are opened once and kept for the life of the program on purpose;
// LeakSanitizer would report them at exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:iconv_open\n"; }
