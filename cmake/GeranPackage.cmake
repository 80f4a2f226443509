# The release package, made by CPack (./dev package): two zips, because the stand-in libraries must
# never land on a rack beside the real ones.
#   znGeranApiInterfaceDll-<version>-win32.zip         the product: DLL, header, import libraries, .def, docs
#   znGeranApiInterfaceDll-devkit-<version>-win32.zip  the simulator, the stand-ins, geranhost, the example
# Both unpack into one folder (no top folder of their own), each with a checksum list of its files.
# The version is the project's, the one the version resources carry.

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION . COMPONENT product)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs COMPONENT product)
install(FILES ${PROJECT_SOURCE_DIR}/examples/demo.gts ${PROJECT_SOURCE_DIR}/examples/MasterParameters.ini
        DESTINATION examples COMPONENT devkit)

# Last install rule of each component: the checksums of what it installed. Only a component install
# (as CPack makes) writes them; a plain install into dist/ holds both components and needs none.
foreach(component product devkit)
  set(list_name SHA256SUMS)
  if(component STREQUAL "devkit")
    set(list_name SHA256SUMS.devkit)  # both zips unpack into one folder: one list each
  endif()
  install(CODE "set(GERAN_CHECKSUM_LIST \"${list_name}\")" COMPONENT ${component})
  install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/write-checksums.cmake COMPONENT ${component})
endforeach()

set(CPACK_PACKAGE_NAME znGeranApiInterfaceDll)
set(CPACK_PACKAGE_VENDOR "GERAN API interface")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL product devkit)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
if(GERAN_ARCH_32)
  set(package_system win32)
else()
  set(package_system win64)
endif()
set(CPACK_ARCHIVE_PRODUCT_FILE_NAME znGeranApiInterfaceDll-${PROJECT_VERSION}-${package_system})
set(CPACK_ARCHIVE_DEVKIT_FILE_NAME znGeranApiInterfaceDll-devkit-${PROJECT_VERSION}-${package_system})
include(CPack)
