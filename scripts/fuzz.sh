#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs one of them, by hand:
#   bash scripts/fuzz.sh config_file 600     # target name without _fuzz, seconds
# New inputs go to build/fuzz/corpus-<name>; a crash file lands in fuzz/crashes/<name>/,
# where the normal test build replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?target, e.g. config_file}
seconds=${2:-60}
bash scripts/setup.sh --fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALVEN_FUZZ=ON -DKALVEN_TESTS=OFF >/dev/null
cmake --build build/fuzz --target "${name}_fuzz"
corpus_name=${name}
work="build/fuzz/corpus-$corpus_name"
crashes="fuzz/crashes/$corpus_name"
mkdir -p "$work" "$crashes"
dict=()
[ -f "fuzz/dict/$corpus_name.dict" ] && dict=(-dict="fuzz/dict/$corpus_name.dict")
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
exec "build/fuzz/fuzz/${name}_fuzz" "$work" "fuzz/corpus/$corpus_name" "${dict[@]}" \
  -max_total_time="$seconds" -artifact_prefix="$crashes/" -print_final_stats=1
