#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, and runs every test headless.
# A plain Release build of the installed programs sits beside it: the Debian package is made from it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/check_format.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVEN_SANITIZE=ON >/dev/null
cmake --build build/test
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVEN_TESTS=OFF >/dev/null
cmake --build build/release --target kalven kalven-report kalven-docs
export QT_QPA_PLATFORM=offscreen
cd build/test && ctest --output-on-failure -j"$(nproc)"
