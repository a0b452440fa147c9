#!/usr/bin/env bash
# Builds the Debian package from the Release tree and holds it to lintian's errors and warnings;
# checks the dependencies the program needs at run time and that the manual page of kalven-report
# names every option the program itself lists.
# Usage: debian_package_test.sh SOURCE_DIR RELEASE_DIR
# The package is made from a plain Release build: the test build's binaries need the sanitizer
# runtimes. A missing Release tree is configured and built here (that takes minutes).
set -euo pipefail
src=$1
release=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ ! -f "$release/CMakeCache.txt" ]; then
  echo "no Release tree in $release: configuring and building it"
  cmake -S "$src" -B "$release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVEN_TESTS=OFF >/dev/null
fi
grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$release/CMakeCache.txt" ||
  fail "$release is not a Release build"
! grep -q '^KALVEN_SANITIZE:BOOL=ON$' "$release/CMakeCache.txt" ||
  fail "$release is built with the sanitizers"
# A no-op when scripts/test.sh has just built them; never a stale program in the package.
cmake --build "$release" --target kalven kalven-report kalven-docs >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The folders in the package take their modes from the umask, as they do under dpkg-buildpackage.
(umask 022 && cd "$release" && cpack -G DEB -B "$scratch" >/dev/null 2>&1) || fail "cpack failed"
deb=$(ls "$scratch"/kalven_*.deb)

# Info tags are shown, only errors and warnings fail.
status=0
lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.txt" 2>&1 || status=$?
grep -v 'running with root privileges' "$scratch/lintian.txt" || true
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings"

depends=$(dpkg-deb -f "$deb" Depends)
for p in fonts-dejavu-core qt6-qpa-plugins libqt6widgets6 libqt6svg6; do
  [[ ", $depends," == *", $p"[\ ,]* ]] || fail "the package does not depend on $p: $depends"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
grep -E 'man1/.|doc/kalven/.' <<<"$contents"
for f in man/man1/kalven.1.gz man/man1/kalven-report.1.gz doc/kalven/copyright doc/kalven/changelog.gz; do
  grep -qx "./usr/share/$f" <<<"$contents" || fail "$f is not in the package"
done

# Every option the usage text lists is described under OPTIONS in the manual page.
page=$(zcat "$release/packaging/kalven-report.1.gz" | sed -n "/^\.SH OPTIONS/,/^\.SH [^O]/p")
for option in $("$release/kalven-report" --help 2>/dev/null | grep -oE '^ +--[a-z]+' | tr -d ' '); do
  grep -qE "^\.B[IR]?( |.* )${option//-/\\\\-}( |\$)" <<<"$page" || fail "kalven-report.1 does not describe $option"
done
echo "debian package: ok ($(stat -c %s "$deb") bytes)"
