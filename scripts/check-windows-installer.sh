#!/usr/bin/env bash
# Makes the Windows installer (CPack NSIS) from an installed-layout cross build and checks it
# under wine (WINEPREFIX with a running wineserver and DISPLAY set by the caller): a silent
# install into Program Files with the project's licence, the installed program started through
# its Start-menu entry by the shell and closed with its settings in %APPDATA%\Loopsmith and
# nothing written beside it, an uninstall refused while the program runs, then a silent
# uninstall that removes the program and its Start-menu entry. One line per check: "ok NAME" or
# "FAILED NAME".
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
nsi=$dir/_CPack_Packages/win64/NSIS/project.nsi
check "its licence page shows the project's licence" \
    bash -c "grep -q 'MUI_PAGE_LICENSE \"$dir/LICENSE.txt\"' '$nsi' && grep -q '^Permission is hereby granted' '$dir/LICENSE.txt'"

c=$WINEPREFIX/drive_c
program="$c/Program Files/Loopsmith"
appdata=$("$wine" cmd /c echo %APPDATA% 2> /dev/null | tr -d '\r')
appdata_unix=$(/usr/lib/wine/wine64 winepath -u "$appdata" 2> /dev/null)
check "silent install" "$wine" "$setup" /S
check "the program is in Program Files" test -f "$program/loopsmith.exe"
check "the languages are beside it" test -f "$program/Language/russian.lng"
menu=$(find "$c" -path '*Start Menu/Programs/Loopsmith*' -name 'Loopsmith.lnk' 2> /dev/null | head -1)
check "a Start-menu entry" test -n "$menu"

# Through the shell, as a click on the entry would: the shortcut must name the program.
"$wine" start "$("$wine" winepath -w "$menu" 2> /dev/null)" > /dev/null 2>&1
check "the Start-menu entry starts the program" "$wine" "$driver" wait
# In place (_?=, which must stand unquoted: hence a batch file), so that its exit code is seen.
printf '@"C:\\Program Files\\Loopsmith\\Uninstall.exe" /S _?=C:\\Program Files\\Loopsmith\r\n@exit /b %%errorlevel%%\r\n' \
    > "$c/uninstall-in-place.bat"
"$wine" cmd /c 'C:\uninstall-in-place.bat' > /dev/null 2>&1
check "uninstalling the running program fails (exit code 2)" test $? -eq 2
check "and removes nothing" test -f "$program/loopsmith.exe" -a -f "$program/Language/russian.lng" -a -f "$menu"
check "the installed program closes" "$wine" "$driver" wait key alt+f4 exited
check "its settings are in %APPDATA%\\Loopsmith" test -f "$appdata_unix/Loopsmith/Loopsmith.ini"
check "nothing is written beside the program" test ! -e "$program/Loopsmith.ini"

check "silent uninstall" "$wine" "C:\\Program Files\\Loopsmith\\Uninstall.exe" /S
check "the program is removed" gone "$program/loopsmith.exe"
check "the Start-menu entry is removed" gone "$menu"
