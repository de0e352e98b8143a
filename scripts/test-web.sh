#!/usr/bin/env bash
# Builds for the browser into BUILD_DIR with emscripten and runs the core's test programs
# (base/, store/, engine/) as WebAssembly under node, on the machine's real files; compares
# loopsmith-cli built so with the Linux build (build/bin, built here if missing) byte for byte;
# then the page's own checks.
#   scripts/test-web.sh [BUILD_DIR]      (default: build-web)
# Ends with one line "Web: N passed, N failed, N skipped"; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$root/build-web}")
# emcc's optimizer loads acorn from Debian's node modules.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Node 18 and later give emscripten's loader a fetch() that cannot read a local .wasm file.
node=(node --no-experimental-fetch)

echo "== Build for the browser (emscripten) =="
"$root/scripts/build.sh" "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/emscripten-web.cmake" \
    -DLOOPSMITH_BENCH=OFF --target test_programs --target loopsmith-cli --target language_files
mapfile -t programs < "$dir/test_programs.txt"

logs=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-web-logs.XXXXXX")
trap 'rm -rf "$logs"' EXIT
passed=0 failed=0 skipped=0
cd "$dir/bin"
for p in "${programs[@]}"; do
    echo "== $p as WebAssembly under node =="
    rc=0
    "${node[@]}" "./$p.js" --gtest_brief=1 > "$logs/$p.log" 2>&1 || rc=$?
    grep -v -E '^\[ +(RUN|OK) +\]' "$logs/$p.log" || true
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$logs/$p.log" | tail -1)
    bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$logs/$p.log" | tail -1)
    skip=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?[.,].*/\1/p' "$logs/$p.log" | tail -1)
    if [ -z "$ok" ] || { [ "$rc" -ne 0 ] && [ -z "$bad" ]; }; then
        echo "$p ended without a result (exit $rc)"
        bad=$((${bad:-0} + 1))
    fi
    passed=$((passed + ${ok:-0})) failed=$((failed + ${bad:-0})) skipped=$((skipped + ${skip:-0}))
done

echo "== loopsmith-cli as WebAssembly under node against the Linux build, byte for byte =="
"$root/scripts/build.sh" "$root/build" --target loopsmith-cli --target language_files
WINE=node "$root/scripts/compare-cli-windows.sh" "$root/build/bin/loopsmith-cli" \
    "$dir/bin/loopsmith-cli.js" > "$logs/compare.log" || true
cat "$logs/compare.log"
same=$(grep -c '^same ' "$logs/compare.log" || true)
differ=$(grep -c '^DIFFERS ' "$logs/compare.log" || true)
[ "$same" -gt 0 ] || differ=$((differ + 1))
passed=$((passed + same)) failed=$((failed + differ))

# ---- The page: its build and its driver in headless Chromium (scripts of their own) ----
echo "== The page in headless Chromium and Firefox ESR =="
driven="$logs/drive-web.log"
"$root/scripts/drive-web.sh" "$dir" > "$driven" 2>&1 || true
grep -v '^Driven:' "$driven" || true
ok=$(sed -n 's/^Driven: \([0-9]*\) passed, \([0-9]*\) failed$/\1/p' "$driven" | tail -1)
bad=$(sed -n 's/^Driven: \([0-9]*\) passed, \([0-9]*\) failed$/\2/p' "$driven" | tail -1)
[ -n "$ok" ] || { echo "the page's driver ended without a result"; bad=$((${bad:-0} + 1)); }
passed=$((passed + ${ok:-0})) failed=$((failed + ${bad:-0}))
# ---- end of the page's section ----

echo "Web: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
