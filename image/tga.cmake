# The TGA reader: pure C++, no OpenGL.
set(TGA_DIR ${CMAKE_CURRENT_LIST_DIR})

velmory_library(tga ${TGA_DIR}/tga.cpp)
target_link_libraries(tga PUBLIC common)

# stb_image serves as an independent oracle in the tests and the fuzzer and as the baseline in the
# benchmark, never in the program. Its code is not ours: it is built without our warnings, and
# without UBSan, since undefined behaviour inside stb is not ours to fix and would stop our runs.
if(VELMORY_BUILD_TESTS OR VELMORY_BUILD_BENCHMARKS OR VELMORY_BUILD_FUZZERS)
  add_library(tga_stb STATIC ${TGA_DIR}/test/tga_stb_impl.cpp)
  target_compile_options(tga_stb PRIVATE -w -fno-sanitize=undefined)
endif()

if(VELMORY_BUILD_TESTS)
  velmory_test(tga_tests
    SOURCES ${TGA_DIR}/test/tga_files.cpp ${TGA_DIR}/test/tga_load_test.cpp
            ${TGA_DIR}/test/tga_malformed_test.cpp ${TGA_DIR}/test/tga_stb_test.cpp
    LIBS tga tga_stb)
endif()

if(VELMORY_BUILD_FUZZERS)
  # The reader is compiled into the fuzzer itself so that its code carries the coverage
  # instrumentation, while the tga library stays as every other build has it.
  add_executable(fuzz_tga ${TGA_DIR}/fuzz/fuzz_tga.cpp ${TGA_DIR}/tga.cpp)
  target_compile_options(fuzz_tga PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_tga PRIVATE -fsanitize=fuzzer,address,undefined)
  target_include_directories(fuzz_tga PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(fuzz_tga PRIVATE common tga_stb velmory_warnings)
endif()

if(VELMORY_BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
  add_executable(tga_bench ${TGA_DIR}/bench/tga_bench.cpp)
  target_link_libraries(tga_bench PRIVATE tga tga_stb benchmark::benchmark velmory_warnings)
endif()
