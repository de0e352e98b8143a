# Builds without Qt: the window is left out, everything else (the core libraries,
# loopsmith-cli and the core test programs) is built. The default for a Windows cross build,
# where no Qt for Windows is at hand; a native build with Qt for Windows turns it on again.
if(WIN32 AND CMAKE_CROSSCOMPILING)
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
