#!/usr/bin/env bash
# Makes the README's pictures in docs/ from the real windows:
#
#   scripts/make-pictures.sh [BUILD_DIR] [WINDOWS_BUILD_DIR] [WEB_BUILD_DIR]
#                                              (default: build, build-windows, build-web)
#
# The Qt window on a virtual X display (Xvfb): the pages as the window test shows them (the
# calculator page with 10 ms at 4 MHz calculated, the profile editor in Russian and in English,
# the About page). The Windows window under wine in a fresh prefix, just started, at 96 and at
# 144 DPI, taken off the screen with its frame. The web page on a phone's screen, 360 px wide at
# two pixels to the point, as its driver shows it (when emscripten is there). The builds are
# brought up to date first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
winbuild=$(realpath -m "${2:-$root/build-windows}")
webbuild=$(realpath -m "${3:-$root/build-web}")
docs=$root/docs
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

"$root/scripts/build.sh" "$build" --target qt_tests --target language_files
"$root/scripts/build.sh" "$winbuild" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DLOOPSMITH_BENCH=OFF --target loopsmith --target loopsmith_driver --target language_files

work=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-pictures.XXXXXX")
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
for n in $(seq 90 130); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
sleep 1

echo "== The Qt window =="
(cd "$build/bin" && QT_QPA_PLATFORM=xcb ./qt_tests --gtest_filter='WindowPictures.*' \
    > "$work/qt.log" 2>&1) || { cat "$work/qt.log"; exit 1; }
cp "$build/page0.png" "$docs/screenshot.png"
cp "$build/page1.png" "$docs/profile-editor.png"
cp "$build/page1_en.png" "$docs/profile-editor-english.png"
cp "$build/page2.png" "$docs/about-page.png"

echo "== The Windows window under wine =="
"$wine" wineboot --init 2> /dev/null || true
"$wineserver" -w
# Windows' own faces, and wine's desktop in one window so that the window has its frame.
cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f > /dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x900 /f > /dev/null 2>&1
shoot() {  # DPI PICTURE
    "$wineserver" -k 2>/dev/null || true
    "$wineserver" -w
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        > /dev/null 2>&1
    local run=$work/run$1
    mkdir -p "$run"
    cp -r "$winbuild/bin/loopsmith.exe" "$winbuild/bin/Language" "$run/"
    (cd "$run" && "$wine" ./loopsmith.exe > loopsmith.log 2>&1 &)
    (cd "$run" && "$wine" "$winbuild/bin/loopsmith_driver.exe" wait rect rect.txt > driver.log 2>&1) ||
        { cat "$run/driver.log"; exit 1; }
    import -window root -crop "$(tr -d '\r' < "$run/rect.txt")" "$docs/$2"
    (cd "$run" && "$wine" "$winbuild/bin/loopsmith_driver.exe" wait key alt+f4 exited \
        > /dev/null 2>&1)
}
shoot 96 windows-window.png
shoot 144 windows-window-144dpi.png

if command -v emcc > /dev/null; then
    echo "== The web page in headless Chromium =="
    "$root/scripts/drive-web.sh" "$webbuild" "$build" | tail -1
    cp "$webbuild/pictures/phone-english-360x740.png" "$docs/web-page.png"
fi
echo "Pictures made: $(cd "$docs" && ls ./*.png | tr '\n' ' ')"
