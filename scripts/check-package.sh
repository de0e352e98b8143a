#!/usr/bin/env bash
# Builds the Debian package (the installed layout), lists it, runs lintian on it, and uses it as
# a user would. As root (as CI runs) it installs the package with apt-get, runs the installed
# programs as an unprivileged user with a fresh XDG_CONFIG_HOME, then purges the package;
# otherwise it runs the programs of the unpacked package. It checks that the shipped languages
# are found, that the window lists both, that the user's own language file wins, that nothing
# is written beside the programs, and that a purge leaves no file of the package.
#   scripts/check-package.sh [BUILD_DIR]      (default: build-deb)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$root/build-deb}")
fail() { echo "package check: $*" >&2; exit 1; }
passed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }

"$root/scripts/build.sh" "$dir" --target loopsmith --target loopsmith-cli \
    --target language_files --target package_changelog \
    -DLOOPSMITH_INSTALLED_LAYOUT=ON -DLOOPSMITH_TESTS=OFF -DLOOPSMITH_BENCH=OFF
rm -f "$dir"/loopsmith_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/loopsmith_*.deb)
echo "== $(basename "$deb")"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

echo "== lintian"
lint=$(lintian --allow-root "$deb" 2>&1 || true)
echo "${lint:-no tags}"
if grep -q '^E:' <<<"$lint"; then fail "lintian reports errors"; fi

work=$(mktemp -d)
xvfb=""
installed=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    [ -n "$installed" ] && apt-get purge -y -qq loopsmith >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    echo "== apt-get install ./$(basename "$deb")"
    export DEBIAN_FRONTEND=noninteractive
    apt-get -o DPkg::Lock::Timeout=900 install -y -qq "$deb" >/dev/null
    installed=yes
    prefix=/usr
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    echo "== not root: the unpacked package"
    dpkg-deb -x "$deb" "$work/root"
    prefix="$work/root/usr"
fi
shipped="$prefix/share/loopsmith/Language"
snapshot() { find "$prefix/bin" "$prefix/share/loopsmith" -newer "$stamp" 2>/dev/null | grep -i loopsmith || true; }
stamp="$work/stamp"
touch "$stamp"
sleep 1

config="$work/config"
mkdir -p "$config"
chown -R 65534:65534 "$config" 2>/dev/null || true
run() { env -i HOME="$work/nohome" XDG_CONFIG_HOME="$config" "${as_user[@]}" "$@"; }

echo "== the programs, as an unprivileged user"
run "$prefix/bin/loopsmith-cli" --help | tail -n 1
text=$(run "$prefix/bin/loopsmith-cli" --language english 1000)
grep -q '^; Delay 1 000 machine cycles' <<<"$text" || fail "the shipped english.lng was not found: $text"
ok "--language english finds $shipped/english.lng"

# The window under a real X display: a first start lists the languages, a close stores the
# chosen one's position; with no choice stored it is Russian, which stands second after
# English only when both shipped files are listed.
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
run env DISPLAY="$display" "$prefix/bin/loopsmith" &
window=$!
DISPLAY="$display" "$root/scripts/close-window.py" "Loopsmith - 1.7" 30 ||
    { kill "$window"; fail "the window did not open"; }
wait "$window" || fail "the window did not close cleanly"
ini="$config/loopsmith/Loopsmith.ini"
[ -f "$ini" ] || fail "no settings file in $config/loopsmith"
[ "$(stat -c %u "$ini")" = "$(stat -c %u "$config")" ] || fail "the settings file does not belong to the user"
grep -q '^Language=1' <(tr -d '\r ' <"$ini") || fail "the window did not list both languages: $(cat "$ini")"
ok "the window's language combo lists english and russian (Language=1 stored at close)"

mkdir -p "$config/loopsmith/Language"
printf '\xEF\xBB\xBF[Message]\nDelay=Users own\n' >"$config/loopsmith/Language/russian.lng"
chown -R 65534:65534 "$config" 2>/dev/null || true
text=$(run "$prefix/bin/loopsmith-cli" 1000)
grep -q '^; Users own 1 000' <<<"$text" || fail "the user's language file did not win: $text"
ok "the user's own russian.lng wins over the shipped one"

# A configuration folder that cannot be made: defaults, and nothing written anywhere.
env -i HOME=/nonexistent XDG_CONFIG_HOME=/proc/loopsmith "${as_user[@]}" \
    "$prefix/bin/loopsmith-cli" 1000 >/dev/null || fail "loopsmith-cli failed without a config folder"
written=$(snapshot)
[ -z "$written" ] || fail "written beside the programs: $written"
ok "nothing written under $prefix"

if [ -n "$installed" ]; then
    files=$(dpkg -L loopsmith | while read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done)
    apt-get purge -y -qq loopsmith >/dev/null
    installed=""
    left=$(for f in $files /usr/share/loopsmith; do if [ -e "$f" ]; then echo "$f"; fi; done)
    [ -z "$left" ] || fail "left after the purge: $left"
    if dpkg-query -W loopsmith >/dev/null 2>&1; then fail "still known to dpkg after the purge"; fi
    ok "purged: none of its $(wc -w <<<"$files") files left"
fi
echo "Package: $passed passed, 0 failed"
