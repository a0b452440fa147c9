#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks the layout a desktop installation needs,
# the desktop entry and the AppStream metainfo, and that the launcher seeds a user's working folder.
# Usage: install_layout_test.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
root="$scratch/root/usr"

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in bin/kalven libexec/kalven/kalven share/kalven/kalven1.cfg \
         share/applications/org.kalven.Kalven.desktop \
         share/icons/hicolor/scalable/apps/org.kalven.Kalven.svg \
         share/metainfo/org.kalven.Kalven.metainfo.xml; do
  [ -e "$root/$f" ] || fail "$f is not installed"
done
[ -x "$root/bin/kalven" ] || fail "the launcher is not executable"
if [ -e "$build/kalven-report" ]; then
  [ -x "$root/bin/kalven-report" ] || fail "kalven-report is not installed"
fi
for f in "$(dirname "$0")"/../../share/*.rtf; do
  [ -e "$f" ] || continue
  [ -e "$root/share/kalven/$(basename "$f")" ] || fail "help file $(basename "$f") is not installed"
done

desktop-file-validate "$root/share/applications/org.kalven.Kalven.desktop"
appstreamcli validate --no-net "$root/share/metainfo/org.kalven.Kalven.metainfo.xml" >/dev/null

# The launcher, started with an empty HOME, seeds the working folder and starts the program there.
home="$scratch/home"
mkdir -p "$home"
status=0
HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  timeout 8 "$root/bin/kalven" >"$scratch/out.txt" 2>&1 || status=$?
work="$home/.local/share/kalven"
[ -f "$work/kalven1.cfg" ] || fail "the launcher did not seed kalven1.cfg"
cmp -s "$work/kalven1.cfg" "$root/share/kalven/kalven1.cfg" || fail "the seeded kalven1.cfg differs"
# 124: still running when the time was up, that is the window opened and waited for its user.
[ "$status" -eq 124 ] || { cat "$scratch/out.txt" >&2; fail "the program ended with status $status"; }

# A configuration the user changed survives the next start.
printf 'mine\r\n' > "$work/kalven1.cfg"
HOME="$home" XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  timeout 3 "$root/bin/kalven" >/dev/null 2>&1 || true
[ "$(head -c 4 "$work/kalven1.cfg")" = "mine" ] || fail "the launcher overwrote the user's configuration"
echo "install layout: ok"
