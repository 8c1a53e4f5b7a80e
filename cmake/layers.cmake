# Fails when a source file includes a header of a layer above its own, or of a part beside it that it
# must not see. The house reads from the bottom up:
#   src/model      the game record and its rules        includes model/ only
#   src/raster     drawing                              includes raster/ and model/points.h
#   src/seam       what the game asks of a platform     includes seam/, raster/, model/
#   src/core       the game; core/face.h is its face    includes core/, seam/, raster/, model/
#   src/platform   the Qt desktop and the web page      includes its own folder, core/face.h, seam/,
#                                                       raster/ (and, the Qt desktop alone, Qt)
#   src/cli        the companion program                includes model/ only
# No file outside src/platform includes a Qt header.
#   cmake -DSOURCE_DIR=<top of the sources> -P layers.cmake
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
set(offenders "")
foreach(source ${sources})
  if(source MATCHES "^src/model/" OR source MATCHES "^src/cli/")
    set(allowed "^model/")
  elseif(source MATCHES "^src/raster/")
    set(allowed "^(raster/|model/points\\.h$)")
  elseif(source MATCHES "^src/seam/")
    set(allowed "^(seam|raster|model)/")
  elseif(source MATCHES "^src/core/")
    set(allowed "^(core|seam|raster|model)/")
  elseif(source MATCHES "^src/platform/(qt|web)/")
    set(allowed "^(platform/${CMAKE_MATCH_1}/|core/face\\.h$|seam/|raster/)")
  else()
    set(allowed "^$")
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include [\"<]")
  foreach(line ${includes})
    if(line MATCHES "^#include <Q" AND NOT source MATCHES "^src/platform/qt/")
      list(APPEND offenders "${source}: ${line} (Qt outside the desktop platform)")
    elseif(line MATCHES "^#include \"([^\"]+)\"")
      set(header ${CMAKE_MATCH_1})
      if(NOT header MATCHES "${allowed}")
        list(APPEND offenders "${source}: ${line}")
      endif()
    endif()
  endforeach()
endforeach()
if(offenders)
  list(JOIN offenders "\n  " listed)
  message(FATAL_ERROR "Includes across the layers:\n  ${listed}")
endif()
message(STATUS "Every source file includes only its own layer and those below it (${SOURCE_DIR})")
