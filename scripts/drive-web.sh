#!/usr/bin/env bash
# The page in a real browser: builds loopsmith.html (emscripten, WEB_DIR) and loopsmith-cli
# (NATIVE_DIR), then drives the page from disk in headless Chromium (tests/web/drive.js) and
# runs the window's contract suite on the page's face; what touches the browser's own behaviour
# is driven in headless Firefox ESR as well. Pictures of the pages land in WEB_DIR/pictures.
#   scripts/drive-web.sh [WEB_DIR] [NATIVE_DIR]     (default: build-web build)
# Ends with "Driven: N passed, N failed"; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
web=$(realpath -m "${1:-$root/build-web}")
native=$(realpath -m "${2:-$root/build}")
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

"$root/scripts/build.sh" "$web" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten-web.cmake" \
    -DLOOPSMITH_BENCH=OFF --target loopsmith_page --target web_contract_page >/dev/null
"$root/scripts/build.sh" "$native" --target loopsmith-cli --target language_files >/dev/null
if [ ! -d "$root/tests/web/node_modules/puppeteer-core" ]; then
    (cd "$root/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
node "$root/tests/web/drive.js" "$web/bin/loopsmith.html" "$native/bin/loopsmith-cli" \
    "$web/pictures"
