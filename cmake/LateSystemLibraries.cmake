# System libraries a program loads when it first calls into them rather
# than at its start (delay-loaded): the start then neither maps them nor
# runs their initialisation (the common controls register their window
# classes, WinINet sets up its URL cache and writes the shell folders to the
# registry). For each library a delay-import library is made with dlltool
# from the toolchain's import library, in a folder that comes first in the
# program's library search path, so every -l<name> of its link line takes it.
#   late_system_libraries(<target> <name>...)
# The same file run as a script (cmake -P) makes one delay-import library:
#   -DNM= -DDLLTOOL= -DIMPORT_LIB= -DDLL= -DOUT= -DPREFIX=<symbol prefix>
if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " I __imp_${PREFIX}[^\n]+" imports "${symbols}")
  set(def "LIBRARY ${DLL}\nEXPORTS\n")
  foreach(import ${imports})
    string(REGEX REPLACE "^ I __imp_${PREFIX}" "" name "${import}")
    string(APPEND def "${name}\n")
  endforeach()
  get_filename_component(dir ${OUT} DIRECTORY)
  get_filename_component(base ${OUT} NAME_WE)
  file(WRITE ${dir}/${base}.def "${def}")
  # i686: the names carry their argument bytes ("@8"); the library's own do not.
  execute_process(COMMAND ${DLLTOOL} --kill-at --input-def ${dir}/${base}.def --dllname ${DLL}
                          --output-delaylib ${OUT} COMMAND_ERROR_IS_FATAL ANY)
  return()
endif()

function(late_system_libraries target)
  set(dir ${CMAKE_BINARY_DIR}/late-libs)
  # i686 symbols carry the leading underscore of the C names.
  set(prefix "")
  if(ORVANE_ARCH STREQUAL "i686")
    set(prefix "_")
  endif()
  set(outputs)
  foreach(name ${ARGN})
    find_library(late_import_${name} NAMES ${name} REQUIRED)
    set(out ${dir}/lib${name}.a)
    if(NOT TARGET late_lib_${name})
      add_custom_command(OUTPUT ${out}
                         COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
                                 -DIMPORT_LIB=${late_import_${name}} -DDLL=${name}.dll -DOUT=${out} -DPREFIX=${prefix}
                                 -P ${CMAKE_SOURCE_DIR}/cmake/LateSystemLibraries.cmake
                         DEPENDS ${CMAKE_SOURCE_DIR}/cmake/LateSystemLibraries.cmake
                         COMMENT "Making the delay-import library of ${name}.dll")
      add_custom_target(late_lib_${name} DEPENDS ${out})
    endif()
    add_dependencies(${target} late_lib_${name})
    # Relinked when the library is made again.
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${out})
  endforeach()
  target_link_directories(${target} BEFORE PRIVATE ${dir})
endfunction()
