# Builds for the browser with Debian's emscripten (package emscripten): the core, its test
# programs run under node, and the page. Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten-web.cmake
# (scripts/test-web.sh does). emcc's optimizer needs Debian's node modules (node-acorn).
set(LOOPSMITH_NODE_MODULES /usr/share/nodejs CACHE PATH "Debian's folder of node modules")
# Node 18 and later give the loader a fetch() that cannot read a local .wasm file.
find_program(LOOPSMITH_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR "${LOOPSMITH_NODE};--no-experimental-fetch"
    CACHE STRING "Runs a test program built for the browser" FORCE)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# Every emcc run that may optimize (a link) sees the node modules.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${LOOPSMITH_NODE_MODULES})
