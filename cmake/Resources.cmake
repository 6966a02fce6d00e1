# jokepad_resources(<target> <script.rc> NAME <Name> [DEPENDS files...] [INCLUDE_DIRS dirs...])
#
# Compiles a resource script with jokepad-rc into a static library <target> that defines
#   const ResourceModule& <Name>Resources();
# declared in <Name>Resources.h. The script is compiled again when it, a file it includes or
# a file it names changes (jokepad-rc writes them to a depfile); DEPENDS lists files that other
# rules make, so that they are made first. INCLUDE_DIRS are searched for included and named
# files after the naming file's own folder; the current binary folder is always searched.
function(jokepad_resources target script)
  cmake_parse_arguments(ARG "" "NAME" "DEPENDS;INCLUDE_DIRS" ${ARGN})
  if(NOT ARG_NAME)
    message(FATAL_ERROR "jokepad_resources(${target}): NAME is required")
  endif()
  get_filename_component(_script ${script} ABSOLUTE)
  set(_out ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}Resources.cpp)
  set(_depfile ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}Resources.d)
  set(_include_args -I ${CMAKE_CURRENT_BINARY_DIR})
  foreach(_dir IN LISTS ARG_INCLUDE_DIRS)
    get_filename_component(_dir ${_dir} ABSOLUTE)
    list(APPEND _include_args -I ${_dir})
  endforeach()
  add_custom_command(
    OUTPUT ${_out}
    COMMAND jokepad-rc ${_include_args} --name ${ARG_NAME} -o ${_out} --depfile ${_depfile}
            ${_script}
    DEPENDS jokepad-rc ${_script} ${ARG_DEPENDS}
    DEPFILE ${_depfile}
    COMMENT "Compiling the resources of ${script}"
    VERBATIM)

  set(_header_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}-include)
  file(CONFIGURE OUTPUT ${_header_dir}/${ARG_NAME}Resources.h CONTENT
"#pragma once
// Generated from ${script} by jokepad_resources().
#include \"platform/base/Resources.h\"

const ResourceModule& ${ARG_NAME}Resources();
" @ONLY)

  add_library(${target} STATIC ${_out})
  target_include_directories(${target} PUBLIC ${_header_dir})
  target_link_libraries(${target} PUBLIC platform_base)
  jokepad_warnings(${target})
endfunction()
