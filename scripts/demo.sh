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

# The other direction on a fresh copy: the readings database the handheld brought back from this route
# (examples/demo-home/ReadingZAV.pdb, made by scripts/make-demo-readings.sh).
readings="$(mktemp -d "${TMPDIR:-/tmp}/zavdepot-demo-readings-XXXXXX")"
cp -R examples/demo-home/. "$readings/"
zavr() { (cd "$readings" && "$bin" --home "$readings" --yes "$@"); }

echo
echo "== Demo office copied again to $readings"
echo "== zavdepot readings   (ReadingSource ReadingZAV.pdb, map \"Demo Reading\"; orphans with \"Demo Orphan\";"
echo "   meters to read again into ReReadZAV.pdb)"
zavr readings
echo "== upload/readings.txt   (first lines of $(wc -l <"$readings/upload/readings.txt"))"
head -n 5 "$readings/upload/readings.txt"
echo "== upload/orphans.txt"
cat "$readings/upload/orphans.txt"
echo "== zavdepot view ReReadZAV.pdb   (the routes with meters to read again)"
zavr view "$readings/ReReadZAV.pdb" | awk -F'\t' '$1 != ""' | cut -f1-3 | awk '!seen[$0]++'
echo
echo "== zavdepot reread   (ReReadSource rereads/reread-0412.txt, the host's re-read list, map \"Demo Route\")"
zavr reread
echo
echo "== zavdepot route --source routes/mvrs-cycle01.dat --map \"Demo MVRS\"   (an MVRS download, special radio on)"
zav route --source "$home/routes/mvrs-cycle01.dat" --map "Demo MVRS" --destination "$home/RouteZAV-MVRS.pdb"
echo "== zavdepot route --source routes/e5000-route.dat --map \"Demo E5000\"   (an E5000 download)"
zav route --source "$home/routes/e5000-route.dat" --map "Demo E5000" --destination "$home/RouteZAV-E5000.pdb"
echo
echo "== zavdepot report reading ReadingZAV.pdb --pdf \"Reading Report.pdf\"   (the readings as a printed report)"
zavr report reading "$readings/ReadingZAV.pdb" --pdf "$readings/Reading Report.pdf"
echo "   The demo's reading report is $readings/Reading Report.pdf"
