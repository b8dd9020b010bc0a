# Build options for checking builds; included from the top CMakeLists.txt.
#
# KELTRO_WERROR    warnings are errors (on by default, in every build).
# KELTRO_SANITIZE  a list of sanitizers for every target, e.g. "address;undefined".
# KELTRO_FUZZ      builds the libFuzzer targets in tests/fuzz (needs clang).
option(KELTRO_WERROR "Treat compiler warnings as errors" ON)
set(KELTRO_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address;undefined")
option(KELTRO_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(KELTRO_WERROR)
  add_compile_options(-Werror)
endif()

if(KELTRO_SANITIZE)
  list(JOIN KELTRO_SANITIZE "," keltro_sanitizers)
  add_compile_options(-fsanitize=${keltro_sanitizers} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${keltro_sanitizers})
endif()

if(KELTRO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KELTRO_FUZZ needs clang (e.g. -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Coverage for the fuzzer over the whole program; the fuzz targets add the driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
