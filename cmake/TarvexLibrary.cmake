# tarvex_library(NAME DEPENDS libs...)
# Builds the library from every .cpp under its folder (so adding a source file
# needs no CMake edit) and makes its folder the include root, so internal
# headers are included as "Topic/file.h" and the umbrella header as <NAME.h>.
# A library without sources yet has no target.
function(tarvex_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_library(${name} ${sources})
  add_library(tarvex::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/tarvex/${name}>)
  foreach(dep IN LISTS ARG_DEPENDS)
    if(TARGET ${dep} OR dep MATCHES "::")
      target_link_libraries(${name} PUBLIC ${dep})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY TARVEX_LIBRARIES ${name})
  install(TARGETS ${name} EXPORT tarvexTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tarvex/${name}
    FILES_MATCHING PATTERN "*.h")
endfunction()

# tarvex_object_module(NAME LIBRARY sources...)
# One of the separately delivered object modules: the same source files the
# library builds, compiled once more as an OBJECT library of its own name.
function(tarvex_object_module name library)
  if(NOT TARGET ${library})
    return()
  endif()
  add_library(${name} OBJECT ${ARGN})
  target_link_libraries(${name} PUBLIC ${library})
endfunction()
