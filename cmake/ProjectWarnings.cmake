# Warnings are errors in the project's own code; third-party headers come in as
# system includes and are not affected.
# The fuzzing build uses clang, whose warnings differ from g++'s: there they only warn.
function(skelvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                         -Wnon-virtual-dtor -Wimplicit-fallthrough)
  if(NOT SKELVANE_FUZZ)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A library target for one folder under src/. Extra arguments are its sources.
function(skelvane_library target)
  add_library(${target} STATIC ${ARGN})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  skelvane_warnings(${target})
endfunction()
