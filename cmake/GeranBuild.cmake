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

# The text of an import .def: "LIBRARY <dll>", then one line per entry; on x86_64, which has no
# decoration, the @N of each import name is dropped.
function(geran_import_def_text out_var dll)
  set(content "LIBRARY ${dll}\nEXPORTS\n")
  foreach(entry IN LISTS ARGN)
    if(NOT GERAN_ARCH_32)
      string(REGEX REPLACE "^([A-Za-z_0-9]+)@[0-9]+" "\\1" entry "${entry}")
    endif()
    string(APPEND content "    ${entry}\n")
  endforeach()
  set(${out_var} "${content}" PARENT_SCOPE)
endfunction()

# An import library named <target>_import for a DLL built here, made with dlltool from the .def so
# that callers' stdcall references (name@N on i686) bind to the export names actually in the DLL:
# undecorated aliases, decorated-only exports, and forwarders (whose argument bytes the .def cannot
# tell: pass them as FORWARDED name@N ...). With VISUAL_CPP, the same entries also give <target>.lib
# in Visual C++'s format (property GERAN_VISUAL_CPP_LIBRARY_FILE). IMPORT_TARGET names the import
# target otherwise: a contract's import library, made from its .def without the DLL built here.
function(geran_add_import_library target def_file)
  cmake_parse_arguments(PARSE_ARGV 2 arg "VISUAL_CPP" "IMPORT_TARGET" "FORWARDED")
  set(import_target ${target}_import)
  set(implib_dir ${CMAKE_BINARY_DIR}/implib)
  if(arg_IMPORT_TARGET)
    set(import_target ${arg_IMPORT_TARGET})
    set(implib_dir ${CMAKE_BINARY_DIR}/implib/${import_target})
  endif()
  add_library(${import_target} INTERFACE)
  if(MSVC)
    target_link_libraries(${import_target} INTERFACE ${target})
    return()
  endif()
  file(STRINGS ${def_file} lines)
  set(entries ${arg_FORWARDED})  # name@N, bound to the export "name"
  set(decorated)                 # name@N, exported only as "_name@N"
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*_([A-Za-z_][A-Za-z_0-9]*)@([0-9]+)[ \t]*=")
      list(APPEND decorated "${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
    elseif(line MATCHES "^[ \t]*([A-Za-z_][A-Za-z_0-9]*)[ \t]*=[ \t]*[A-Za-z_][A-Za-z_0-9]*@([0-9]+)")
      list(APPEND entries "${CMAKE_MATCH_1}@${CMAKE_MATCH_2}")
    endif()
  endforeach()
  set(mingw_entries ${entries})
  foreach(name IN LISTS decorated)
    list(APPEND mingw_entries "${name} == _${name}")
  endforeach()
  geran_import_def_text(content ${target}.dll ${mingw_entries})
  set(import_def ${CMAKE_CURRENT_BINARY_DIR}/${import_target}.def)
  set(import_lib ${implib_dir}/lib${target}.dll.a)
  file(MAKE_DIRECTORY ${implib_dir})
  file(GENERATE OUTPUT ${import_def} CONTENT "${content}")
  add_custom_command(OUTPUT ${import_lib}
    COMMAND ${GERAN_DLLTOOL} -k -d ${import_def} -l ${import_lib}
    DEPENDS ${import_def} ${def_file} VERBATIM)
  set(libraries ${import_lib})
  if(arg_VISUAL_CPP)
    geran_add_visual_cpp_import_library(${target} "${entries}" "${decorated}" ${def_file})
    get_target_property(visual_cpp_lib ${target}_import GERAN_VISUAL_CPP_LIBRARY_FILE)
    list(APPEND libraries ${visual_cpp_lib})
  endif()
  add_custom_target(${import_target}_lib DEPENDS ${libraries})
  if(TARGET ${target})  # who links the import library of a DLL built here runs it too
    add_dependencies(${import_target}_lib ${target})
  endif()
  add_dependencies(${import_target} ${import_target}_lib)
  target_link_libraries(${import_target} INTERFACE ${import_lib})
  set_property(TARGET ${import_target} PROPERTY GERAN_IMPORT_LIBRARY_FILE ${import_lib})
endfunction()

# <target>.lib in Visual C++'s format. llvm-dlltool (mingw's reading of a .def) binds the stdcall
# references _name@N to the undecorated exports, but cannot bind one to an export named "_name@N"
# itself; lld-link's reading of a .def (Visual C++'s) does that one. The two are joined by llvm-lib.
# On x86_64 a caller's reference is the bare name, made a weak alias of the decorated one.
function(geran_add_visual_cpp_import_library target entries decorated def_file)
  set(undecorated_entries ${entries})
  set(decorated_entries)
  foreach(name IN LISTS decorated)
    list(APPEND decorated_entries "_${name}")
    if(NOT GERAN_ARCH_32)
      string(REGEX REPLACE "@[0-9]+$" "" bare "${name}")
      list(APPEND undecorated_entries "${bare} == _${name}")
    endif()
  endforeach()
  geran_import_def_text(undecorated_text ${target}.dll ${undecorated_entries})
  set(decorated_text "LIBRARY ${target}.dll\nEXPORTS\n")
  foreach(entry IN LISTS decorated_entries)
    string(APPEND decorated_text "    ${entry}\n")
  endforeach()
  set(base ${CMAKE_CURRENT_BINARY_DIR}/${target}-visual-cpp)
  file(GENERATE OUTPUT ${base}-undecorated.def CONTENT "${undecorated_text}")
  file(GENERATE OUTPUT ${base}-decorated.def CONTENT "${decorated_text}")
  set(visual_cpp_lib ${CMAKE_BINARY_DIR}/implib/${target}.lib)
  add_custom_command(OUTPUT ${visual_cpp_lib}
    COMMAND ${GERAN_LLVM_DLLTOOL} -m ${GERAN_LLVM_MACHINE} -k -d ${base}-undecorated.def -l ${base}-undecorated.lib
    COMMAND ${GERAN_LLD_LINK} /machine:${GERAN_LLD_MACHINE} /def:${base}-decorated.def /out:${base}-decorated.lib
    COMMAND ${GERAN_LLVM_LIB} /out:${visual_cpp_lib} ${base}-undecorated.lib ${base}-decorated.lib
    DEPENDS ${base}-undecorated.def ${base}-decorated.def ${def_file} VERBATIM)
  set_property(TARGET ${target}_import PROPERTY GERAN_VISUAL_CPP_LIBRARY_FILE ${visual_cpp_lib})
endfunction()
