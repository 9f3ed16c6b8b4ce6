#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need (only those missing).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libsqlite3-dev libcli11-dev libfmt-dev
    qt6-base-dev libqt6svg6
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    libpalm-perl
    fonts-liberation2 poppler-utils
)
# libpalm-perl: an independent Palm database reader; a test checks that files written here load in it.
# fonts-liberation2: fonts metric-compatible with the reports' "Arial" and "Courier New" (fontconfig
# substitutes them), so report columns measure as designed. poppler-utils: the report tests read the PDFs.

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
