#!/usr/bin/env bash
# Installs what is missing, builds, and runs zavdepot on a fresh copy of the bundled demo office
# (examples/demo-home), so it can be run again and again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
home="$(mktemp -d "${TMPDIR:-/tmp}/zavdepot-demo-XXXXXX")"
cp -R examples/demo-home/. "$home/"
zav() { build/src/zavdepot --home "$home" --yes "$@"; }

echo "== Demo office copied to $home"
echo "== zavdepot settings"
zav settings
