# Runs the resource generator into a scratch directory and compares each file it writes with the
# committed one, byte for byte.
#   cmake -DGENERATOR=<velmory_resgen> -DSOURCE=<repository root> -DSCRATCH=<directory> -P reproduce.cmake
set(outputs res/hd res/tl res/fm app/velmory.ico app/velmory.rc platform/sdl/icon129.inc)

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${GENERATOR}" "${SCRATCH}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "velmory_resgen failed: ${status}")
endif()

set(differing "")
foreach(output IN LISTS outputs)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE}/${output}" "${SCRATCH}/${output}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    list(APPEND differing "${output}")
  endif()
endforeach()
file(REMOVE_RECURSE "${SCRATCH}")
if(differing)
  message(FATAL_ERROR "generated files differ from the committed ones: ${differing}")
endif()
