#!/usr/bin/env bash
# End to end on the real loopsmith.exe under wine: the test driver (an .exe that uses only the
# Windows API) works the window as a user would, and its results are checked against
# loopsmith-cli.exe and the settings file. Needs WINEPREFIX (with a running wineserver, an X
# display in DISPLAY and wine's virtual desktop on, so that windows have frames).
#   scripts/drive-windows.sh BIN_DIR [PICTURE_DIR]
# PORTABLE_ZIP=zip takes the program from the portable zip, unpacked into a fresh folder.
# With PICTURE_DIR, pictures of the three pages in Russian and in English go there.
# One line per check: "same NAME" / "ok NAME" or "DIFFERS NAME" / "FAILED NAME".
set -uo pipefail
bin=$(realpath "$1")
pictures=${2:-}
wine=${WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-drive.XXXXXX")
[ -n "${KEEP_DRIVE:-}" ] || trap 'rm -rf "$work"' EXIT
# The program from the portable zip when one is named (PORTABLE_ZIP), else from the build.
if [ -n "${PORTABLE_ZIP:-}" ]; then
    (cd "$work" && cmake -E tar xf "$PORTABLE_ZIP" && mv Loopsmith/* . && rmdir Loopsmith)
else
    cp -r "$bin/loopsmith.exe" "$bin/Language" "$work/"
fi
cd "$work"

drive() { "$wine" "$bin/loopsmith_driver.exe" wait "$@" > driver.log 2>&1; }
check() {  # NAME, then a command that must succeed
    local name=$1
    shift
    if "$@"; then echo "ok $name"; else echo "FAILED $name"; tail -3 driver.log | tr -d '\r' | sed 's/^/    /'; fi
}
same() {  # NAME FILE FILE
    if cmp -s "$2" "$3"; then echo "same $1"; else echo "DIFFERS $1"; fi
}
# An empty settings file: loopsmith-cli's defaults, as the window's fresh start has them
# (a settings file that does not exist is refused).
: > cli-defaults.ini
cli() { "$wine" "$bin/loopsmith-cli.exe" --settings cli-defaults.ini "$@"; }
picture() {  # NAME: the window as it is now
    [ -n "$pictures" ] || return 0
    drive rect rect.txt && import -window root -crop "$(tr -d '\r' < rect.txt)" "$pictures/$1.png"
}
page_pictures() {  # LANGUAGE
    [ -n "$pictures" ] || return 0
    for page in 0 1 2; do
        drive page $page && picture "windows-$1-page$page"
    done
    drive page 0
}

"$wine" ./loopsmith.exe > loopsmith.log 2>&1 &
check "window shown" drive wait

# Direct mode: the cycle count typed, Enter, the output box against loopsmith-cli.
drive click 2 type 16 10000 key enter save 18 direct.txt
cli 10000 > direct-cli.txt
same "Enter gives loopsmith-cli's code" direct.txt direct-cli.txt

# The calculator: 10 ms at 4 MHz (the frequency the fresh settings hold).
drive click 2 type 8 10 pick 6 1 key enter save 18 calculator.txt
cli --time 10 --time-unit ms --freq 4 --freq-unit MHz > calculator-cli.txt
same "the calculator gives loopsmith-cli's code" calculator.txt calculator-cli.txt

# A profile added (after the selected one), changed and deleted: each step is on disk at once.
registers=()
for n in 1 2 3 4 5 6 7 8; do registers+=(type $((40 + n)) "Cnt$n"); done
check "profile added" drive page 1 click 25 type 29 Drv "${registers[@]}" type 49 Wait click 50
check "the new profile is in Loopsmith.ini" grep -q '^\[Drv\]' Loopsmith.ini
check "profile changed" drive select 24 1 click 26 click 41 key ctrl+a write CntB click 50
check "the change is in Loopsmith.ini" grep -q 'Reg1 = CntB' Loopsmith.ini
check "profile deleted" drive select 24 1 click 27 answer yes question.txt
check "the delete question was asked" grep -q 'Drv' question.txt
check "the profile is gone from Loopsmith.ini" bash -c '! grep -q "^\[Drv\]" Loopsmith.ini'

# The language: English captions at once, Russian ones before.
check "Russian captions" drive page 0 expect 17 "Рассчитать"
check "language switched" drive pick 65 0 expect 17 "Calculate"

# Alt+F4 ends the program, which saves its settings group.
check "Alt+F4 ends the program" drive key alt+f4 exited
wait
check "the settings were saved" grep -q '^CalcState = ' Loopsmith.ini
"$wine" ./loopsmith.exe > loopsmith.log 2>&1 &
check "the next start speaks English" drive expect 17 "Calculate"
page_pictures english
drive key alt+f4 exited
wait
if [ -n "$pictures" ]; then  # back to Russian, and its pictures from a fresh start
    "$wine" ./loopsmith.exe > loopsmith.log 2>&1 &
    drive pick 65 1 key alt+f4 exited
    wait
    "$wine" ./loopsmith.exe > loopsmith.log 2>&1 &
    page_pictures russian
    drive key alt+f4 exited
    wait
fi
