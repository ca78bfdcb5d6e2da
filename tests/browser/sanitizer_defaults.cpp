// What the sanitizer build of this suite leaves to Qt WebEngine, which it does not build.
// Chromium frees some objects with a size that differs from the one they were made with
// (reported as a new-delete type mismatch inside the engine), and the engine and the font
// library it starts keep some blocks until the process ends. AddressSanitizer asks for these
// hooks at start-up; other builds never call them. The engine runs in this suite's own
// process, so every other suite keeps the check.

extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}

extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\n"
           "leak:libfontconfig.so\n";
}
