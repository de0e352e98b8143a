#!/usr/bin/env bash
# Installs what is missing, builds, and starts Loopsmith.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
# Only what it runs: the window, the command-line tool and the Language folder.
scripts/build.sh build --target loopsmith --target loopsmith-cli --target language_files
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "$(uname)" = Linux ]; then
    echo "Loopsmith needs a graphical display, and this session has none (DISPLAY is not set)." >&2
    exit 1
fi
exec build/bin/loopsmith
