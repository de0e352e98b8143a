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
: > none.ini  # an empty settings file: loopsmith-cli with the built-in profiles
cli() { "$wine" "$bin/loopsmith-cli.exe" --settings none.ini "$@"; }
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
drive click 69 click 17 save 18 declared.txt click 69
cli --declare 10000 > declared-cli.txt
same "the declarations box gives loopsmith-cli --declare's code" declared.txt declared-cli.txt

# The calculator: 10 ms at 4 MHz (the frequency the fresh settings hold).
drive click 2 type 8 10 pick 6 1 key enter save 18 calculator.txt
cli --time 10 --time-unit ms --freq 4 --freq-unit MHz > calculator-cli.txt
same "the calculator gives loopsmith-cli's code" calculator.txt calculator-cli.txt
# Ctrl+A, Ctrl+C: the output box whole on the clipboard, CRLF lines as loopsmith-cli.exe writes.
drive click 18 key ctrl+a key ctrl+c clipboard clipboard.txt
same "Ctrl+A, Ctrl+C copy the output box" clipboard.txt calculator-cli.txt

# The dialog keys. Tab and Shift+Tab go round in the order the controls were made, the tabs (19)
# first, past labels, frames and the routine name, hidden while the form is a block; Ctrl+Tab
# turns the pages.
walk() {  # KEY GADGET...: each gadget in turn must have the focus after KEY
    local key=$1 g
    shift
    steps=()
    for g in "$@"; do steps+=(key "$key" focus "$g"); done
}
walk tab 11 13 14 69 16 17 66 18 65 19 2 1 6 8
check "Tab goes round page 0 in creation order" drive click 8 "${steps[@]}"
walk shift+tab 6 1 2 19 65 18 66 17 16 69 14 13 11 8
check "Shift+Tab goes back round" drive "${steps[@]}"
# The name starts as Delay: the form's pick leaves the focus on the combo.
check "Tab reaches the routine name once shown" drive pick 66 1 focus 66 key tab focus 68 key tab focus 18 pick 66 0
check "Ctrl+Tab turns the pages round" drive key ctrl+tab focus 24 key ctrl+tab focus 60 key ctrl+tab focus 2
check "Ctrl+Shift+Tab turns them back" drive key ctrl+shift+tab focus 60 key ctrl+shift+tab focus 24
# Disabled while focused, New and Cancel pass the focus on, and the keys go on working.
check "New gives the keys to the profile form" drive click 25 focus 29 key tab focus 31 key tab focus 41
check "after Cancel Tab goes on" drive click 51 focus 65 key tab focus 19 key tab focus 24
# Enter presses the focused button; Escape in the open form cancels it (the focus leaves the
# form locked behind it).
check "Enter presses the focused New button" drive key tab focus 25 key enter focus 29
check "Escape cancels the form" drive key escape focus 65
# Each routine form, by the calculator and by the typed count, gives loopsmith-cli's routine.
for form in 1 2; do
    option=(--subroutine Wait)
    [ $form = 2 ] && option=(--w-times Wait)
    drive page 0 pick 66 $form click 68 key ctrl+a write Wait click 17 save 18 form-calculator.txt
    cli "${option[@]}" --time 10 --time-unit ms --freq 4 --freq-unit MHz > form-calculator-cli.txt
    same "form $form by the calculator" form-calculator.txt form-calculator-cli.txt
    drive click 2 click 16 key ctrl+a write 10000 key enter save 18 form-typed.txt click 2
    cli "${option[@]}" 10000 > form-typed-cli.txt
    same "form $form by the typed count" form-typed.txt form-typed-cli.txt
done
drive pick 66 0

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
check "Tab reaches the About links" drive page 2 focus 19 key tab focus 60 key tab focus 63
check "the focused banner is framed" drive key shift+tab focus 60 edge 60 focused.txt key tab \
    edge 60 unfocused.txt
check "the frame goes with the focus" bash -c '! cmp -s focused.txt unfocused.txt'
page_pictures english
drive key alt+f4 exited
wait
# A first start with no language stored speaks the user's UI language (test-windows.sh gives
# the prefix Russian; wine takes it from LC_ALL).
mkdir first && cp -r loopsmith.exe Language first/
(cd first && LC_ALL=en_US.UTF-8 exec "$wine" ./loopsmith.exe) > loopsmith.log 2>&1 &
check "a first start with an English UI language speaks English" drive expect 17 "Calculate"
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
