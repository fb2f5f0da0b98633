#!/usr/bin/env bash
# Checks what the release divazivir.dll carries besides its code: the version resource that its
# Properties page shows (read back with the cross windres), and no debug sections.
# Usage: check_release_dll.sh DIVAZIVIR.DLL [WINDRES [OBJDUMP]]
# Exits 77 (skipped) when the DLL has not been built.
set -euo pipefail

dll=$1
windres=${2:-i686-w64-mingw32-windres}
objdump=${3:-i686-w64-mingw32-objdump}

[[ -f $dll ]] || { echo "not built: $dll" >&2; exit 77; }
resources=$("$windres" -J coff -O rc -i "$dll")

# The lines of the version resource that must be there, as windres writes them back.
expected=$(cat <<'LIST'
FILEVERSION 1, 3, 5, 0
PRODUCTVERSION 1, 3, 5, 0
VALUE "FileVersion", "1.03e"
VALUE "ProductVersion", "1.03e"
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

((failures == 0)) || exit 1
echo "divazivir.dll: version 1.03e resource, no debug sections, $(stat -c %s "$dll") bytes"
