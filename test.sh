#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once as built, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then the core and loopsmith-cli built with
# clang, its code verified once, and the fuzz target under libFuzzer for 10 seconds.
#   ./test.sh --windows   instead cross-builds the core, loopsmith-cli and the core tests for
#                         Windows and runs them under wine (scripts/test-windows.sh)
#   ./test.sh --package   instead builds the Debian package and checks it: lintian, then, as
#                         root, installs it, runs it as an unprivileged user and purges it
#                         (scripts/check-package.sh)
#   ./test.sh --web       instead builds for the browser with emscripten, runs the core tests as
#                         WebAssembly under node and drives the page in headless Chromium
#                         (scripts/test-web.sh)
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

if [ "${1:-}" = --windows ]; then
    scripts/install-windows-deps.sh
    exec scripts/test-windows.sh build-windows
fi
if [ "${1:-}" = --web ]; then
    scripts/install-web-deps.sh
    exec scripts/test-web.sh build-web
fi
if [ "${1:-}" = --package ]; then
    scripts/install-deps.sh dpkg-dev lintian xvfb python3-xlib
    exec scripts/check-package.sh build-deb
fi

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Build and test =="
# Line tables only: enough for a failing test's stack trace, and a quarter quicker to compile.
scripts/build.sh build -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Build and test with AddressSanitizer and UndefinedBehaviorSanitizer =="
scripts/build.sh build-asan -DLOOPSMITH_SANITIZE=ON -DLOOPSMITH_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== The core and loopsmith-cli built with clang; the fuzz target under libFuzzer =="
scripts/build.sh build-clang -DCMAKE_CXX_COMPILER=clang++ -DLOOPSMITH_BENCH=OFF \
    --target loopsmith-cli --target key_value_fuzz
build-clang/bin/loopsmith-cli --lf --verify 100000 > /dev/null
ctest --test-dir build-clang -R '^KeyValueFuzz$' --output-on-failure
