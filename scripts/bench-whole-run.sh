#!/usr/bin/env bash
# Whole-run figures for the README's benchmarks: a 1,000-page score of 6 systems of 40 staves a page
# (scripts/large_score.py), run by orvane-sim (the native build) and by the real DLL in orvane.exe
# under Wine (the Windows build). "open and save" is a run that answers the warning and cancels the
# settings dialog, so the host reads the document and writes it back; "whole run" places the 5,000
# dividers on all pages. Placement is the difference. Each figure is the best of three runs.
#
#   bash scripts/bench-whole-run.sh [ORVANE_SIM...]   # after both builds
#
# Further orvane-sim builds given as arguments (an unoptimised one, say) are measured as well.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [[ ${1:-} != --in-wine-env ]]; then
    sims=("$root/build/native/orvane-sim")
    for sim in "$@"; do sims+=("$(cd "$(dirname "$sim")" && pwd)/$(basename "$sim")"); done
    exec bash "$root/scripts/wine-env.sh" bash "$0" --in-wine-env "${sims[@]}"
fi
shift
sims=("$@")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/scripts/large_score.py" "$work/score.json"
cp "$root/build/windows/orvane.exe" "$root/build/windows/divazivir.dll" "$work/"

# best HOST... STEPS: the shortest of three wall-clock times of one run, in seconds.
best() {
    local steps=${*: -1} host=("${@:1:$#-1}") best_ns= started elapsed
    for _ in 1 2 3; do
        rm -f "$work/registry.json"
        started=$(date +%s%N)
        (cd "$work" && "${host[@]}" score.json --registry registry.json --out out.json \
            --do "$steps" >/dev/null)
        elapsed=$(($(date +%s%N) - started))
        if [[ -z $best_ns ]] || ((elapsed < best_ns)); then best_ns=$elapsed; fi
    done
    python3 -c "print(f'{$best_ns / 1e9:.2f}')"
}

cancel="click 6; click 2"
place="click 6; click 108; click 1"
printf '| host | open and save | whole run | placement | dividers |\n|---|---|---|---|---|\n'
runs=0
for name in "${sims[@]}" orvane.exe; do
    if [[ $name == orvane.exe ]]; then host=(wine ./orvane.exe); else host=("$name"); fi
    open_save=$(best "${host[@]}" "$cancel")
    whole=$(best "${host[@]}" "$place")
    dividers=$(python3 -c "import json; print(len(json.load(open('$work/out.json'))['expressionAssignments']))")
    placement=$(python3 -c "print(f'{$whole - $open_save:.2f}')")
    printf '| %s | %s s | %s s | %s s | %s |\n' "${name#"$root"/}" "$open_save" "$whole" "$placement" "$dividers"
    mv "$work/out.json" "$work/placed-$((runs++)).json"
done
# What a Wine process costs before the host reads anything: a run on a score of one empty page.
echo '{"pages": [{"page": 1, "firstSystem": -1}]}' >"$work/score.json"
echo "Starting orvane.exe under Wine on an empty score: $(best wine ./orvane.exe "$cancel") s"
for ((run = 1; run < runs; run++)); do
    cmp -s "$work/placed-0.json" "$work/placed-$run.json" ||
        { echo "bench-whole-run: the hosts wrote different documents" >&2; exit 1; }
done
echo "Every host wrote the same document."
