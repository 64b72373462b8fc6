# orvalis_module(<name> SOURCES <file>... [LIBRARIES <library>...])
# Builds src/<name> as the static library orvalis_<name> from the files listed
# in src/<name>/CMakeLists.txt, linked against exactly the modules that
# module_directions.cmake allows it; LIBRARIES are outside libraries (PCRE2,
# libjpeg, Qt) the module alone uses.
#
# The linker proves the direction too: the same objects are linked once more
# into a shared library orvalis_<name>_link_check that may leave no symbol
# undefined, with only the allowed modules beside it. A call into a module
# the module may not use then fails the build, even without an #include.
# Sanitizer builds (both kinds) skip this (their runtime stays undefined in shared objects).
include(${CMAKE_CURRENT_LIST_DIR}/module_directions.cmake)

function(orvalis_module name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBRARIES")
  if(NOT name IN_LIST ORVALIS_MODULES)
    message(FATAL_ERROR "Module ${name} has no line in cmake/module_directions.cmake")
  endif()
  set(target orvalis_${name})
  add_library(${target} STATIC ${arg_SOURCES})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC orvalis_options)
  foreach(used ${allowed_${name}})
    target_link_libraries(${target} PUBLIC orvalis_${used})
  endforeach()
  if(arg_LIBRARIES)
    target_link_libraries(${target} PRIVATE ${arg_LIBRARIES})
  endif()
  add_dependencies(${target} orvalis_check_includes)

  if(NOT ORVALIS_SANITIZE AND NOT ORVALIS_FUZZ AND NOT ORVALIS_TSAN)
    add_library(${target}_link_check SHARED $<TARGET_OBJECTS:${target}>)
    target_link_options(${target}_link_check PRIVATE -Wl,--no-undefined)
    foreach(used ${allowed_${name}})
      target_link_libraries(${target}_link_check PRIVATE orvalis_${used})
    endforeach()
    target_link_libraries(${target}_link_check PRIVATE ${arg_LIBRARIES})
  endif()
endfunction()
