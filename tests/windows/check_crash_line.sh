#!/usr/bin/env bash
# Checks scripts/crash-line.sh on the unstripped divazivir.dll: an offset a few bytes into
# removeDividers, from a symbols zip made as scripts/package.sh makes it and from the bare DLL,
# names the function with its parameters and its source line; what it cannot read gives exit
# status 2 and one line on standard error naming the bad value.
# Usage: check_crash_line.sh SYMBOLS-DIVAZIVIR.DLL CRASH-LINE.SH
# Exits 77 (skipped) when the DLL has not been built.
set -euo pipefail

dll=$1
script=$2
tools=i686-w64-mingw32-

[[ -f $dll ]] || { echo "not built: $dll" >&2; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$dll" "$work" <<'PY'
import sys, zipfile

with zipfile.ZipFile(sys.argv[2] + "/symbols.zip", "w") as archive:
    archive.write(sys.argv[1], "divazivir.dll")
with zipfile.ZipFile(sys.argv[2] + "/other.zip", "w") as archive:
    archive.writestr("README.txt", "no DLL here")
PY
"${tools}strip" -o "$work/stripped.dll" "$dll"

source "$(dirname "$0")/image_offset.sh"
function=$(image_offset "$dll" __Z14removeDividerssss)
offset=$(printf '0x%x' $((function + 6)))
found="removeDividers(short, short, short) at divazivir/module/dividers/removal.cpp:"

failures=0
# case | symbols | offset | exit status | what standard output, or the one error line, contains
while IFS='|' read -r case symbols value status expected; do
    actual=0
    bash "$script" "$symbols" "$value" >"$work/out" 2>"$work/err" || actual=$?
    [[ $status == 0 ]] && text=$work/out || text=$work/err
    if [[ $actual != "$status" ]] || ! grep -qF -- "$expected" "$text" ||
        { [[ $status != 0 ]] && [[ -s $work/out || $(wc -l <"$work/err") != 1 ]]; }; then
        echo "FAIL: $case: exit $actual, expected $status with \"$expected\";" \
            "output: $(cat "$work/out" "$work/err")" >&2
        failures=$((failures + 1))
    fi
done <<CASES
symbols zip|$work/symbols.zip|divazivir.dll+$offset|0|$found
bare DLL, plain offset|$dll|$offset|0|$found
outside the code|$work/symbols.zip|0x7fffffff|2|0x7fffffff
zip without the DLL|$work/other.zip|$offset|2|$work/other.zip
not a DLL|$script|$offset|2|$script
stripped DLL|$work/stripped.dll|$offset|2|$work/stripped.dll
not a number|$work/symbols.zip|divazivir.dll+xyz|2|divazivir.dll+xyz
not a number either|$dll|12g|2|12g
CASES

((failures == 0)) || exit 1
echo "crash-line.sh: divazivir.dll+$offset is in removeDividers; 6 bad inputs refused"
