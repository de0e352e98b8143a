#!/usr/bin/env bash
# Cross-builds the core libraries, loopsmith-cli and the core test programs for Windows and
# runs them under wine in a fresh prefix; then checks that loopsmith-cli.exe writes the bytes
# that the Linux build (build/bin/loopsmith-cli, built here if missing) writes.
#   scripts/test-windows.sh [BUILD_DIR]      (default: build-windows)
# Ends with one line "Windows: N passed, N failed, N skipped"; exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$root/build-windows}")
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

echo "== Cross-build for Windows =="
# The test programs are the ones the build found under tests/ (test_programs.txt).
"$root/scripts/build.sh" "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DLOOPSMITH_BENCH=OFF --target loopsmith-cli --target language_files --target save_child \
    --target test_programs
mapfile -t programs < "$dir/test_programs.txt"
echo "== Linux loopsmith-cli for the byte comparison =="
"$root/scripts/build.sh" "$root/build" --target loopsmith-cli --target language_files

# A prefix of our own that asks for nothing it cannot download (no Mono, no Gecko).
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
logs=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-wine-logs.XXXXXX")
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$logs"
}
trap cleanup EXIT
echo "== Wine prefix $WINEPREFIX =="
# A 64-bit-only wine has no 32-bit rundll32; that line is all wineboot says here.
"$wine" wineboot --init 2> >(grep -v 'syswow64' >&2) || true
"$wineserver" -w
# One server for every program: a server that times out just as the next program starts
# drops that program's connection ("recvmsg: Connection reset by peer").
"$wineserver" -p

# A process starts slowly under wine: more kills, so that a good share lands mid-save.
export LOOPSMITH_KILLS=60
passed=0 failed=0 skipped=0
cd "$dir/bin"
for p in "${programs[@]}"; do
    echo "== $p.exe under wine =="
    rc=0
    "$wine" "./$p.exe" > "$logs/$p.log" 2>&1 || rc=$?
    tr -d '\r' < "$logs/$p.log" | grep -v -E '^\[ +(RUN|OK) +\]' || true
    ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$logs/$p.log" | tail -1)
    bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$logs/$p.log" | tail -1)
    skip=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below:.*/\1/p' "$logs/$p.log" | tail -1)
    if [ -z "$ok" ] || { [ "$rc" -ne 0 ] && [ -z "$bad" ]; }; then
        echo "$p.exe ended without a result (exit $rc)"
        bad=$((${bad:-0} + 1))
    fi
    passed=$((passed + ${ok:-0})) failed=$((failed + ${bad:-0})) skipped=$((skipped + ${skip:-0}))
done

echo "== loopsmith-cli.exe against the Linux build, byte for byte =="
same=0 differ=0
if "$root/scripts/compare-cli-windows.sh" "$root/build/bin/loopsmith-cli" \
        "$dir/bin/loopsmith-cli.exe" > "$logs/compare.log"; then :; fi
cat "$logs/compare.log"
same=$(grep -c '^same ' "$logs/compare.log" || true)
differ=$(grep -c '^DIFFERS ' "$logs/compare.log" || true)
[ "$same" -gt 0 ] || differ=$((differ + 1))
passed=$((passed + same)) failed=$((failed + differ))

echo "Windows tests: ${programs[*]} and $((same + differ)) byte comparisons"
echo "Windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
