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
    --target loopsmith --target loopsmith_driver --target portable_zip --target win32_startup_bench \
    --target test_programs
mapfile -t programs < "$dir/test_programs.txt"
echo "== Cross-build of the installed layout for the installer =="
"$root/scripts/build.sh" "$dir-installed" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DLOOPSMITH_BENCH=OFF -DLOOPSMITH_TESTS=OFF -DLOOPSMITH_INSTALLED_LAYOUT=ON \
    --target loopsmith --target loopsmith-cli
echo "== Linux loopsmith-cli for the byte comparison =="
"$root/scripts/build.sh" "$root/build" --target loopsmith-cli --target language_files

# A prefix of our own that asks for nothing it cannot download (no Mono, no Gecko).
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
logs=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-wine-logs.XXXXXX")
locales=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-locales.XXXXXX")
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$logs" "$locales"
}
trap cleanup EXIT
# The window needs an X display: a virtual one of our own when none is given.
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 90 130); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
    Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp > /dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$n"
    trap 'cleanup; kill $xvfb 2>/dev/null || true' EXIT
    sleep 1
fi
# Wine takes its user's UI language from the locale: Russian, the program's own texts, so that a
# first start speaks as the tests expect (drive-windows.sh starts one in English too). Made here
# from the locale sources, as the machine may have none but C: a locale that glibc cannot load
# would also cost wine its UTF-8 file names and arguments.
localedef -i ru_RU -f UTF-8 "$locales/ru_RU.UTF-8"
localedef -i en_US -f UTF-8 "$locales/en_US.UTF-8"
export LOCPATH=$locales LC_ALL=ru_RU.UTF-8
echo "== Wine prefix $WINEPREFIX =="
# A 64-bit-only wine has no 32-bit rundll32; that line is all wineboot says here.
"$wine" wineboot --init 2> >(grep -v 'syswow64' >&2) || true
"$wineserver" -w
# The faces Windows programs expect (Tahoma, Marlett), and wine's desktop in one window so that
# the program's window has its frame on a display without a window manager.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f > /dev/null 2>&1 || true
# A small laptop's screen: the most a window may take for long captions.
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1366x768 /f > /dev/null 2>&1 || true
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

# A face wider than Tahoma, as Segoe UI is on Windows: wine draws the dialog face in DejaVu Sans
# once the prefix has no Tahoma. The captions must fit all the same.
fonts=$WINEPREFIX/drive_c/windows/Fonts
wider_face() {  # on | off
    mkdir -p "$WINEPREFIX/hidden-fonts"
    if [ "$1" = on ]; then mv "$fonts"/tahoma*.ttf "$WINEPREFIX/hidden-fonts/"
    else mv "$WINEPREFIX"/hidden-fonts/tahoma*.ttf "$fonts/"; fi
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w
    "$wineserver" -p
}
wider_face on
echo "== contract_tests.exe: the caption table with the wider face =="
rc=0
"$wine" ./contract_tests.exe --gtest_filter='Win32Captions*' > "$logs/wider.log" 2>&1 || rc=$?
tr -d '\r' < "$logs/wider.log" | grep -v -E '^\[ +(RUN|OK) +\]' || true
if [ "$rc" -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' "$logs/wider.log"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi
wider_face off

echo "== loopsmith-cli.exe against the Linux build, byte for byte =="
same=0 differ=0
if "$root/scripts/compare-cli-windows.sh" "$root/build/bin/loopsmith-cli" \
        "$dir/bin/loopsmith-cli.exe" > "$logs/compare.log"; then :; fi
cat "$logs/compare.log"
same=$(grep -c '^same ' "$logs/compare.log" || true)
differ=$(grep -c '^DIFFERS ' "$logs/compare.log" || true)
[ "$same" -gt 0 ] || differ=$((differ + 1))
passed=$((passed + same)) failed=$((failed + differ))

echo "== loopsmith.exe: $(stat -c %s "$dir/bin/loopsmith.exe") bytes, imports" \
    "$(x86_64-w64-mingw32-objdump -p "$dir/bin/loopsmith.exe" | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')=="
echo "== Start-up against a bare window and against the first page alone (figures only) =="
(cd "$dir/bin" && "$wine" ./win32_startup_bench.exe 15 2>&1 | tr -d '\r') || true
zip=$(ls "$dir"/loopsmith-*-windows-portable.zip)
echo "== loopsmith.exe from $(basename "$zip") end to end through the test driver" \
    "(pictures in $dir/pictures) =="
mkdir -p "$dir/pictures"
PORTABLE_ZIP=$zip "$root/scripts/drive-windows.sh" "$dir/bin" "$dir/pictures" \
    > "$logs/drive.log" 2>&1 || true
cat "$logs/drive.log"
drove=$(grep -c -E '^(ok|same) ' "$logs/drive.log" || true)
broke=$(grep -c -E '^(DIFFERS|FAILED) ' "$logs/drive.log" || true)
[ "$drove" -gt 0 ] || broke=$((broke + 1))
passed=$((passed + drove)) failed=$((failed + broke))

# The pages again, Russian and English, at 144 DPI and with the wider face (figures only: for
# a person to look at).
shots() {  # NAME
    local work
    work=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-shots.XXXXXX")
    (cd "$work" && cmake -E tar xf "$zip")
    "$wine" "$work/Loopsmith/loopsmith.exe" > /dev/null 2>&1 &
    for language in russian english; do
        [ "$language" = russian ] || "$wine" ./loopsmith_driver.exe wait pick 65 0 > /dev/null 2>&1
        for page in 0 1 2; do
            "$wine" ./loopsmith_driver.exe wait page $page rect "$work/rect.txt" > /dev/null 2>&1 &&
                import -window root -crop "$(tr -d '\r' < "$work/rect.txt")" \
                    "$dir/pictures/windows-$1-$language-page$page.png"
        done
    done
    "$wine" ./loopsmith_driver.exe wait key alt+f4 exited > /dev/null 2>&1
    wait
    rm -rf "$work"
}
dpi() {  # VALUE
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null 2>&1
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w
    "$wineserver" -p
}
echo "== Pictures at 144 DPI and with the wider face (in $dir/pictures) =="
(cd "$dir/bin" && dpi 144 && shots 144dpi && wider_face on && shots 144dpi-wider && dpi 96 &&
    shots wider && wider_face off) || true
ls "$dir/pictures" | tr '\n' ' '
echo

echo "== The installer: made, installed silently, run, uninstalled =="
"$root/scripts/check-windows-installer.sh" "$dir-installed" "$dir/bin/loopsmith_driver.exe" \
    > "$logs/installer.log" 2>&1 || true
cat "$logs/installer.log"
installed=$(grep -c '^ok ' "$logs/installer.log" || true)
refused=$(grep -c '^FAILED ' "$logs/installer.log" || true)
[ "$installed" -gt 0 ] || refused=$((refused + 1))
passed=$((passed + installed)) failed=$((failed + refused))

echo "Windows tests: ${programs[*]}, $((same + differ)) byte comparisons," \
    "$((drove + broke)) end-to-end checks, $((installed + refused)) installer checks"
echo "Windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
