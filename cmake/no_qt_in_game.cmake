# Fails when a file of the game's own folders (every folder of src/ but src/platform) includes a Qt
# header: the game reaches Qt only through the platform seam (src/platform/host.h).
#   cmake -DSOURCE_DIR=<top of the sources> -P no_qt_in_game.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(offenders "")
foreach(source ${sources})
  if(source MATCHES "^src/platform/")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} lines REGEX "#include <Q")
  if(lines)
    list(APPEND offenders ${source})
  endif()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " listed)
  message(FATAL_ERROR "Qt headers outside src/platform:\n  ${listed}")
endif()
message(STATUS "No Qt header outside src/platform (${SOURCE_DIR})")
