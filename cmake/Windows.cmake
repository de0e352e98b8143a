# The Qt window (LOOPSMITH_GUI) is built everywhere but on Windows, where the Windows API face
# (ui/win32) makes loopsmith.exe instead, and in the browser build, where ui/web makes the page.
if((WIN32 AND CMAKE_CROSSCOMPILING) OR EMSCRIPTEN)
  set(loopsmith_gui_default OFF)
else()
  set(loopsmith_gui_default ON)
endif()
option(LOOPSMITH_GUI "Build the Qt window and its tests" ${loopsmith_gui_default})

# A cross build finds no GoogleTest for its target: it is built here from Debian's sources
# (package googletest) with the same compiler.
set(LOOPSMITH_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(CMAKE_CROSSCOMPILING AND LOOPSMITH_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${LOOPSMITH_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest)  # older sources name no GTest:: targets of their own
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()
