# The program's layers: which folders of src/ each folder may include from.
# Nothing reaches upward, so the engine, the platform layer and the player
# component stay usable on their own.
#   cmake -DSOURCE_DIR=<src> -P layering.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_platform platform)
set(allowed_sonark sonark platform)
set(allowed_decoder decoder sonark platform)
set(allowed_appearance appearance platform)
set(allowed_net net platform)
set(allowed_playlist playlist appearance platform)
set(allowed_sound sound appearance platform)

set(failures "")
foreach(layer platform sonark decoder appearance net playlist sound)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" includes REGEX "^#include \"[a-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" folder "${line}")
      if(NOT folder IN_LIST allowed_${layer})
        string(APPEND failures "\n  ${file}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "includes that reach above their layer:${failures}")
endif()
