# A Debian package of the installed layout: `cpack -G DEB` in the build folder.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/loopsmith)
set(LOOPSMITH_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${LOOPSMITH_CHANGELOG_GZ}
  COMMAND gzip -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog > ${LOOPSMITH_CHANGELOG_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${LOOPSMITH_CHANGELOG_GZ})
install(FILES ${LOOPSMITH_CHANGELOG_GZ} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/loopsmith)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME loopsmith)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Loopsmith team <team@example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Loopsmith team <team@example.org>")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://loopsmith.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exact delay loops in PIC assembler")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Loopsmith turns a delay, typed as machine cycles or computed from a time and
an oscillator frequency, into ready-to-paste PIC assembler: register loads,
a nest of decfsz countdown loops and nops that take exactly the requested
number of cycles. Profiles choose the instruction family (PIC10/12/16 or
PIC18), the register names and the loop label.
.
The package holds the window and the command-line tool loopsmith-cli. Each
user's settings and profiles live in ~/.config/loopsmith.")
include(CPack)
