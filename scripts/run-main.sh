#!/usr/bin/env bash
# The main job: the plug-in places dividers on the sample score, and a picture shows the result.
#   out/score-with-dividers.json   the document after the run
#   out/report.json                what the host saw (dialogs, messages, host calls)
#   out/score-with-dividers.svg/.png  every page with its staves and dividers
# The user's choices come from the scripted user; change DIVIDER_STEPS to choose others.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target orvane-sim

steps=${DIVIDER_STEPS:-"click 6; pick 103 14; click 105; click 108; pick 120 Never; click 1"}
mkdir -p out
rm -f out/registry.json
./build/native/orvane-sim examples/orchestral_score.json \
    --registry out/registry.json --out out/score-with-dividers.json --report out/report.json \
    --svg out/score-with-dividers.svg --do "$steps"
rsvg-convert -w 1600 out/score-with-dividers.svg -o out/score-with-dividers.png

python3 - <<'PY' 2>/dev/null || true
import json
report = json.load(open("out/report.json"))
for number, invocation in enumerate(report["invocations"], 1):
    print(f"invocation {number}: result {invocation['result']}")
    for message in invocation["messages"]:
        print(f"  message {message['caption']!r}: {message['text']}")
document = json.load(open("out/score-with-dividers.json"))
print(f"{len(document.get('expressionAssignments', []))} dividers in out/score-with-dividers.json")
PY
echo "picture: out/score-with-dividers.png"
