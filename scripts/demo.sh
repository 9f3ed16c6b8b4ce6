#!/usr/bin/env bash
# Installs what is missing, builds, and runs zavdepot on a fresh copy of the bundled demo office
# (examples/demo-home), so it can be run again and again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
bin="$PWD/build/src/zavdepot"
home="$(mktemp -d "${TMPDIR:-/tmp}/zavdepot-demo-XXXXXX")"
cp -R examples/demo-home/. "$home/"
zav() { (cd "$home" && "$bin" --home "$home" --yes "$@"); }

echo "== Demo office copied to $home"
echo "== zavdepot settings"
zav settings

echo
echo "== zavdepot route   (RouteSource $home/routes/route-0412.txt, map \"Demo Route\")"
zav route
echo "== zavdepot view RouteZAV.pdb   (first lines: the routes, then each route's meters)"
listing="$(zav view "$home/RouteZAV.pdb")"
cut -c1-160 <<<"$listing" | sed -n 1,8p
echo "   ... $(wc -l <<<"$listing") lines in all (zavdepot --home $home view $home/RouteZAV.pdb)"

echo
echo "== zavdepot route --source routes/mvrs-cycle01.dat --map \"Demo MVRS\"   (an MVRS download, special radio on)"
zav route --source "$home/routes/mvrs-cycle01.dat" --map "Demo MVRS" --destination "$home/RouteZAV-MVRS.pdb"
echo "== zavdepot route --source routes/e5000-route.dat --map \"Demo E5000\"   (an E5000 download)"
zav route --source "$home/routes/e5000-route.dat" --map "Demo E5000" --destination "$home/RouteZAV-E5000.pdb"
