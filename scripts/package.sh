#!/usr/bin/env bash
# Builds the Debian package (zavdepot_<version>_amd64.deb) in a clean Release build folder and checks
# it: the desktop entry and the AppStream metainfo validate. With --install-check it also installs the
# package with apt-get, checks the installed program (help, manual page, the demo office from the
# documentation examples converts), removes it and checks nothing of it is left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
tools=(dpkg-dev desktop-file-utils appstream man-db)  # shlibdeps, the two validators, man
missing=()
for p in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

dir=build-package
rm -rf "$dir"
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZAVDEPOT_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
(cd "$dir" && cpack -G DEB >/dev/null)
deb="$(ls "$dir"/zavdepot_*_amd64.deb)"
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Depends

desktop-file-validate packaging/zavdepot.desktop
appstreamcli validate --no-net packaging/com.halvary.zavdepot.metainfo.xml

[ "${1:-}" = "--install-check" ] || exit 0

# Installed as a user would, then removed; nothing of it may remain.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$deb" >/dev/null
files="$(dpkg -L zavdepot)"
zavdepot --help >/dev/null
man -P cat zavdepot | grep -q "route and reading conversions" || { echo "man zavdepot: no page" >&2; exit 1; }
[ -x /usr/libexec/zavdepot/zavdepot-desktop ] || { echo "desktop executable not installed" >&2; exit 1; }
desktop-file-validate /usr/share/applications/zavdepot.desktop
appstreamcli validate --no-net /usr/share/metainfo/com.halvary.zavdepot.metainfo.xml
home="$(mktemp -d)"
cp -R /usr/share/doc/zavdepot/examples/demo-home/. "$home/"
chmod -R u+w "$home"
zavdepot --home "$home" --yes route >/dev/null
zavdepot --home "$home" view "$home/RouteZAV.pdb" >"$home/view.txt"
grep -q "^1	0412	80" "$home/view.txt" || { echo "the demo route did not convert" >&2; exit 1; }
# Without a display the desktop says so (it is found in the private folder and starts).
said="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM zavdepot --home "$home" 2>&1 || true)"
grep -q "no display" <<<"$said" || { echo "zavdepot without a command did not reach the desktop: $said" >&2; exit 1; }
rm -rf "$home"

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq zavdepot >/dev/null
left=0
while IFS= read -r f; do
    [ -f "$f" ] && { echo "left behind: $f" >&2; left=1; }
done <<<"$files"
dpkg-query -W -f='${Status}' zavdepot 2>/dev/null | grep -q "install ok installed" && left=1
[ $left -eq 0 ] || exit 1
echo "Package installed, checked and removed cleanly."
