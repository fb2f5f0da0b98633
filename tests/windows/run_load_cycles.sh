#!/usr/bin/env bash
# Runs the load/unload cycles under Wine on the release DLL, telling the program where the DLL keeps
# its stack guard: the guard's offset in the image, read from the unstripped build, whose addresses
# are the release's.
# Usage: run_load_cycles.sh LOAD-CYCLES-ORVANE.EXE DIVAZIVIR.DLL SYMBOLS-DIVAZIVIR.DLL WINE-ENV.SH
# Exits 77 (skipped) when the Windows build is missing.
set -euo pipefail

exe=$1
dll=$2
symbols=$3
wine_env=$4

for file in "$exe" "$dll" "$symbols"; do
    [[ -f $file ]] || { echo "not built: $file" >&2; exit 77; }
done
source "$(dirname "$0")/image_offset.sh"
guard=$(image_offset "$symbols" ___stack_chk_guard)
exec bash "$wine_env" timeout -k 5 1400 wine "$exe" "$dll" "$guard"
