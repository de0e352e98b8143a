#!/usr/bin/env bash
# Runs a sample of requests through the Linux loopsmith-cli and through loopsmith-cli.exe under
# wine (WINEPREFIX and the rest set by the caller) and compares standard output, standard error
# and the exit code byte for byte. One line per request: "same NAME" or "DIFFERS NAME".
#   scripts/compare-cli-windows.sh LINUX_CLI WINDOWS_CLI_EXE
# With WINE=node and the browser build's loopsmith-cli.js instead, the same for WebAssembly.
set -uo pipefail
linux=$1
windows=$2
wine=${WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-cli-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Both read the same files by the same path: wine sees the Linux root as drive Z:, the
# current drive here.
none="$work/none.ini"
: > "$none"  # an empty settings file: the built-in profiles, whatever lies beside either program
printf '\xEF\xBB\xBF\r\n[Window]\r\nNumberProf = 0\r\n[Моё]\r\nReg1 = CntA\r\nReg2 = CntB\r\nLabel = Wait\r\n' \
    > "$work/mine.ini"
mkdir "$work/Папка"
cp "$work/mine.ini" "$work/Папка/mine.ini"
"$linux" 1000000 --settings "$none" > "$work/block.asm"
printf '1000000\n1 ms 4 MHz\r\n3\nfoo bar\n\n9223372036854775800' > "$work/batch.txt"
printf '5\n\x1a\n6\n' > "$work/ctrl-z.txt"

# name|stdin file|arguments (one per line after the first field, separated by "|")
requests=(
    "code|/dev/null|1546"
    "code-wdt-pic18|/dev/null|1548|--wdt|--profile|Default PIC18"
    "lf|/dev/null|1546|--lf"
    "plan|/dev/null|1000000|--plan"
    "plan-lf|/dev/null|1000000|--plan|--lf"
    "calculator|/dev/null|--time|1.50|--time-unit|ms|--freq|32.768|--freq-unit|kHz"
    "message-exit-1|/dev/null|3"
    "message-wdt-exit-1|/dev/null|4|--wdt"
    "missing-language-exit-1|/dev/null|5|--language|klingon"
    "english|/dev/null|10|--language|english"
    "usage-exit-2|/dev/null|--bogus|10"
    "verify|/dev/null|9223372036854775800|--verify|--wdt|--profile|Default PIC18"
    "count|/dev/null|--count|$work/block.asm"
    "batch-lf|$work/batch.txt|--batch|--lf"
    "batch-crlf|$work/batch.txt|--batch"
    "batch-ctrl-z|$work/ctrl-z.txt|--batch|--lf"
    "profile-named-in-utf8|/dev/null|700|--settings|$work/mine.ini|--profile|Моё"
    "settings-in-utf8-folder|/dev/null|700|--settings|$work/Папка/mine.ini|--profile|Моё"
    "help|/dev/null|--help"
)

for request in "${requests[@]}"; do
    IFS='|' read -r -a fields <<< "$request"
    name=${fields[0]} input=${fields[1]}
    args=("${fields[@]:2}")
    case " ${args[*]} " in *" --settings "*) ;; *) args+=(--settings "$none") ;; esac
    "$linux" "${args[@]}" < "$input" > "$work/l.out" 2> "$work/l.err"
    echo "exit $?" > "$work/l.code"
    "$wine" "$windows" "${args[@]}" < "$input" > "$work/w.out" 2> "$work/w.err"
    echo "exit $?" > "$work/w.code"
    if [ "$name" = help ]; then
        # The last line names each build's own settings file.
        sed -i '$d' "$work/l.out" "$work/w.out"
    fi
    if cmp -s "$work/l.out" "$work/w.out" && cmp -s "$work/l.err" "$work/w.err" &&
            cmp -s "$work/l.code" "$work/w.code"; then
        echo "same $name ($(wc -c < "$work/l.out") + $(wc -c < "$work/l.err") bytes, $(cat "$work/l.code"))"
    else
        echo "DIFFERS $name"
        for part in out err code; do
            cmp -s "$work/l.$part" "$work/w.$part" && continue
            echo "  std$part: Linux $(wc -c < "$work/l.$part") bytes, Windows $(wc -c < "$work/w.$part") bytes"
            diff <(od -c "$work/l.$part" | head -20) <(od -c "$work/w.$part" | head -20) | head -10 | sed 's/^/    /'
        done
    fi
done
