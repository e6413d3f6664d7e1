# tarnwick-grade: the grader for teachers, a command-line program beside tarnwick-run on the
# same core. Its code is a room of its own (cmake/Rooms.cmake), shared by the program and its
# tests.
tarnwick_room(grader EXCLUDE main.cpp LINKS tarnwick_core)
add_executable(tarnwick-grade ${CMAKE_SOURCE_DIR}/src/grader/main.cpp)
target_link_libraries(tarnwick-grade PRIVATE tarnwick_grader)
