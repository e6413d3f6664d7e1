# tarnwick-grade: the grader for teachers, a command-line program beside tarnwick-run on the
# same core. Its code is a library of its own, shared by the program and its tests.
file(GLOB GRADER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/grader/*.cpp)
list(REMOVE_ITEM GRADER_SOURCES ${CMAKE_SOURCE_DIR}/src/grader/main.cpp)
add_library(tarnwick_grader STATIC ${GRADER_SOURCES})
target_link_libraries(tarnwick_grader PUBLIC tarnwick_core)
add_executable(tarnwick-grade ${CMAKE_SOURCE_DIR}/src/grader/main.cpp)
target_link_libraries(tarnwick-grade PRIVATE tarnwick_grader)
