# Compiler settings shared by every target of our own.

add_library(velmory_warnings INTERFACE)
target_compile_options(velmory_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)

if(VELMORY_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
elseif(VELMORY_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=thread)
elseif(NOT VELMORY_SANITIZE STREQUAL "")
  message(FATAL_ERROR "VELMORY_SANITIZE must be empty, address or thread")
endif()

# velmory_library(name SOURCES...) : a static library of our own code with the warning set.
function(velmory_library name)
  add_library(${name} STATIC ${ARGN})
  target_link_libraries(${name} PRIVATE velmory_warnings)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# velmory_test(name SOURCES... LIBS libs...) : a GoogleTest binary registered with CTest.
# Tests run from the source tree's root so that relative resource paths (res/...) resolve.
function(velmory_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main velmory_warnings)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    PROPERTIES ENVIRONMENT "LP_NUM_THREADS=0;VELMORY_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    DISCOVERY_TIMEOUT 60)
endfunction()
