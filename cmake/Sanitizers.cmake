# AddressSanitizer + UndefinedBehaviorSanitizer for the whole build (project code and
# tests alike). Undefined behaviour aborts instead of printing and carrying on, so a
# sanitizer finding fails the test that triggered it.
if(SKELVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing (clang): every library gets coverage instrumentation and both sanitizers; the fuzz
# targets link libFuzzer's main (tests/fuzz/CMakeLists.txt).
if(SKELVANE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined
                      -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
