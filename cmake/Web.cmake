# The browser build (emscripten, cmake/emscripten-web.cmake): the core as the desktop builds it;
# its test programs for base/, store/ and engine/ run under node with the real files of the
# machine, so that the same temporary folders and byte comparisons apply.
if(NOT EMSCRIPTEN)
  return()
endif()
set(LOOPSMITH_WEB_TEST_FOLDERS base store engine CACHE STRING "Test folders built for node")
set(LOOPSMITH_WEB_TEST_LINK_OPTIONS -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1)
