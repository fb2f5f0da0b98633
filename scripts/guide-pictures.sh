#!/usr/bin/env bash
# Redraws every picture of docs/guide.md and README.md from the real divazivir.dll: orvane.exe runs
# it under Wine on the small score docs/guide/two-pages.json, once for each choice a picture shows,
# and writes its page picture (--svg); scripts/guide_panels.py crops the pages to their systems and
# sets the runs side by side; rsvg-convert makes the PNG in docs/guide/. The two dialogs come from
# scripts/screenshots.sh, which this script runs first, and the sample score with its dividers
# (docs/sample-score.png) is the main job's picture (scripts/run-main.sh), run last.
#
#   bash scripts/guide-pictures.sh     # after cmake --build --preset windows
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${WINE_BUILD_DIR:-$root/build/windows}" && pwd)
[[ -f $build_dir/orvane.exe && -f $build_dir/divazivir.dll ]] ||
    { echo "guide-pictures: no Windows build in $build_dir (cmake --build --preset windows)" >&2; exit 1; }
if [[ ${1:-} != --in-wine-env ]]; then
    started=$root/build/guide-pictures.started
    mkdir -p "$root/build"
    touch "$started"
    WINE_BUILD_DIR=$build_dir bash "$root/scripts/screenshots.sh"
    WINE_BUILD_DIR=$build_dir bash "$root/scripts/wine-env.sh" bash "$0" --in-wine-env
    bash "$root/scripts/run-main.sh" >/dev/null
    cp "$root/out/score-with-dividers.png" "$root/docs/sample-score.png"
    echo "guide-pictures: docs/sample-score.png"
    # Every picture the guide and the README show must have been drawn just now.
    status=0
    for image in $( (grep -o '](\(guide/\)\?[a-z-]*\.png)' "$root/docs/guide.md" | tr -d '()]'
        grep -o '](docs/[a-z-]*\.png)' "$root/README.md" | tr -d '()]' | sed 's|^docs/||')); do
        if [[ ! $root/docs/$image -nt $started ]]; then
            echo "guide-pictures: the documents show docs/$image, which this script did not draw" >&2
            status=1
        fi
    done
    rm -f "$started"
    exit $status
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/docs/guide/two-pages.json" "$work/score.json"
pictures=$root/docs/guide

# The dialog's choices as the scripted user makes them (control ids: README.md). Every run answers
# the warning with Yes (6), starts from no stored settings and ends with OK (1).
auto_off="click 118; type 117 0" # untick Auto-adjust V and set V to 0

# run NAME STEPS: one run of the real DLL, its page picture in $work/NAME.svg.
run() {
    rm -f "$work/registry.json"
    (cd "$work" && wine "$build_dir/orvane.exe" score.json --registry registry.json \
        --svg "$1.svg" --report "$1.json" --do "click 6; $2; click 1" >/dev/null)
    python3 - "$work/$1.json" <<'PY'
import json, sys
invocation = json.load(open(sys.argv[1]))["invocations"][0]
if invocation["result"] != 1 or invocation["messages"]:
    sys.exit(f"guide-pictures: {sys.argv[1]}: the run did not place quietly: {invocation}")
PY
}

# picture NAME PANEL...: docs/guide/NAME.png from the panels (guide_panels.py).
picture() {
    local name=$1
    shift
    python3 "$root/scripts/guide_panels.py" "$work/$name-picture.svg" "$@"
    rsvg-convert "$work/$name-picture.svg" -o "$pictures/$name.png"
    echo "guide-pictures: docs/guide/$name.png"
}

run staff-lines "pick 103 14; click 105; $auto_off"
run boundaries "pick 103 14; click 106; $auto_off"
picture vertical-modes \
    "$work/staff-lines.svg:1:left:last/first staff lines" \
    "$work/boundaries.svg:1:left:staff systems boundaries"

run auto-14 "pick 103 14"
run auto-48 "pick 103 48"
picture auto-adjust-v \
    "$work/staff-lines.svg:1:left:Auto-adjust V off, V 0" \
    "$work/auto-14.svg:1:left:on, 14 points: V 72" \
    "$work/auto-48.svg:1:left:on, 48 points: V 249"

run h-600 "pick 103 14; $auto_off; type 115 600"
run v-minus-100 "pick 103 14; $auto_off; type 117 -100"
picture adjustments \
    "$work/staff-lines.svg:1:left:H 0, V 0" \
    "$work/h-600.svg:1:left:H 600" \
    "$work/v-minus-100.svg:1:left:V -100"

run odd-pages "pick 103 14; $auto_off; type 115 300; pick 120 On Odd Pages"
picture right-margin-origin "$work/odd-pages.svg:1+2:full:On Odd Pages, H 300: page 1, page 2"

run size-8 "pick 103 8; $auto_off"
run size-48 "pick 103 48; $auto_off"
picture font-sizes \
    "$work/size-8.svg:1:left:8 points" \
    "$work/staff-lines.svg:1:left:14 points" \
    "$work/size-48.svg:1:left:48 points"
