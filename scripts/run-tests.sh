#!/usr/bin/env bash
# Builds both builds and runs every test: unit tests, scenarios on both hosts, the DLL's tables.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=2
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native --output-on-failure

# Two clean builds of the release in two other folders: the same DLL and zip, byte for byte.
bash scripts/check-reproducible.sh

# The sanitizer build of every native test, and each fuzz target for a fixed time.
bash scripts/run-hardening.sh
