#!/usr/bin/env bash
# Installs what is missing, builds, and starts Loopsmith.
#   ./run.sh --web   instead builds the page for the browser, loopsmith.html, and prints where it is
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = --web ]; then
    scripts/install-web-deps.sh
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    scripts/build.sh build-web -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/emscripten-web.cmake" \
        -DLOOPSMITH_BENCH=OFF --target loopsmith_page
    echo "The page: file://$PWD/build-web/bin/loopsmith.html (open it in a browser; it needs no server)"
    exit 0
fi
scripts/install-deps.sh
# Only what it runs: the window, the command-line tool and the Language folder.
scripts/build.sh build --target loopsmith --target loopsmith-cli --target language_files
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "$(uname)" = Linux ]; then
    echo "Loopsmith needs a graphical display, and this session has none (DISPLAY is not set)." >&2
    exit 1
fi
exec build/bin/loopsmith
