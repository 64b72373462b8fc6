# Fails the build when a module includes a module it may not use; the allowed
# directions are in module_directions.cmake (see docs/architecture.md).
# Run as: cmake -DSOURCE_DIR=<repo> -P check_includes.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/module_directions.cmake)

set(failures "")
foreach(module ${ORVALIS_MODULES} ${ORVALIS_PROGRAM_FOLDERS})
  file(GLOB files "${SOURCE_DIR}/src/${module}/*.h" "${SOURCE_DIR}/src/${module}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${file}" lines REGEX "^#include \"[a-z0-9_]+/")
    foreach(line ${lines})
      string(REGEX REPLACE "^#include \"([a-z0-9_]+)/.*" "\\1" used "${line}")
      if(NOT used STREQUAL module AND NOT used IN_LIST allowed_${module})
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        string(APPEND failures "  ${shown}: ${line} (${module} may use: ${allowed_${module}})\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "Includes against the module direction:\n${failures}")
endif()
