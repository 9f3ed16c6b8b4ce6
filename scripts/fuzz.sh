#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for $1 seconds (default 10)
# from its seed corpus (fuzz/corpus/<name>/). Crashes are left in build-fuzz/ as crash-* files.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DZAVDEPOT_FUZZ=ON -DZAVDEPOT_GUI=OFF -DBUILD_TESTING=OFF \
    -DZAVDEPOT_BENCH=OFF
shopt -s nullglob
for target in build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name="$(basename "$target")"
    name="${name#fuzz_}"
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds=()
    [ -d "fuzz/corpus/$name" ] && seeds=("fuzz/corpus/$name")
    echo "== fuzz_$name for ${seconds}s"
    (cd build-fuzz && "../$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=0 "../$corpus" "${seeds[@]/#/../}" 2>&1 | tail -n 2)
done
