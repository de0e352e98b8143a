# Installs the build into a fresh folder and checks the portable layout and the desktop entry.
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${OUT}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path loopsmith/loopsmith loopsmith/loopsmith-cli loopsmith/Language/russian.lng
             loopsmith/Language/english.lng share/applications/loopsmith.desktop
             share/icons/hicolor/64x64/apps/loopsmith.png)
  if(NOT EXISTS "${OUT}/${path}")
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
file(READ "${OUT}/share/applications/loopsmith.desktop" entry)
if(NOT entry MATCHES "Exec=\"${OUT}/loopsmith/loopsmith\"")
  message(FATAL_ERROR "desktop entry does not start the installed program:\n${entry}")
endif()
execute_process(COMMAND "${OUT}/loopsmith/loopsmith-cli" 1000 RESULT_VARIABLE cli OUTPUT_VARIABLE text)
if(NOT cli EQUAL 0 OR NOT text MATCHES "decfsz")
  message(FATAL_ERROR "installed loopsmith-cli does not run: ${cli}")
endif()
file(REMOVE_RECURSE "${OUT}")
