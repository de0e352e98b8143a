#!/usr/bin/env bash
# Installs what the browser build and its tests need, when missing: Debian's emscripten and the
# node modules its optimizer loads (node-acorn), node with npm, GoogleTest's sources (built
# with emcc), and Chromium and Firefox ESR for driving the page; then puppeteer-core exactly as the
# lock file in tests/web pins it, without a browser of its own (the driver uses /usr/bin/chromium
# and /usr/bin/firefox-esr, the latter over WebDriver BiDi); and
# python3-fonttools, with which resources/make_images.py writes the page's SVG pictures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" cmake make emscripten node-acorn nodejs googletest chromium \
    firefox-esr python3-fonttools
# Debian's nodejs comes without npm; a node from elsewhere may bring its own.
command -v npm >/dev/null || "$root/scripts/install-deps.sh" npm
if [ -f "$root/tests/web/package-lock.json" ]; then
    (cd "$root/tests/web" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
