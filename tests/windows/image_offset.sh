# Sourced by the Windows checks. image_offset DLL SYMBOL prints where SYMBOL of an unstripped
# 32-bit Windows DLL lies as an offset from the image base, the way a crash report and a loaded
# module count it; without the symbol or the image base it says so and fails.
image_offset() {
    local tools=i686-w64-mingw32- address base
    address=$("${tools}nm" "$1" | awk -v symbol="$2" '$3 == symbol { print $1 }')
    base=$("${tools}objdump" -p "$1" | awk '$1 == "ImageBase" { print $2 }')
    [[ -n $address && -n $base ]] || { echo "FAIL: no $2 or image base in $1" >&2; return 1; }
    printf '0x%x\n' $((16#$address - 16#$base))
}
