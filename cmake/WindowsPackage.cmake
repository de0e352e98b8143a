# The Windows installer (`cpack -G NSIS` in a build with LOOPSMITH_INSTALLED_LAYOUT): both
# programs, the shipped languages and the README in Program Files\Loopsmith, a Start-menu
# entry and an uninstaller; the settings and the user's own languages in %APPDATA%\Loopsmith.
install(TARGETS loopsmith loopsmith-cli RUNTIME DESTINATION .)
install(FILES ${LANGUAGE_FILES} DESTINATION Language)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Loopsmith)
set(CPACK_PACKAGE_VENDOR Loopsmith)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Exact delay loops in PIC assembler")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Loopsmith)
set(CPACK_PACKAGE_FILE_NAME loopsmith-${PROJECT_VERSION}-windows-setup)
set(CPACK_PACKAGE_EXECUTABLES loopsmith Loopsmith)
# The programs sit in the installation folder itself, not in a bin folder below it.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer, like the program: it runs where the program runs.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_DISPLAY_NAME Loopsmith)
set(CPACK_NSIS_PACKAGE_NAME Loopsmith)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/resources/win32/loopsmith.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/resources/win32/loopsmith.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME loopsmith.exe)

# The licence page shows the project's own licence, taken from the Debian copyright file so
# that its text stands once.
file(READ ${CMAKE_SOURCE_DIR}/packaging/copyright copyright)
string(REGEX MATCH "\nCopyright: [^\n]*" holder "${copyright}")
string(REGEX REPLACE "^.*\nLicense: [^\n]*\n" "" licence "${copyright}")
string(REGEX REPLACE "\n \\.\n" "\n\n" licence "\n${licence}")
string(REGEX REPLACE "\n " "\n" licence "${licence}")
string(REPLACE "\nCopyright: " "Copyright " holder "${holder}")
file(WRITE ${CMAKE_BINARY_DIR}/LICENSE.txt "${holder}\n${licence}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt)

# The uninstaller removes nothing while either program runs (packaging/not-running.nsh).
set(CPACK_NSIS_DEFINES "${CPACK_NSIS_DEFINES}
!include ${CMAKE_SOURCE_DIR}/packaging/not-running.nsh")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  Push '$INSTDIR\\loopsmith.exe'
  Call un.CheckNotRunning
  Push '$INSTDIR\\loopsmith-cli.exe'
  Call un.CheckNotRunning")
include(CPack)
