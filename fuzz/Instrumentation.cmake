# Included by the top-level CMakeLists.txt when GLYPHWARD_BUILD_FUZZERS is on,
# before any library is defined: the code the fuzz targets reach is built with
# coverage feedback for libFuzzer and with ASan and UBSan, so that a bad input
# stops at the first fault instead of running on.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang" OR NOT CMAKE_C_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "GLYPHWARD_BUILD_FUZZERS needs clang for C and C++ "
                      "(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)")
endif()
# Undefined behaviour aborts, so libFuzzer records it as a crash with its input.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
