#!/usr/bin/env bash
# Speed of the seven 30,000-meter conversions (40 routes, indexes on) against the I/O floor.
#
# Builds Release into build-speed/ (or $SPEED_BUILD), writes the inputs into $SPEED_WORK (default
# /tmp/zavdepot-speed): flat fixed and delimited route files, an MVRS and an E5000 download, and the
# readings databases a unit brings back from the flat, MVRS and E5000 route databases. Each conversion
# runs once on a fixed clock and its output must match scripts/speed/expected.sha256 (--record writes
# that file from the build at hand). Then each conversion (`zavdepot ... route|readings`, a whole
# process) and its floor (scripts/speed/floor.c: reads the same source to its end and writes as many
# bytes as the conversion's result through a 64 KiB buffer) run side by side, $SPEED_ROUNDS rounds
# (default 7); the best time of each gives the ratio. Also prints each conversion's peak memory and the
# start time of `zavdepot --help`.
#
# Usage: scripts/speed.sh [--record] [--no-build]
# Exit status: 0 all ratios within $SPEED_LIMIT (default 10), 1 an output differs or a step failed,
# 3 a ratio above the limit.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
build="${SPEED_BUILD:-$repo/build-speed}"
work="${SPEED_WORK:-/tmp/zavdepot-speed}"
rounds="${SPEED_ROUNDS:-7}"
limit="${SPEED_LIMIT:-10}"
record=0
rebuild=1
for arg in "$@"; do
    case "$arg" in
        --record) record=1 ;;
        --no-build) rebuild=0 ;;
        *) echo "usage: scripts/speed.sh [--record] [--no-build]" >&2; exit 2 ;;
    esac
done

if [[ $rebuild == 1 ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF ${SPEED_CMAKE_ARGS:-} >/dev/null
    cmake --build "$build" --parallel "$(nproc)" --target zavdepot speed_readings
fi
zavdepot="$build/src/zavdepot"

rm -rf "$work"
mkdir -p "$work/home" "$work/out"
home="$work/home"
out="$work/out"
cc -O2 -o "$work/floor" scripts/speed/floor.c
cc -O2 -shared -fPIC -o "$work/fixed_time.so" scripts/speed/fixed_time.c
python3 scripts/speed/make-inputs.py "$home"

# name | command | map | source | result
conversions=(
    "flat fixed|route|Speed Fixed|route.txt|fixed.pdb"
    "flat delimited|route|Speed Delimited|route.csv|delimited.pdb"
    "MVRS route|route|Speed MVRS|mvrs.dat|mvrs.pdb"
    "E5000 route|route|Speed E5000|e5000.dat|e5000.pdb"
    "flat upload|readings|Speed Flat|readings-flat.pdb|upload.txt"
    "MVRS upload|readings|Speed MVRS|readings-mvrs.pdb|mvrs-upload.dat"
    "E5000 upload|readings|Speed E5000|readings-e5000.pdb|e5000-upload.dat"
)

# Runs one conversion: convert NAME COMMAND MAP SOURCE RESULT [wrapper...]. A route source is the saved
# setting (a path from the home folder), so the route database's header names it the same wherever the
# work folder is.
convert() {
    local command="$2" map="$3" source="$4" result="$5"
    shift 5
    local from=(--source "$home/$source")
    [[ $command == route ]] && from=()
    "$@" "$zavdepot" --home "$home" --yes "$command" "${from[@]}" --map "$map" \
        --destination "$out/$result" >"$out/$result.log" 2>/dev/null
}
# Saves the route source setting a route conversion reads: prepare COMMAND SOURCE
prepare() {
    [[ $1 == route ]] || return 0
    "$zavdepot" --home "$home" settings set RouteSource "$2" >/dev/null
}

# Outputs on a fixed clock; the readings databases come from the route databases.
for entry in "${conversions[@]}"; do
    IFS='|' read -r name command map source result <<<"$entry"
    if [[ $command == readings ]]; then
        case "$source" in
            readings-flat.pdb) route=fixed.pdb ;;
            readings-mvrs.pdb) route=mvrs.pdb ;;
            *) route=e5000.pdb ;;
        esac
        "$build/bench/speed_readings" "$out/$route" "$home/$source"
    fi
    prepare "$command" "$source"
    if ! convert "$name" "$command" "$map" "$source" "$result" env TZ=UTC LD_PRELOAD="$work/fixed_time.so"; then
        echo "speed: the $name conversion failed (log: $out/$result.log)" >&2
        exit 1
    fi
done
(cd "$out" && sha256sum fixed.pdb delimited.pdb mvrs.pdb e5000.pdb upload.txt mvrs-upload.dat \
    e5000-upload.dat) >"$work/outputs.sha256"
if [[ $record == 1 ]]; then
    cp "$work/outputs.sha256" scripts/speed/expected.sha256
    echo "Recorded the outputs' checksums in scripts/speed/expected.sha256"
elif ! diff -u scripts/speed/expected.sha256 "$work/outputs.sha256"; then
    echo "speed: outputs differ from scripts/speed/expected.sha256" >&2
    exit 1
else
    echo "Outputs unchanged (scripts/speed/expected.sha256)"
fi

# Wall-clock microseconds of one run of a command (output discarded).
us() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    echo "$((10#${end/./} - 10#${start/./}))"
}
msText() { awk -v u="$1" 'BEGIN { printf "%.1f", u / 1000 }'; }

echo "Load: $(uptime | sed 's/.*load average/load average/') on $(nproc) cores; best of $rounds rounds"
printf '%-16s %10s %10s %7s %10s\n' conversion "ms" "floor ms" ratio "peak KB"
over=0
help_best=
for ((r = 0; r < rounds; ++r)); do
    t=$(us "$zavdepot" --help)
    [[ -z $help_best || $t -lt $help_best ]] && help_best=$t
done
for entry in "${conversions[@]}"; do
    IFS='|' read -r name command map source result <<<"$entry"
    bytes=$(stat -c %s "$out/$result")
    prepare "$command" "$source"
    best= floor_best=
    for ((r = 0; r < rounds; ++r)); do
        t=$(us convert "$name" "$command" "$map" "$source" "$result")
        f=$(us "$work/floor" "$home/$source" "$out/floor.bin" "$bytes")
        [[ -z $best || $t -lt $best ]] && best=$t
        [[ -z $floor_best || $f -lt $floor_best ]] && floor_best=$f
    done
    convert "$name" "$command" "$map" "$source" "$result" /usr/bin/time -f '%M' -o "$work/peak" || true
    peak=$(tail -1 "$work/peak")
    ((floor_best > 0)) || floor_best=1
    ratio=$(awk -v a="$best" -v b="$floor_best" 'BEGIN { printf "%.1f", a / b }')
    awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r > l) }' && over=1
    printf '%-16s %10s %10s %7s %10s\n' "$name" "$(msText "$best")" "$(msText "$floor_best")" "$ratio" "$peak"
done
echo "zavdepot --help: $(msText "$help_best") ms"
if [[ $over == 1 ]]; then
    echo "speed: a ratio is above $limit" >&2
    exit 3
fi
