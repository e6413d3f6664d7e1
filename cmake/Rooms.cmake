# The program's rooms (folders under src/), each a library of its own that links only the
# rooms below it. A room's headers are reached as "room/Header.h" through an include folder
# that holds that room alone (a link to src/<room>), and a target sees the include folders of
# its own room and of the rooms it links: an #include that points up names a file no include
# folder holds, and the build fails there.
set(TARNWICK_ROOM_INCLUDES ${CMAKE_BINARY_DIR}/rooms)

# tarnwick_room(NAME [KIND STATIC|OBJECT] [SOURCES extra...] [EXCLUDE file...]
#               [LINKS room-or-target...]): the library tarnwick_NAME of every .cpp under
# src/NAME/ (new files are picked up without editing this) but the EXCLUDEd ones (a program's
# main.cpp), with the include folder of its own room; LINKS are the rooms and libraries below
# it.
function(tarnwick_room NAME)
  cmake_parse_arguments(ROOM "" "KIND" "SOURCES;EXCLUDE;LINKS" ${ARGN})
  if(NOT ROOM_KIND)
    set(ROOM_KIND STATIC)
  endif()
  file(GLOB_RECURSE SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${NAME}/*.cpp)
  foreach(EXCLUDED ${ROOM_EXCLUDE})
    list(REMOVE_ITEM SOURCES ${CMAKE_SOURCE_DIR}/src/${NAME}/${EXCLUDED})
  endforeach()
  set(INCLUDE_DIR ${TARNWICK_ROOM_INCLUDES}/${NAME})
  file(MAKE_DIRECTORY ${INCLUDE_DIR})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${NAME} ${INCLUDE_DIR}/${NAME} SYMBOLIC)
  add_library(tarnwick_${NAME} ${ROOM_KIND} ${SOURCES} ${ROOM_SOURCES})
  target_include_directories(tarnwick_${NAME} PUBLIC ${INCLUDE_DIR})
  target_link_libraries(tarnwick_${NAME} PUBLIC ${ROOM_LINKS})
endfunction()

# The include folder of a room for a target that is no room's library (the icon tool).
function(tarnwick_room_includes TARGET)
  foreach(ROOM ${ARGN})
    target_include_directories(${TARGET} PRIVATE ${TARNWICK_ROOM_INCLUDES}/${ROOM})
  endforeach()
endfunction()
