# Refuses an include that runs from a lower floor up to a higher one (see
# src/CMakeLists.txt): run with -DSOURCE_DIR=<src>. A folder's floor, the
# features floor in its own order (3a network, 3b alarms, 3c cli):
set(floor_runtime 10)
set(floor_app 20)
set(floor_network 31)
set(floor_alarms 32)
set(floor_cli 33)
set(floor_mainwin 40)
set(floor_program 50)

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
# Files in the floors' folders; the build files beside them are none of them.
list(FILTER sources INCLUDE REGEX "/")
set(broken "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" folder "${source}")
  if(NOT DEFINED floor_${folder})
    list(APPEND broken "${source}: a folder on no floor")
    continue()
  endif()
  # Any spelling of an include of a file in a folder: quotes or angle
  # brackets, blanks anywhere around the #.
  file(STRINGS ${SOURCE_DIR}/${source} includes
       REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^/\">]+/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^/\">]+)/.*" "\\1" target "${line}")
    if(line MATCHES "\\.\\.")
      list(APPEND broken "${source}: ${line} climbs out of its folder")
    elseif(NOT DEFINED floor_${target})
      list(APPEND broken "${source}: ${line} names a folder on no floor")
    elseif(floor_${target} GREATER floor_${folder})
      list(APPEND broken "${source} (floor ${floor_${folder}}): ${line} is on floor ${floor_${target}}")
    endif()
  endforeach()
endforeach()
if(broken)
  list(JOIN broken "\n  " message)
  message(FATAL_ERROR "Includes that run up a floor:\n  ${message}")
endif()
