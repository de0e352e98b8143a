#!/usr/bin/env bash
# Makes the Windows installer (CPack NSIS) from an installed-layout cross build and checks it
# under wine (WINEPREFIX with a running wineserver and DISPLAY set by the caller): a silent
# install into Program Files, the installed program started and closed with its settings in
# %APPDATA%\Loopsmith and nothing written beside it, then a silent uninstall that removes the
# program and its Start-menu entry. One line per check: "ok NAME" or "FAILED NAME".
#   scripts/check-windows-installer.sh INSTALLED_BUILD_DIR DRIVER_EXE
set -uo pipefail
dir=$(realpath "$1")
driver=$(realpath "$2")
wine=${WINE:-/usr/lib/wine/wine64}
check() {
    local name=$1
    shift
    if "$@" > /dev/null 2>&1; then echo "ok $name"; else echo "FAILED $name"; fi
}
gone() {  # PATH: waits a little for the uninstaller, which runs on after it returns
    for _ in $(seq 1 100); do [ -e "$1" ] || return 0; sleep 0.2; done
    return 1
}

(cd "$dir" && cpack -G NSIS > cpack.log 2>&1) || { echo "FAILED installer made"; tail -5 "$dir/cpack.log"; exit 0; }
setup=$(ls "$dir"/loopsmith-*-windows-setup.exe)
echo "ok installer made ($(stat -c %s "$setup") bytes)"

c=$WINEPREFIX/drive_c
program="$c/Program Files/Loopsmith"
appdata=$("$wine" cmd /c echo %APPDATA% 2> /dev/null | tr -d '\r')
appdata_unix=$(/usr/lib/wine/wine64 winepath -u "$appdata" 2> /dev/null)
check "silent install" "$wine" "$setup" /S
check "the program is in Program Files" test -f "$program/loopsmith.exe"
check "the languages are beside it" test -f "$program/Language/russian.lng"
menu=$(find "$c" -path '*Start Menu/Programs/Loopsmith*' -name '*.lnk' 2> /dev/null | head -1)
check "a Start-menu entry" test -n "$menu"

"$wine" "C:\\Program Files\\Loopsmith\\loopsmith.exe" > /dev/null 2>&1 &
check "the installed program starts and closes" "$wine" "$driver" wait key alt+f4 exited
wait
check "its settings are in %APPDATA%\\Loopsmith" test -f "$appdata_unix/Loopsmith/Loopsmith.ini"
check "nothing is written beside the program" test ! -e "$program/Loopsmith.ini"

check "silent uninstall" "$wine" "C:\\Program Files\\Loopsmith\\Uninstall.exe" /S
check "the program is removed" gone "$program/loopsmith.exe"
check "the Start-menu entry is removed" gone "$menu"
