#!/usr/bin/env bash
# Sets up, builds and starts KALVEN in its working folder share/, where kalven1.cfg and the help files live.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target kalven
cd share && exec ../build/release/kalven "$@"
