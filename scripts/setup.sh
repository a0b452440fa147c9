#!/usr/bin/env bash
# Installs from Debian's packages whatever this machine lacks to build and test KALVEN.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  locales poppler-utils
  desktop-file-utils appstream dpkg-dev lintian
  libdxflib-dev
  # The committed .clang-format is checked on every test run.
  clang-format
  xvfb xdotool x11-apps x11-utils xclip openbox
  # Both families, so no installed face can hide a font fault.
  fonts-dejavu-core fonts-dejavu-extra fonts-noto-core fonts-noto-mono
  # A real print server with a PDF queue for the printing tests.
  cups cups-client cups-bsd printer-driver-cups-pdf
)

# The fuzz targets need clang and its fuzzer runtime; they are installed only when asked for.
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A comma-decimal locale and two with non-Latin digits, so the tests can prove that no number
# format or reading follows the user's locale.
for name in de_DE ar_EG fa_IR; do
  if ! locale -a 2>/dev/null | grep -qi "^$name\.utf-\?8$"; then
    echo "setup: generating the $name.UTF-8 locale"
    as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
  fi
done
