# `cmake --install` lays out a portable folder: <prefix>/loopsmith/ holds the program, the
# command-line tool and Language/ (the settings file is written beside the program, so the
# folder is meant to be the user's own). A desktop entry and an icon go to <prefix>/share.
set(LOOPSMITH_PORTABLE_DIR loopsmith)

if(TARGET loopsmith)
  install(TARGETS loopsmith RUNTIME DESTINATION ${LOOPSMITH_PORTABLE_DIR})
endif()
if(TARGET loopsmith-cli)
  install(TARGETS loopsmith-cli RUNTIME DESTINATION ${LOOPSMITH_PORTABLE_DIR})
endif()
install(FILES ${LANGUAGE_FILES} DESTINATION ${LOOPSMITH_PORTABLE_DIR}/Language)

if(EXISTS ${CMAKE_SOURCE_DIR}/resources/loopsmith-64.png)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/loopsmith-64.png
          DESTINATION share/icons/hicolor/64x64/apps RENAME loopsmith.png)
endif()

# The desktop entry names the program by its installed path, known only at install time.
install(CODE [[
  set(prefix "${CMAKE_INSTALL_PREFIX}")
  if(DEFINED ENV{DESTDIR})
    set(root "$ENV{DESTDIR}")
  endif()
  file(MAKE_DIRECTORY "${root}${prefix}/share/applications")
  file(WRITE "${root}${prefix}/share/applications/loopsmith.desktop"
"[Desktop Entry]
Type=Application
Name=Loopsmith
GenericName=PIC delay loop generator
Comment=Exact delay loops in PIC assembler
Exec=\"${prefix}/loopsmith/loopsmith\"
Path=${prefix}/loopsmith
Icon=loopsmith
Terminal=false
Categories=Development;Electronics;
")
  message(STATUS "Installing: ${root}${prefix}/share/applications/loopsmith.desktop")
]])
