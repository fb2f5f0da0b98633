#!/usr/bin/env bash
# Names the function and source line of divazivir.dll at an offset from a crash report, with the
# calls inlined there, innermost first: each "inlined into" line is the function that the line above
# was inlined into, at the line of that call. It needs the DLL with its debug information: the
# symbols zip of the release (scripts/package.sh) or the divazivir.dll unpacked from it; the
# stripped release DLL names no lines. Bad input gives one line on standard error and exit status 2.
#
#   bash scripts/crash-line.sh dist/divazivir-VERSION-win32-symbols.zip divazivir.dll+0x2e44
#   bash scripts/crash-line.sh build/windows/symbols/divazivir.dll 0x2e44
set -euo pipefail

tools=i686-w64-mingw32-
usage="usage: crash-line.sh SYMBOLS-ZIP-OR-DLL OFFSET (such as divazivir.dll+0x2e44)"
fail() {
    echo "crash-line: $1" >&2
    exit 2
}

case $# in
    0) fail "missing SYMBOLS and OFFSET; $usage" ;;
    1) fail "missing OFFSET; $usage" ;;
    2) ;;
    *) fail "too many arguments: ${*:3}; $usage" ;;
esac
symbols=$1
offset=$2
command -v "${tools}addr2line" >/dev/null ||
    fail "no ${tools}addr2line: install binutils-mingw-w64-i686"

# Windows' error reports write the offset with or without 0x, debuggers after the module's name.
number=$offset
if [[ $offset == *+* ]]; then
    module=${offset%%+*}
    number=${offset#*+}
    [[ ${module,,} == divazivir.dll || ${module,,} == divazivir ]] ||
        fail "the offset $offset is in $module, not in divazivir.dll"
fi
[[ $number =~ ^(0[xX])?[0-9a-fA-F]{1,15}$ ]] || fail "not a hexadecimal offset: $offset"
number=$((16#${number#0[xX]}))

[[ -f $symbols ]] || fail "no such file: $symbols"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dll=$symbols
what=$symbols
if [[ $(head -c 2 -- "$symbols" | tr -d '\0') == PK ]]; then
    status=0
    python3 - "$symbols" "$work" <<'PY' || status=$?
import sys, zipfile

try:
    with zipfile.ZipFile(sys.argv[1]) as archive:
        if "divazivir.dll" not in archive.namelist():
            sys.exit(3)
        archive.extract("divazivir.dll", sys.argv[2])
except zipfile.BadZipFile:
    sys.exit(4)
PY
    case $status in
        0) ;;
        3) fail "$symbols holds no divazivir.dll at its root, as the symbols zip does" ;;
        *) fail "$symbols is not a readable zip" ;;
    esac
    dll=$work/divazivir.dll
    what="divazivir.dll in $symbols"
fi

headers=$("${tools}objdump" -p "$dll" 2>/dev/null) || headers=""
if ! grep -q 'file format pei-i386$' <<<"$headers" || ! grep -qx $'\tDLL' <<<"$headers"; then
    [[ $dll == "$symbols" ]] && fail "$symbols is neither a zip nor a 32-bit Windows DLL"
    fail "$what is not a 32-bit Windows DLL"
fi
sections=$("${tools}objdump" -h "$dll")
grep -qE '^ +[0-9]+ \.debug_info ' <<<"$sections" ||
    fail "$what has no debug information (the stripped release?): give the symbols zip instead"

base=$((16#$(awk '$1 == "ImageBase" { print $2 }' <<<"$headers")))
address=$((base + number))
# The sections that hold code, and where they lie relative to the image base.
inside=false
extents=()
while read -r name size vma; do
    start=$((16#$vma - base))
    end=$((start + 16#$size))
    ((number >= start && number < end)) && inside=true
    extents+=("$(printf '%s 0x%x-0x%x' "$name" "$start" "$end")")
done < <(awk '/^ +[0-9]+ / { name = $2; size = $3; vma = $4; next }
    /CODE/ { print name, size, vma }' <<<"$sections")
$inside ||
    fail "the offset $offset is outside divazivir.dll's code ($(IFS=,; echo "${extents[*]}"))"

# addr2line names each frame as the debug information does: mangled where the function has a
# linkage name, without the extra underscore that the symbol table adds (so c++filt -n), and bare
# where it has none (a function of an unnamed namespace, inlined: its file and line place it).
# Code without debug information (the runtime's) gets the nearest symbol and no line.
nearest_symbol() {
    local at kind symbol best=0 name=""
    while read -r at kind symbol; do
        [[ $kind == [tT] && $symbol != .* ]] || continue
        at=$((16#$at))
        ((at <= address && at > best)) && { best=$at; name=${symbol#_}; }
    done < <("${tools}nm" "$dll")
    ((best > 0)) && printf '%s+0x%x\n' "$name" $((address - best))
}
frame=0
while IFS= read -r name && IFS= read -r place; do
    if [[ $name == "??" ]]; then
        name=$(nearest_symbol) || name="??"
    fi
    name=${name%@[0-9]*} # the stdcall suffix
    [[ $name == _Z* ]] && name=$("${tools}c++filt" -n "${name%%+*}")${name#"${name%%+*}"}
    # addr2line puts the compile folder (build, as mapped) before file names that are already
    # relative to the mapped folders.
    if [[ $place == \?\?* || $place == *:\? || $place == *:0 ]]; then
        place="(no source line)"
    else
        place="at ${place#build/}"
    fi
    ((frame++ == 0)) || name="  inlined into $name"
    echo "$name $place"
done < <("${tools}addr2line" -f -i -e "$dll" "$(printf '0x%x' "$address")")
