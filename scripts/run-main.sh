#!/usr/bin/env bash
# The main job: builds the release and its package, installs the packaged divazivir.dll next to the
# stand-in host orvane.exe, lets it place dividers on the sample score under Wine, and draws the
# picture from that run.
#   dist/divazivir-VERSION-win32.zip  the package (scripts/package.sh)
#   out/host/                        orvane.exe with the divazivir.dll taken from the package
#   out/score-with-dividers.json     the document after the run
#   out/report.json                  what the host saw (dialogs, messages, host calls)
#   out/score-with-dividers.svg/.png every page with its staves and dividers
# The user's choices come from the scripted user; change DIVIDER_STEPS to choose others.
#
#   bash scripts/run-main.sh            # the real DLL under Wine
#   bash scripts/run-main.sh --native   # the quick path: the module linked into orvane-sim
set -euo pipefail
cd "$(dirname "$0")/.."

mode=wine
case ${1:-} in
    "") ;;
    --native) mode=native ;;
    *) echo "usage: bash scripts/run-main.sh [--native]" >&2; exit 2 ;;
esac

bash scripts/setup.sh
# Only this run's files: none left from an earlier run of the other mode.
rm -rf out/host out/registry.json out/report.json out/score-with-dividers.*
mkdir -p out
if [[ $mode == native ]]; then
    cmake --preset native >/dev/null
    cmake --build --preset native -j 2 --target orvane-sim
    host=(./build/native/orvane-sim)
else
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j 2
    package_line=$(bash scripts/package.sh)
    echo "$package_line"
    package=$(sed -n 's/^package: \([^ ]*\) .*/\1/p' <<<"$package_line")
    # Install the plug-in as a user would: the DLL from the package into the host's folder, as
    # the Windows checks install it.
    python3 scripts/windows_checks.py install "$package" build/windows/orvane.exe out/host
    host=(bash scripts/wine-env.sh wine out/host/orvane.exe)
fi

# The default steps are those whose document the Windows checks compare with orvane-sim's.
steps=${DIVIDER_STEPS:-$(python3 scripts/windows_checks.py sample-steps)}
"${host[@]}" examples/orchestral_score.json \
    --registry out/registry.json --out out/score-with-dividers.json --report out/report.json \
    --svg out/score-with-dividers.svg --do "$steps"
rsvg-convert -w 1600 out/score-with-dividers.svg -o out/score-with-dividers.png

python3 - <<'PY'
import json
report = json.load(open("out/report.json"))
for number, invocation in enumerate(report["invocations"], 1):
    print(f"invocation {number}: result {invocation['result']}")
    for message in invocation["messages"]:
        print(f"  message {message['caption']!r}: {message['text']}")
document = json.load(open("out/score-with-dividers.json"))
print(f"{len(document.get('expressionAssignments', []))} dividers in out/score-with-dividers.json")
PY
if [[ $mode == wine ]]; then
    echo "package: $package (the DLL ran from out/host/divazivir.dll under Wine)"
fi
echo "picture: out/score-with-dividers.png"
