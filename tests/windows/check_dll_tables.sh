#!/usr/bin/env bash
# Checks the export and import tables of divazivir.dll: the host finds the six entry points by
# their plain names and ordinals, and the module needs nothing but the host and four system DLLs.
# When orvane.exe lies next to it, checks that the host exports every service by its plain name
# and imports the common controls that the settings dialog needs.
# Usage: check_dll_tables.sh DIVAZIVIR.DLL HOST_SERVICES.DEF [OBJDUMP]
# Exits 77 (skipped) when the DLL has not been built.
set -euo pipefail

dll=$1
services_def=$2
objdump=${3:-i686-w64-mingw32-objdump}

[[ -f $dll ]] || { echo "not built: $dll" >&2; exit 77; }
dump=$("$objdump" -p "$dll")

# Exports as "ORDINAL NAME", the ordinal being the name's index plus the ordinal base.
actual_exports=$(awk '
    /^Ordinal Base/ { base = $3 }
    /^\[Ordinal\/Name Pointer\] Table/ { inTable = 1; next }
    inTable && /^[[:space:]]*$/ { inTable = 0 }
    inTable { gsub(/[][]/, " "); print $1 + base, $2 }' <<<"$dump" | sort -n)
expected_exports=$(cat <<'LIST'
1 OrvaneExtensionVersion
2 OrvaneExtensionInit
3 OrvaneExtensionEnumerate
4 OrvaneExtensionInvoke
5 OrvaneExtensionTerminate
6 OrvaneExtensionGetMenuStatus
LIST
)
address_count=$(awk '/^Export Address Table -- Ordinal Base/ { inTable = 1; next }
    inTable && /^[[:space:]]*$/ { inTable = 0 }
    inTable { n++ } END { print n + 0 }' <<<"$dump")

# Imports as "DLL NAME" per imported function.
imports=$(awk '
    /DLL Name:/ { dll = $3; next }
    dll != "" && /^[[:space:]]*$/ { dll = "" }
    dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print dll, $3 }' <<<"$dump")
imported_dlls=$(grep -o 'DLL Name: .*' <<<"$dump" | cut -d' ' -f3 | sort -u)
allowed_dlls=$(printf '%s\n' ADVAPI32.dll KERNEL32.dll USER32.dll msvcrt.dll orvane.exe | sort)
host_services=$(sed -n 's/^[[:space:]]*\(OX_[A-Za-z]*\).*/\1/p' "$services_def" | sort)

failures=0
fail() {
    echo "FAIL: $1" >&2
    failures=$((failures + 1))
}

if [[ $actual_exports != "$expected_exports" ]]; then
    fail "exports differ"
    diff <(echo "$expected_exports") <(echo "$actual_exports") >&2 || true
fi
[[ $address_count == 6 ]] || fail "the export address table has $address_count entries, not 6"
if grep -q '@' <<<"$actual_exports"; then fail "an export name carries a @N decoration"; fi

unexpected_dlls=$(comm -13 <(echo "$allowed_dlls") <(echo "$imported_dlls"))
[[ -z $unexpected_dlls ]] || fail "imports from unexpected DLLs: $(echo $unexpected_dlls)"

host_imports=$(awk '$1 == "orvane.exe" { print $2 }' <<<"$imports" | sort)
[[ -n $host_imports ]] || fail "nothing is imported from orvane.exe"
unknown_services=$(comm -13 <(echo "$host_services") <(echo "$host_imports"))
[[ -z $unknown_services ]] || fail "imports from orvane.exe that are no host service: $(echo $unknown_services)"

host_exe=$(dirname "$dll")/orvane.exe
if [[ -f $host_exe ]]; then
    host_dump=$("$objdump" -p "$host_exe")
    host_exports=$(awk '
        /^\[Ordinal\/Name Pointer\] Table/ { inTable = 1; next }
        inTable && /^[[:space:]]*$/ { inTable = 0 }
        inTable { gsub(/[][]/, " "); print $2 }' <<<"$host_dump" | sort)
    missing_services=$(comm -23 <(echo "$host_services") <(echo "$host_exports"))
    [[ -z $missing_services ]] || fail "orvane.exe does not export: $(echo $missing_services)"
    if grep -qE '^[[:space:]]+DLL$' <<<"$host_dump"; then fail "orvane.exe is marked as a DLL"; fi
    # The host, not the module, registers the up-down class before a dialog opens.
    host_comctl=$(awk '
        /DLL Name:/ { dll = toupper($3); next }
        dll == "COMCTL32.DLL" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print $3 }' <<<"$host_dump")
    grep -qx InitCommonControlsEx <<<"$host_comctl" ||
        fail "orvane.exe does not import InitCommonControlsEx from comctl32"
fi

if ((failures > 0)); then
    exit 1
fi
echo "divazivir.dll: 6 exports by name with ordinals 1-6; imports from $(echo $imported_dlls)"
