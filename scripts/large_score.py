#!/usr/bin/env python3
"""Writes a large score for the whole-run benchmark: PAGES pages of SYSTEMS systems each, every
system with the document-wide list of STAVES five-line staves 228 ORVU apart, measured in ORVU.
Placement on all pages puts SYSTEMS - 1 dividers on each page.

    large_score.py OUT.json [PAGES [SYSTEMS [STAVES]]]     # defaults 1000 6 40
"""
import json
import sys

out = sys.argv[1]
pages, systems, staves = (int(a) for a in (sys.argv[2:] + ["1000", "6", "40"][len(sys.argv) - 2 :]))
document = {
    "pages": [{"page": p, "firstSystem": (p - 1) * systems + 1} for p in range(1, pages + 1)],
    "systems": [
        {"system": s, "spaceAbove": -264, "spaceBelow": -240, "systemPercent": 100, "systemFlags": 0}
        for s in range(1, pages * systems + 1)
    ],
    "staffLists": [
        {"list": 0, "staves": [{"staff": n, "position": -228 * (n - 1)} for n in range(1, staves + 1)]}
    ],
    "staves": [{"staff": n, "lineMode": 0, "lineCount": 5, "staffFlags": 0} for n in range(1, staves + 1)],
    "documentOptions": {"measurementUnit": 1},
}
with open(out, "w") as file:
    json.dump(document, file)
    file.write("\n")
