#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; then builds the Qt-free modules with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs their tests again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

scripts/build.sh build
(cd build && ctest --output-on-failure --parallel "$(nproc)")

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scripts/build.sh build-asan -DZAVDEPOT_SANITIZE=ON -DZAVDEPOT_GUI=OFF -DZAVDEPOT_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)")

# Every reader of outside input, fuzzed briefly from its seeds (longer runs: scripts/fuzz.sh 300).
scripts/fuzz.sh 5
