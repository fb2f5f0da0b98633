#!/usr/bin/env bash
# Checks what the release divazivir.dll carries besides its code: the version resource that its
# Properties page shows (read back with the cross windres), no debug sections, the hardening marks
# that audit tools look for, and, in the unstripped copy beside it (symbols/divazivir.dll), the
# module's own stack guard in the functions that take buffers.
# Usage: check_release_dll.sh DIVAZIVIR.DLL [WINDRES [OBJDUMP]]
# Exits 77 (skipped) when the DLL has not been built.
set -euo pipefail

dll=$1
windres=${2:-i686-w64-mingw32-windres}
objdump=${3:-i686-w64-mingw32-objdump}

[[ -f $dll ]] || { echo "not built: $dll" >&2; exit 77; }
resources=$("$windres" -J coff -O rc -i "$dll")

# The lines of the version resource that must be there, as windres writes them back.
source "$(dirname "$0")/../../scripts/release-version.sh"
numbers=${file_version//./, }
expected=$(cat <<LIST
FILEVERSION $numbers
PRODUCTVERSION $numbers
VALUE "FileVersion", "$version"
VALUE "ProductVersion", "$version"
VALUE "ProductName", "Velunor Divider"
VALUE "OriginalFilename", "divazivir.dll"
VALUE "LegalCopyright", "Copyright (c) the divazivir authors. MIT licence."
VALUE "FileDescription", "Orvane plug-in: dividers between staff systems"
LIST
)

failures=0
while IFS= read -r line; do
    grep -qxF "$line" <<<"$(sed 's/^[[:space:]]*//' <<<"$resources")" ||
        { echo "FAIL: the version resource lacks: $line" >&2; failures=$((failures + 1)); }
done <<<"$expected"

debug_sections=$("$objdump" -h "$dll" | awk '$2 ~ /^\.debug/ { print $2 }')
[[ -z $debug_sections ]] || { echo "FAIL: debug sections: $(echo $debug_sections)" >&2; failures=$((failures + 1)); }

fail() {
    echo "FAIL: $1" >&2
    failures=$((failures + 1))
}

# DllCharacteristics: no SEH handler, relocatable, data not executable; the GUI subsystem.
headers=$("$objdump" -p "$dll")
for mark in NO_SEH DYNAMIC_BASE NX_COMPAT; do
    grep -qxE "[[:space:]]+$mark" <<<"$headers" || fail "DllCharacteristics lack $mark"
done
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "the subsystem is not Windows GUI"
# A section that holds code and is not read-only is writable and executable at once.
writable_code=$("$objdump" -h "$dll" | awk '/^ +[0-9]+ / { name = $2; next }
    /CODE/ && !/READONLY/ { print name }')
[[ -z $writable_code ]] || fail "writable and executable sections: $(echo $writable_code)"
# Imports it must not have: the cryptographic provider (the guard is seeded without it), and any
# way to reach another module, which the compiler's crtbegin.o would use at load to find another
# component's MinGW runtime and register the module's unwind tables with it.
for import in 'Crypt[A-Za-z0-9]*' 'LoadLibrary[A-Za-z]*' GetProcAddress FreeLibrary \
    'GetModuleHandle[A-Za-z]*'; do
    found=$(grep -oE "^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+$import$" <<<"$headers" |
        awk '{ print $3 }' || true)
    [[ -z $found ]] || fail "imports $(echo $found)"
done
if grep -qai 'libgcc_s' "$dll"; then fail "names libgcc_s"; fi

symbols=$(dirname "$dll")/symbols/divazivir.dll
protected=""
if [[ -f $symbols ]]; then
    nm=${objdump%objdump}nm
    grep -qE ' [DdBb] ___stack_chk_guard$' <<<"$("$nm" "$symbols")" ||
        fail "the module defines no stack guard"
    protected=$("$objdump" -d "$symbols" | awk '/^[0-9a-f]+ <.*>:$/ { fn = $2 }
        /call.*<___stack_chk_fail>/ { print fn }' | sort -u)
    for function in removeDividers settingsDialogProc createDividerExpression; do
        grep -q "$function" <<<"$protected" || fail "$function has no stack guard"
    done
else
    fail "no unstripped copy: $symbols"
fi

((failures == 0)) || exit 1
echo "divazivir.dll: version $version resource, no debug sections, NO_SEH DYNAMIC_BASE NX_COMPAT, GUI," \
    "no way to another module," \
    "$(wc -l <<<"$protected") functions with a stack guard, $(stat -c %s "$dll") bytes"
