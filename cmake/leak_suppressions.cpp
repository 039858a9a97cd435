// Compiled into every program of the sanitizer build (TL_SANITIZE): the
// leak checker's suppressions and options, so that its programs run clean
// with no LSAN_OPTIONS set. LSAN_OPTIONS, when set, still has the last word.
//
// What is suppressed are the caches that the font, X and SDL libraries
// keep for the life of the process: they are let go only at its end, which
// the leak checker counts as leaks.

extern "C" {

__attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n"
           "leak:libpango\n"
           "leak:libharfbuzz\n"
           "leak:libcairo\n"
           "leak:libX11\n"
           "leak:libSDL2\n"
           "leak:libdbus\n";
}

// A suppression that was used is listed at the end of the run unless told not to.
__attribute__((visibility("default"), used)) const char* __lsan_default_options() {
    return "print_suppressions=0";
}

}
