#!/usr/bin/env bash
# Writes the demo office's readings database (examples/demo-home/ReadingZAV.pdb: the demo route as a
# handheld brings it back, read by the rule in tests/support/simulated_readings.h) and the golden
# upload, orphan and re-read files of tests/fixtures/demo again, from the code that the demo test
# checks them with. Run it after an intended change of the route, the maps or the rule.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
ZAV_REGENERATE_DEMO=1 build/tests/exchange_tests --gtest_filter='DemoReadingsTest.*'
git status --short examples/demo-home tests/fixtures/demo
