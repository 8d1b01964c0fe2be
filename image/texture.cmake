# Textures made from TGA images; needs an OpenGL context.
velmory_library(image ${CMAKE_CURRENT_LIST_DIR}/texture.cpp)
target_link_libraries(image PUBLIC tga common OpenGL::GL)

if(VELMORY_BUILD_TESTS)
  velmory_test(texture_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/test/texture_test.cpp LIBS image gltest)
endif()
