# Warnings and sanitizers shared by every target of the project.

if(RUNNER_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_library(sanitizer_options OBJECT ${CMAKE_CURRENT_LIST_DIR}/SanitizerOptions.cpp)
  link_libraries(sanitizer_options)
endif()

if(RUNNER_FUZZ)
  # Coverage for the fuzzers in everything they reach; each fuzz target links the driver.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Project targets call this; third-party headers stay out of the warning set.
function(project_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wformat=2 -Wimplicit-fallthrough
    -Wmissing-declarations)
  # GCC 12 at -O3 reports overlapping and overflowing copies inside std::string and std::vector
  # where there are none; other compilers and the other builds keep both warnings.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE "$<$<CONFIG:Release>:-Wno-restrict;-Wno-stringop-overflow>")
  endif()
  if(RUNNER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
