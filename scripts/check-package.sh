#!/usr/bin/env bash
# Builds the Debian package (the installed layout), lists it, runs lintian on it, and runs the
# programs from the unpacked package as an unprivileged user with a fresh XDG_CONFIG_HOME:
# the settings appear there, the user's language file wins, the program folder stays as it was.
#   scripts/check-package.sh [BUILD_DIR]      (default: build-deb)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$root/build-deb}")
fail() { echo "package check: $*" >&2; exit 1; }

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
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
dpkg-deb -x "$deb" "$work/root"
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
config="$work/config"
mkdir -p "$config/loopsmith/Language"
printf '\xEF\xBB\xBF[Message]\nDelay=Users own\n' >"$config/loopsmith/Language/russian.lng"
chown -R 65534:65534 "$config" 2>/dev/null || true
before=$(ls -la "$work/root/usr/bin")
run() { env -i HOME="$work/nohome" XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=offscreen \
            "${as_user[@]}" "$@"; }

echo "== the unpacked programs, as an unprivileged user"
run "$work/root/usr/bin/loopsmith-cli" --help | tail -n 1
text=$(run "$work/root/usr/bin/loopsmith-cli" 1000)
grep -q '^; Users own 1 000' <<<"$text" || fail "the user's language file did not win: $text"
run timeout 4 "$work/root/usr/bin/loopsmith" || [ $? -eq 124 ] || fail "the window did not start"
# A first start makes an empty settings file, to be filled at close.
[ -f "$config/loopsmith/Loopsmith.ini" ] || fail "no settings file in $config/loopsmith"
[ ! -s "$config/loopsmith/Loopsmith.ini" ] || fail "the first start wrote more than an empty file"
[ "$(stat -c %u "$config/loopsmith/Loopsmith.ini")" = "$(stat -c %u "$config")" ] ||
    fail "the settings file does not belong to the user"
[ "$before" = "$(ls -la "$work/root/usr/bin")" ] || fail "the program folder was written"
# A configuration folder that cannot be made: defaults, and nothing written anywhere.
env -i HOME=/nonexistent XDG_CONFIG_HOME=/proc/loopsmith "${as_user[@]}" \
    "$work/root/usr/bin/loopsmith-cli" 1000 >/dev/null || fail "loopsmith-cli failed without a config folder"
echo "Package: 1 passed, 0 failed"
