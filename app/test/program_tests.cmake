# Tests that run the program itself, or its WinMain, on a virtual X server.

# WinMain with the SDL platform and its test hooks, for the start-up failure paths.
add_executable(startup_probe test/startup_probe.cpp)
target_link_libraries(startup_probe PRIVATE platform_sdl appshell velmory_warnings)

add_executable(startup_tests test/startup_test.cpp)
target_link_libraries(startup_tests PRIVATE GTest::gtest GTest::gtest_main velmory_warnings)
target_compile_definitions(startup_tests PRIVATE STARTUP_PROBE="$<TARGET_FILE:startup_probe>")
add_dependencies(startup_tests startup_probe)
add_test(NAME startup_tests COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/test/with_xvfb.sh $<TARGET_FILE:startup_tests>)
set_tests_properties(startup_tests PROPERTIES TIMEOUT 120)

# The program itself, end to end: see test/e2e.sh.
find_package(X11 REQUIRED)
add_executable(close_request test/close_request.cpp)
target_link_libraries(close_request PRIVATE X11::X11 velmory_warnings)
foreach(case session close alt-f4 missing-hand focus-away no-display)
  add_test(NAME e2e_${case}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/test/e2e.sh $<TARGET_FILE:velmory> ${PROJECT_SOURCE_DIR}/res
            $<TARGET_FILE:close_request> ${case})
  set_tests_properties(e2e_${case} PROPERTIES LABELS e2e TIMEOUT 120)
endforeach()

# Measuring tools for docs/performance.md (test/perf/measure.sh); not tests.
add_executable(bare_loop test/perf/bare_loop.cpp)
target_link_libraries(bare_loop PRIVATE platform_sdl OpenGL::GL velmory_warnings)
add_library(swap_timer SHARED test/perf/swap_timer.c)
target_link_libraries(swap_timer PRIVATE ${CMAKE_DL_LIBS})
