# Compiler settings and helpers shared by every binary of the project.

option(GERAN_BUILD_TESTS "Build the test suite (needs a way to run Windows programs)" OFF)

if(MSVC)
  add_compile_options(/W4 /EHsc)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
else()
  add_compile_options(-Wall -Wextra
    # Failure reports print the handler's source path: keep it relative to the repository.
    -fmacro-prefix-map=${CMAKE_SOURCE_DIR}/=)
  # One self-contained DLL per artifact: no libgcc, libstdc++ or winpthread DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# GERAN_ARCH names the build in test names and labels: i686 (what ships) or x86_64.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(GERAN_ARCH_32 TRUE)
  set(GERAN_ARCH i686)
else()
  set(GERAN_ARCH_32 FALSE)
  set(GERAN_ARCH x86_64)
endif()

# A .def is written once, for i686, with stdcall-decorated internal names (name@N). The x86_64 build
# has no decoration, so it gets a copy with the @N of the internal names stripped.
function(geran_def_for_arch out_var def_file)
  if(GERAN_ARCH_32 OR MSVC)
    set(${out_var} ${def_file} PARENT_SCOPE)
    return()
  endif()
  get_filename_component(name ${def_file} NAME)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/x64-${name})
  file(READ ${def_file} content)
  string(REGEX REPLACE "(=[ \t]*[A-Za-z_][A-Za-z_0-9]*)@[0-9]+" "\\1" content "${content}")
  file(GENERATE OUTPUT ${generated} CONTENT "${content}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
  set(${out_var} ${generated} PARENT_SCOPE)
endfunction()

# A DLL whose exports come from a .def (ordinals and names are part of the contract), with a
# version resource.
function(geran_add_dll target def_file description)
  add_library(${target} SHARED ${ARGN})
  geran_def_for_arch(def ${def_file})
  target_sources(${target} PRIVATE ${def})
  set_target_properties(${target} PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
  geran_add_version_resource(${target} "${description}")
endfunction()

# A version resource for a DLL or an executable of the project.
function(geran_add_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(GERAN_FILE_TYPE VFT_APP)
    set(GERAN_ORIGINAL_FILENAME "${target}.exe")
  else()
    set(GERAN_FILE_TYPE VFT_DLL)
    set(GERAN_ORIGINAL_FILENAME "${target}.dll")
  endif()
  set(GERAN_FILE_DESCRIPTION "${description}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
endfunction()

# An import library named <target>_import for a DLL built here, made with dlltool from the .def so
# that callers' stdcall references (name@N on i686) bind to the export names actually in the DLL:
# undecorated aliases, decorated-only exports, and forwarders (whose argument bytes the .def cannot
# tell: pass them as FORWARDED name@N ...).
function(geran_add_import_library target def_file)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "FORWARDED")
  add_library(${target}_import INTERFACE)
  if(MSVC)
    target_link_libraries(${target}_import INTERFACE ${target})
    return()
  endif()
  file(STRINGS ${def_file} lines)
  set(entries ${arg_FORWARDED})
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*_([A-Za-z_][A-Za-z_0-9]*)@([0-9]+)[ \t]*=")
      list(APPEND entries "${CMAKE_MATCH_1}@${CMAKE_MATCH_2} == _${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
    elseif(line MATCHES "^[ \t]*([A-Za-z_][A-Za-z_0-9]*)[ \t]*=[ \t]*[A-Za-z_][A-Za-z_0-9]*@([0-9]+)")
      list(APPEND entries "${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
    endif()
  endforeach()
  set(content "LIBRARY ${target}.dll\nEXPORTS\n")
  foreach(entry IN LISTS entries)
    if(NOT GERAN_ARCH_32)  # no decoration on x86_64: keep only the import name's own spelling
      string(REGEX REPLACE "^([A-Za-z_0-9]+)@[0-9]+" "\\1" entry "${entry}")
    endif()
    string(APPEND content "    ${entry}\n")
  endforeach()
  set(import_def ${CMAKE_CURRENT_BINARY_DIR}/${target}-import.def)
  set(import_lib ${CMAKE_BINARY_DIR}/implib/lib${target}.dll.a)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/implib)
  file(GENERATE OUTPUT ${import_def} CONTENT "${content}")
  add_custom_command(OUTPUT ${import_lib}
    COMMAND ${GERAN_DLLTOOL} -k -d ${import_def} -l ${import_lib}
    DEPENDS ${import_def} ${def_file} VERBATIM)
  add_custom_target(${target}_import_lib DEPENDS ${import_lib})
  add_dependencies(${target}_import_lib ${target})
  add_dependencies(${target}_import ${target}_import_lib)
  target_link_libraries(${target}_import INTERFACE ${import_lib})
  set_property(TARGET ${target}_import PROPERTY GERAN_IMPORT_LIBRARY_FILE ${import_lib})
endfunction()
