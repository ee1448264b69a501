# Installation and packaging: the five programs, the two static libraries
# with their one public header, a CMake package (find_package(listio) gives
# listio::listio and listio::main) and a pkg-config file; and CPack settings
# for a Debian package of the programs.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(LISTIO_PROGRAMS letterband rootiter squareband sumversus najveci)
install(TARGETS ${LISTIO_PROGRAMS}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programs)

# Consumers name the entry-point library listio::main.
set_target_properties(listio_main PROPERTIES EXPORT_NAME main)

install(TARGETS listio listio_main
        EXPORT listioTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
                      COMPONENT development)

set(LISTIO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/listio)
install(EXPORT listioTargets
        NAMESPACE listio::
        DESTINATION ${LISTIO_CMAKE_DIR}
        COMPONENT development)
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/listioConfig.cmake.in
  ${PROJECT_BINARY_DIR}/listioConfig.cmake
  INSTALL_DESTINATION ${LISTIO_CMAKE_DIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/listioConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/listioConfig.cmake
              ${PROJECT_BINARY_DIR}/listioConfigVersion.cmake
        DESTINATION ${LISTIO_CMAKE_DIR}
        COMPONENT development)

# The pkg-config file finds its prefix from its own place, so the installed
# tree can be moved (or unpacked under another root) and still be used.
set(LISTIO_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH LISTIO_PC_TO_PREFIX /${LISTIO_PC_DIR} /)
string(REGEX REPLACE "/$" "" LISTIO_PC_TO_PREFIX "${LISTIO_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/listio.pc.in
               ${PROJECT_BINARY_DIR}/listio.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/listio.pc
        DESTINATION ${LISTIO_PC_DIR}
        COMPONENT development)

# Debian package of the programs. They are linked statically, so the package
# depends on nothing; a build with LISTIO_STATIC_PROGRAMS=OFF should not be
# shipped this way.
if(PROJECT_IS_TOP_LEVEL)
  set(CPACK_PACKAGE_NAME listio)
  set(CPACK_PACKAGE_VENDOR "listio maintainers")
  set(CPACK_PACKAGE_CONTACT
      "listio maintainers <maintainers@users.noreply.c-seed-edcf1236.example>")
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "Five small console programs built on the listio console library")
  string(CONCAT CPACK_PACKAGE_DESCRIPTION
         "letterband, rootiter, squareband, sumversus and najveci: small\n"
         "interactive console programs that read free-form input and write\n"
         "fixed-layout records.")
  # Only the programs go into the package.
  set(CPACK_INSTALL_CMAKE_PROJECTS
      "${PROJECT_BINARY_DIR};${PROJECT_NAME};programs;/")
  set(CPACK_STRIP_FILES TRUE)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_GENERATOR DEB)
  include(CPack)
endif()
