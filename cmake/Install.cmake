if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
  return()
endif()
# `cmake --install` lays out either a portable folder (<prefix>/loopsmith/ holds the program,
# the command-line tool and Language/, and the settings file is written beside the program) or,
# with LOOPSMITH_INSTALLED_LAYOUT, the layout of a package: the programs in bin/, the
# languages in share/loopsmith/Language, the settings in each user's configuration folder.
# Either way a desktop entry and an icon go to <prefix>/share.
if(LOOPSMITH_INSTALLED_LAYOUT)
  set(LOOPSMITH_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
  if(WIN32)  # Windows programs keep their data beside them
    set(LOOPSMITH_LANGUAGE_DIR ${CMAKE_INSTALL_BINDIR}/Language)
  else()
    set(LOOPSMITH_LANGUAGE_DIR ${CMAKE_INSTALL_DATADIR}/loopsmith/Language)
  endif()
else()
  set(LOOPSMITH_PROGRAM_DIR loopsmith)
  set(LOOPSMITH_LANGUAGE_DIR loopsmith/Language)
endif()

if(TARGET loopsmith)
  install(TARGETS loopsmith RUNTIME DESTINATION ${LOOPSMITH_PROGRAM_DIR})
endif()
if(TARGET loopsmith-cli)
  install(TARGETS loopsmith-cli RUNTIME DESTINATION ${LOOPSMITH_PROGRAM_DIR})
endif()
install(FILES ${LANGUAGE_FILES} DESTINATION ${LOOPSMITH_LANGUAGE_DIR})

if(EXISTS ${CMAKE_SOURCE_DIR}/resources/loopsmith-64.png)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/loopsmith-64.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME loopsmith.png)
endif()

if(LOOPSMITH_INSTALLED_LAYOUT)
  # On the PATH: the entry names the program alone.
  set(exec_line [[Exec=loopsmith]])
else()
  # The entry names the program by its installed path, known only at install time.
  set(exec_line [[Exec=\"${prefix}/loopsmith/loopsmith\"
Path=${prefix}/loopsmith]])
endif()
set(desktop_code [[
  set(prefix "${CMAKE_INSTALL_PREFIX}")
  if(DEFINED ENV{DESTDIR})
    set(root "$ENV{DESTDIR}")
  endif()
  set(folder "${root}${prefix}/@DATADIR@/applications")
  file(MAKE_DIRECTORY "${folder}")
  file(WRITE "${folder}/loopsmith.desktop"
"[Desktop Entry]
Type=Application
Name=Loopsmith
GenericName=PIC delay loop generator
Comment=Exact delay loops in PIC assembler
@EXEC@
Icon=loopsmith
Terminal=false
Categories=Development;Electronics;
")
  message(STATUS "Installing: ${folder}/loopsmith.desktop")
]])
string(REPLACE "@DATADIR@" "${CMAKE_INSTALL_DATADIR}" desktop_code "${desktop_code}")
string(REPLACE "@EXEC@" "${exec_line}" desktop_code "${desktop_code}")
install(CODE "${desktop_code}")

if(LOOPSMITH_INSTALLED_LAYOUT)
  include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)
endif()
