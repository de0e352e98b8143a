#!/usr/bin/env bash
# Compares what a user gets from two builds, byte for byte:
#
#   scripts/compare-builds.sh OLD_BIN_DIR NEW_BIN_DIR
#
# Each folder holds loopsmith-cli, qt_tests and Language/ (build them with
# `scripts/build.sh DIR --target loopsmith-cli --target qt_tests --target language_files`, then
# pass DIR/bin). Not part of ./test.sh: it is run before and after a change that must not be
# visible, such as a restructuring of the code.
#
# What is compared (the inputs are generated here from a fixed seed, so every run is the same):
#  - loopsmith-cli --batch: about 150,000 requests (cycle counts spread over the whole range and
#    dense at the small counts, the level thresholds and the largest delay; $hex, %binary, signs
#    and junk; the calculator with every time and frequency unit, out-of-range and malformed
#    values), under eight set-ups: with and without --wdt, the built-in profiles, a settings
#    file with a labelled profile with BANKED registers and one with "$" as label, English,
#    --lf.
#  - single runs of loopsmith-cli: the code text, --plan, --verify and --lf for many counts and
#    for the calculator with every unit pair, each with and without --wdt and under several
#    profiles and languages; then every option and its refusals, --count on good and bad
#    files, --batch on odd input, broken language and settings files, a settings file beside
#    the program. Standard output, standard error and the exit code.
#  - the window: qt_tests --gtest_filter='WindowSession*' of each build, offscreen, with
#    LOOPSMITH_SESSION_OUT set; the message boxes, settings file and output box after every
#    step and the pictures of the three pages.
# The program folder's path is replaced by <program folder> in what the tool prints, since the
# two builds run from different folders.
#
# Prints the number of cases compared and every difference (the first ones in detail); the
# exit code is 0 when all are identical, 1 on any difference, 2 when it cannot run.
set -euo pipefail

if [ $# -ne 2 ]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
    exit 2
fi
for dir in "$1" "$2"; do
    for need in loopsmith-cli qt_tests Language; do
        if [ ! -e "$dir/$need" ]; then
            echo "compare-builds: $dir/$need is missing" >&2
            exit 2
        fi
    done
done
command -v python3 >/dev/null || { echo "compare-builds: python3 is needed" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/loopsmith-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 - "$(cd "$1" && pwd)" "$(cd "$2" && pwd)" "$work" <<'PY'
import os, random, shutil, subprocess, sys, time

old_bin, new_bin, work = sys.argv[1:4]
started = time.monotonic()
MAX = 9223372036854775800
TIME_UNITS = ["us", "ms", "s", "min", "h", "d"]
FREQ_UNITS = ["MHz", "kHz", "Hz"]
# Differences printed in full per section; LOOPSMITH_COMPARE_DETAILS=all prints every one.
DETAILS = os.environ.get("LOOPSMITH_COMPARE_DETAILS", "8")

differences = 0
differing = {}
counts = {}
exit_codes = {}  # of the old build, to show that the cases reach every outcome


def note(section, n=1):
    counts[section] = counts.get(section, 0) + n


def first_difference(a, b):
    """The first line where two outputs part, for the report."""
    la, lb = a.split(b"\n"), b.split(b"\n")
    for i in range(max(len(la), len(lb))):
        x = la[i] if i < len(la) else b"<end>"
        y = lb[i] if i < len(lb) else b"<end>"
        if x != y:
            return i + 1, x.decode("utf-8", "replace"), y.decode("utf-8", "replace")
    return 0, "", ""


def shown(args):
    """A command line as the report prints it: files of this run by their names only."""
    out = []
    for a in args:
        a = os.path.basename(a) if a.startswith(work) else a
        out.append(repr(a) if (" " in a or not a) else a)
    return " ".join(out)


def report(section, lines):
    global differences
    differences += 1
    seen = differing.get(section, 0)
    differing[section] = seen + 1
    if DETAILS == "all" or seen < int(DETAILS):
        print("DIFFERENT (%s): " % section + lines[0])
        for line in lines[1:]:
            print("    " + line)
    elif seen == int(DETAILS):
        print("(%s: further differences are counted, not shown)" % section)


# ---- the two program folders: clean copies, and copies with extra files beside the program ----

def make_folder(name, bin_dir, extra):
    folder = os.path.join(work, name)
    os.makedirs(folder)
    shutil.copy2(os.path.join(bin_dir, "loopsmith-cli"), folder)
    shutil.copytree(os.path.join(bin_dir, "Language"), os.path.join(folder, "Language"))
    if extra:
        lang = os.path.join(folder, "Language")
        with open(os.path.join(lang, "english.lng"), "rb") as f:
            english = f.read().split(b"\n")
        with open(os.path.join(lang, "partial.lng"), "wb") as f:
            f.write(b"\n".join(english[::2]))  # every other line: keys and group heads lost
        with open(os.path.join(lang, "broken.lng"), "wb") as f:
            f.write(bytes(random.Random(7).randrange(256) for _ in range(3000)))
        open(os.path.join(lang, "empty.lng"), "wb").close()
        shutil.copy2(os.path.join(work, "labelled.ini"), os.path.join(folder, "Loopsmith.ini"))
    return folder


def profile_group(name, regs, label, family, types):
    s = "[%s]\r\n" % name
    s += "".join("Reg%d = %s\r\n" % (k + 1, r) for k, r in enumerate(regs))
    s += "Label = %s\r\nTypePIC = %d\r\n" % (label, family)
    s += "".join("RegType%d = %d\r\n" % (k + 1, t) for k, t in enumerate(types))
    return s


def settings_file(language, selected):
    s = "\ufeff\r\n[Window]\r\nCalcState = 1\r\nTime = 0\r\nOscillatorType = 0\r\n"
    s += "Oscillator = 4\r\nWdtState = 0\r\nNumberProf = %d\r\nLanguage = %d\r\n" % (
        selected, language)
    s += profile_group("Banked", ["cnt%d" % k for k in range(1, 9)], "wait_lp", 1,
                       [1, 0, 1, 1, 0, 1, 0, 1])
    s += profile_group("Dollar", ["d%d" % k for k in range(1, 9)], "$", 0, [0] * 8)
    s += profile_group("Лампа", ["л%d" % k for k in range(1, 9)], "m1", 1, [1] * 8)
    s += profile_group("AllBanked", ["b%d" % k for k in range(1, 9)], "$", 1, [1] * 8)
    return s.encode("utf-8")


def write(name, data):
    path = os.path.join(work, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


LAB = write("labelled.ini", settings_file(-1, 0))
LAB_EN = write("labelled-english.ini", settings_file(0, 2))
BROKEN_INI = write("broken.ini", bytes(random.Random(3).randrange(256) for _ in range(2000)))
EMPTY_FILE = write("empty.txt", b"")
FOLDER = os.path.join(work, "a-folder")
os.makedirs(FOLDER)
BIG = os.path.join(work, "big.asm")
with open(BIG, "wb") as f:
    f.truncate(17 << 20)

folders = {
    "clean": (make_folder("old", old_bin, False), make_folder("new", new_bin, False)),
    "extra": (make_folder("old-extra", old_bin, True), make_folder("new-extra", new_bin, True)),
}


def run(folder, args, stdin=b""):
    p = subprocess.run([os.path.join(folder, "loopsmith-cli")] + args, input=stdin,
                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
    here = folder.encode()
    return (p.returncode, p.stdout.replace(here, b"<program folder>"),
            p.stderr.replace(here, b"<program folder>"))


def compare(section, args, stdin=b"", where="clean"):
    old_folder, new_folder = folders[where]
    a = run(old_folder, args, stdin)
    b = run(new_folder, args, stdin)
    note(section)
    exit_codes[a[0]] = exit_codes.get(a[0], 0) + 1
    if a == b:
        return a
    beside = "" if where == "clean" else "   (a settings file and extra languages beside)"
    lines = ["loopsmith-cli " + shown(args) + beside]
    if stdin:
        lines.append("stdin: %d bytes, starting %r" % (len(stdin), stdin[:60]))
    if a[0] != b[0]:
        lines.append("exit code %d -> %d" % (a[0], b[0]))
    for label, x, y in (("stdout", a[1], b[1]), ("stderr", a[2], b[2])):
        if x != y:
            n, lx, ly = first_difference(x, y)
            lines.append("%s line %d: %r" % (label, n, lx))
            lines.append("%s  now   : %r" % (" " * len(label), ly))
    report(section, lines)
    return a


# ---- inputs ----

rng = random.Random(20250101)


def weights(watchdog):
    w = [3, 771] if watchdog else [3, 770]
    while len(w) < 8:
        w.append(256 * w[-1] + 2)
    return w


def cycle_counts():
    vals = list(range(0, 20001))
    for e in range(8, 64):
        for base in (2 ** e, 3 * 2 ** (e - 1)):
            vals += [base + d for d in range(-3, 4)]
    for k in range(1, 9):
        for m in (1, 2, 255, 256):
            vals += [m * 256 ** k + d for d in range(-12, 13)]
    for watchdog in (False, True):
        for k, w in enumerate(weights(watchdog), 1):
            for edge in (w, w + 4 * k + 1, 2 * w, 255 * w, 256 * w):
                vals += [edge + d for d in range(-20, 21)]
    vals += [MAX + d for d in range(-60, 61)]
    vals += [2 ** 63 - 1, 2 ** 63, 2 ** 64 - 1, 2 ** 64, 10 ** 19, 10 ** 20, 10 ** 30]
    while len(vals) < 125000:
        vals.append(int(2 ** rng.uniform(2, 63)))
    return vals


def count_line(v, i):
    if v < 0:
        return str(v)
    if i % 13 == 0:
        return "$%X" % v if i % 2 else "$%x" % v
    if i % 17 == 0:
        return "%" + bin(v)[2:]
    if i % 19 == 0:
        return "+%d" % v
    if i % 23 == 0:
        return " \t%d\r" % v
    return str(v)


ODD_COUNTS = ["", " ", "-", "+", "$", "%", "-5", "-0", "+0", "-$A", "-%11", "$G", "%2", "12abc",
              "abc", "1.5", "1e3", "0x10", "$7FFFFFFFFFFFFFF8", "$7fffffffffffffff",
              "$FFFFFFFFFFFFFFFF", "%" + "1" * 64, "00000000000000000004", "9" * 40,
              "-9223372036854775808", "-9223372036854775809", "\u0664\u0662", "４２",
              "1 2", "1 2 3", "1 ms 4", "1 ms 4 MHz 5", "1 2 3 4 5 6"]


def number_text(rng, magnitude):
    whole = rng.randrange(0, 10 ** rng.randint(0, magnitude))
    form = rng.randrange(4)
    if form == 0:
        return str(whole)
    digits = rng.randint(1, 6)
    return "%d.%0*d" % (whole, digits, rng.randrange(10 ** digits))


def unit_word(word, i):
    return word.upper() if i % 29 == 0 else word.lower() if i % 31 == 0 else word


ODD_NUMBERS = ["0", "0.0", "00", ".5", "5.", "1e3", "1E-3", "-1", "+2", "inf", "nan", "abc",
               "0x10", "1,5", "3.5.5", "999999999999999999", "0.000000001", "1e308", "2e-310"]


def calculator_lines():
    lines = []
    for i in range(30000):
        tu, fu = rng.randrange(6), rng.randrange(3)
        t = number_text(rng, 4 if tu < 3 else 2)
        f = number_text(rng, (2, 5, 8)[fu])
        if i % 41 == 0:
            t = rng.choice(ODD_NUMBERS)
        if i % 43 == 0:
            f = rng.choice(ODD_NUMBERS)
        lines.append("%s %s %s %s" % (t, unit_word(TIME_UNITS[tu], i), f,
                                      unit_word(FREQ_UNITS[fu], i)))
    for t in ODD_NUMBERS:
        for f in ODD_NUMBERS:
            lines.append("%s us %s MHz" % (t, f))
    for tu in TIME_UNITS:
        for fu in FREQ_UNITS:
            for t, f in (("1", "4"), ("2.5", "4"), ("3.5", "4"), ("0.1", "4"), ("1", "32.768"),
                         ("999999999999999999", "999999999999999999")):
                lines.append("%s %s %s %s" % (t, tu, f, fu))
    for bad in ("1 sec 4 MHz", "1 us 4 GHz", "1 µs 4 MHz", "1 us 4 mhz", "1 MS 4 KHZ",
                "1 min 4 hz", "1 us4 MHz", "1\tms\t4\tMHz", " 1 ms 4 MHz \r"):
        lines.append(bad)
    return lines


counts_text = [count_line(v, i) for i, v in enumerate(cycle_counts())] + ODD_COUNTS
batch_lines = counts_text + calculator_lines()
batch_input = ("\n".join(batch_lines) + "\n").encode("utf-8")

# ---- loopsmith-cli --batch ----

BATCH_SETUPS = [
    [], ["--wdt"],
    ["--profile", "Default PIC18", "--lf"], ["--wdt", "--profile", "Default PIC18", "--lf"],
    ["--settings", LAB, "--profile", "Banked"], ["--wdt", "--settings", LAB_EN],
    ["--language", "english"], ["--wdt", "--language", "english", "--lf"],
]
for setup in BATCH_SETUPS:
    old_folder, new_folder = folders["clean"]
    a = run(old_folder, setup + ["--batch"], batch_input)
    b = run(new_folder, setup + ["--batch"], batch_input)
    note("batch requests", len(batch_lines))
    section = "batch " + shown(setup)
    if a[0] != b[0] or a[2] != b[2]:
        report(section, ["exit code %d -> %d" % (a[0], b[0]),
                         "stderr %r -> %r" % (a[2][:200], b[2][:200])])
    la, lb = a[1].split(b"\n"), b[1].split(b"\n")
    if len(la) != len(lb):
        report(section, ["%d answer lines -> %d" % (len(la), len(lb))])
    for i, (x, y) in enumerate(zip(la, lb)):
        if x != y:
            request = batch_lines[i] if i < len(batch_lines) else "<none>"
            report(section, ["request %r" % request, "was %r" % x.decode("utf-8", "replace"),
                             "now %r" % y.decode("utf-8", "replace")])

for setup, stdin in ((["--batch"], b""), (["--batch"], b"100"), (["--batch"], b"100\r\n4\r\n"),
                     (["--batch"], b"\n\n\n"), (["--batch", "--lf"], b"1 ms 4 mhz"),
                     (["--batch"], b"7" * 100000 + b"\n5\n"),
                     (["--batch"], b"\xff\xfe1000\n\x00\n12\x0034\n"),
                     (["--batch", "--language", "partial"], b"3\n1 ms 4 MHz\n\n1 us 0 MHz\n"),
                     (["--batch", "--language", "broken"], b"3\n"),
                     (["--batch"], b"3\n0 us 4 MHz\n")):
    compare("batch odd input", setup, stdin)
    compare("batch odd input", setup, stdin, where="extra")

# ---- single runs: code text, --plan, --verify, --lf ----

PROFILES = [
    [], ["--profile", "Default PIC18"], ["--settings", LAB, "--profile", "Banked"],
    ["--settings", LAB, "--profile", "Dollar"], ["--settings", LAB_EN, "--profile", "Лампа"],
    ["--language", "english", "--settings", LAB, "--profile", "AllBanked"],
]
MODES = [[], ["--plan"], ["--verify"], ["--lf"]]
VARIANTS = [[], ["--wdt"]]

single_counts = [0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 255, 256, 257, 769, 770, 771, 772, 775, 776,
                 1000, 1548, 65536, 70000, 197122, 197123, 200000, 10 ** 6, 16777216, 4294967296,
                 10 ** 12, 2 ** 40 + 3, 86400000000, 10 ** 15, 2 ** 53 + 1, 10 ** 18, MAX - 1,
                 MAX, MAX + 1, 2 ** 63 - 1]
single_counts = [str(v) for v in single_counts] + ["$FF", "%1111", "-$A", "-5", "+100", "12abc",
                                                   "abc", " 77", "99999999999999999999"]
single_counts += [str(int(2 ** rng.uniform(2, 63))) for _ in range(32)]
for c in single_counts:
    for profile in PROFILES:
        for mode in MODES:
            for variant in VARIANTS:
                compare("single runs", variant + mode + profile + [c])

CALC_VALUES = [("1", "4"), ("2.5", "32.768"), ("0.1", "1"), ("3.5", "4"), ("", "4"), ("5", ""),
               ("999999999999999999", "999999999999999999"), ("12abc", "4x"), ("0", "20")]
i = 0
for tu in TIME_UNITS:
    for fu in FREQ_UNITS:
        for t, f in CALC_VALUES:
            for variant in VARIANTS:
                for mode in MODES[:3]:
                    profile = PROFILES[i % len(PROFILES)]
                    i += 1
                    compare("single runs", variant + mode + profile +
                            ["--time", t, "--time-unit", unit_word(tu, i), "--freq", f,
                             "--freq-unit", unit_word(fu, i)])
for args in (["--time", "10", "--freq", "4"], ["--time", "10", "--freq", "4", "--time-unit", "ms"],
             ["--time", "10", "--freq", "4", "--freq-unit", "kHz"], ["--freq", "4", "--time", "1"]):
    for variant in VARIANTS:
        compare("single runs", variant + args)
        compare("single runs", variant + ["--lf"] + args)

# ---- options, refusals, --count, files beside the program ----

count_files = []
for n, c in enumerate(["4", "1000", "70000", "86400000000", str(MAX)]):
    for variant in VARIANTS:
        for profile in PROFILES[:5]:
            out = run(folders["clean"][0], variant + profile + [c])[1]
            count_files.append(write("code-%d-%d.asm" % (n, len(count_files)), out))
count_files.append(write("lf.asm", run(folders["clean"][0], ["--lf", "5000"])[1]))
count_files.append(write("bad.asm", b"    movlw .3\r\n    movwf r1\r\n    frobnicate r1\r\n"))
count_files.append(write("half.asm", b"lp  decfsz r1,F\n    goto lp\n    bra\n"))
count_files.append(write("nops.asm", b"    nop\n" * 1000 + b"    clrwdt\n; comment only\n\n"))
count_files.append(write("jump.asm", b"    goto $+2\n    nop\n    nop\n    bra $-1\n"))
count_files.append(write("binary.asm", bytes(range(256)) * 4))
for f in count_files + [EMPTY_FILE, FOLDER, BIG, os.path.join(work, "missing.asm")]:
    compare("options", ["--count", f])

OPTION_CASES = [
    [], ["--help"], ["-h"], ["--help", "1000"], ["1000", "--help"], ["--bogus"], ["-x"], ["--"],
    ["1", "2"], ["--time", "1"], ["--freq", "4"], ["--time-unit", "ms", "100"],
    ["--time", "1", "--freq", "4", "--time-unit", "sec"],
    ["--time", "1", "--freq", "4", "--freq-unit", "GHz"], ["--time", "1", "--freq", "4", "100"],
    ["--time", "1", "--time", "2", "--freq", "4"], ["--profile"], ["--settings"], ["--time"],
    ["--profile", "nope", "100"], ["--profile", "default pic18", "100"],
    ["--profile", "Default PIC18", "--profile", "Default PIC18", "100"],
    ["--settings", os.path.join(work, "missing.ini"), "100"],
    ["--settings", os.path.join(work, "missing.ini"), "--profile", "Banked", "100"],
    ["--settings", BROKEN_INI, "100"], ["--settings", EMPTY_FILE, "100"],
    ["--settings", FOLDER, "100"], ["--settings", LAB, "100"], ["--settings", LAB_EN, "100"],
    ["--settings", LAB_EN, "3"], ["--language", "../x", "100"], ["--language", "klingon", "100"],
    ["--language", "", "100"], ["--language", "a/b", "100"], ["--language", ".", "100"],
    ["--language", "english", "--language", "russian", "100"], ["--language", "russian", "3"],
    ["--verify", "--plan", "100"], ["--verify", "--batch"], ["--batch", "100"],
    ["--batch", "--time", "1", "--freq", "4"], ["--count"], ["--count", LAB, "100"],
    ["--count", LAB, "--count", LAB], ["--wdt", "--wdt", "100"], ["--plan", "--plan", "100"],
    ["--lf", "--plan", "--wdt", "100"], ["--verify", "--wdt", "--lf", "100"],
    ["--verify", "3"], ["-5"], ["-$A"], ["-%1"], ["-"], ["$"], ["%"], ["--WDT", "100"],
]
for args in OPTION_CASES:
    compare("options", args)

for args in ([ "100"], ["3"], ["--wdt", "4"], ["--plan", "100"], ["--profile", "Banked", "100"],
             ["--profile", "Лампа", "--wdt", "1000"], ["--time", "", "--freq", "4"],
             ["--language", "english", "100"], ["--language", "partial", "100"],
             ["--language", "partial", "--wdt", "3"], ["--language", "partial", "--time", "",
                                                      "--freq", "4"],
             ["--language", "broken", "100"], ["--language", "empty", "3"],
             ["--language", "empty", "--time", "5", "--freq", ""], ["--settings", LAB, "100"],
             ["--settings", LAB_EN, "--profile", "Dollar", "100"], ["--help"]):
    compare("options", args, where="extra")

# ---- the window session ----

def session(bin_dir, out):
    os.makedirs(out)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LOOPSMITH_SESSION_OUT=out)
    p = subprocess.run([os.path.join(bin_dir, "qt_tests"), "--gtest_filter=WindowSession*"],
                       env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=600,
                       cwd=work)
    return p.returncode, p.stdout


old_out, new_out = os.path.join(work, "session-old"), os.path.join(work, "session-new")
old_rc, old_log = session(old_bin, old_out)
new_rc, new_log = session(new_bin, new_out)
for rc, log, which in ((old_rc, old_log, "old"), (new_rc, new_log, "new")):
    if rc != 0 or b"[  PASSED  ] 1 test" not in log:
        report("window session", ["the %s qt_tests did not pass its WindowSession test:" % which]
               + log.decode("utf-8", "replace").splitlines()[-15:])
old_files, new_files = sorted(os.listdir(old_out)), sorted(os.listdir(new_out))
if not old_files:
    report("window session", ["the old build wrote no artefacts"])
for name in sorted(set(old_files) | set(new_files)):
    note("window artefacts")
    if name not in new_files or name not in old_files:
        report("window session", ["%s only in the %s session" %
                                  (name, "old" if name in old_files else "new")])
        continue
    with open(os.path.join(old_out, name), "rb") as f:
        a = f.read()
    with open(os.path.join(new_out, name), "rb") as f:
        b = f.read()
    if a != b:
        lines = [name]
        if not name.endswith(".png"):
            n, x, y = first_difference(a, b)
            lines += ["line %d: %r" % (n, x), "now    : %r" % y]
        report("window session", lines)

# ---- summary ----

total = sum(counts.values())
print()
for section, n in counts.items():
    print("%-20s %9d" % (section, n))
print("%-20s %9d   in %.0f s" % ("cases compared", total, time.monotonic() - started))
for section, n in differing.items():
    print("%9d differences in %s" % (n, section))
print("exit codes of the single runs: " +
      ", ".join("%d: %d" % (code, n) for code, n in sorted(exit_codes.items())))
if differences:
    print("%d DIFFERENCES" % differences)
    sys.exit(1)
print("all identical")
PY
