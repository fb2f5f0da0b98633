#!/usr/bin/env bash
# Reproducibility: copies the sources into two fresh folders of different names and depths, builds
# the release in each (scripts/package.sh, without the compiler cache) and checks that divazivir.dll
# and the zip are byte for byte the same in both.
#
#   bash scripts/check-reproducible.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folders=("$work/a" "$work/second/build-folder-b")

copy_sources() {
    if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
        # Tracked and new files as they stand in the working tree; nothing that is ignored.
        (cd "$root" && git ls-files -z --cached --others --exclude-standard |
            while IFS= read -r -d '' file; do if [[ -f $file ]]; then printf '%s\0' "$file"; fi; done |
            tar -c --null -T - -f -)
    else
        tar -C "$root" -c --exclude=./build --exclude=./dist --exclude=./out -f - .
    fi
}

for folder in "${folders[@]}"; do
    mkdir -p "$folder"
    copy_sources | tar -x -C "$folder"
    echo "check-reproducible: building in $folder" >&2
    (cd "$folder" && env -u CMAKE_CXX_COMPILER_LAUNCHER bash scripts/package.sh >/dev/null) ||
        { echo "check-reproducible: the build in $folder failed" >&2; exit 1; }
done

status=0
for file in build/windows/divazivir.dll dist/*.zip; do
    first=$(cd "${folders[0]}" && sha256sum $file)
    second=$(cd "${folders[1]}" && sha256sum $file)
    if [[ $first == "$second" ]]; then
        echo "check-reproducible: same bytes: $first"
    else
        echo "check-reproducible: FAIL: $file differs between the two folders" >&2
        cmp "${folders[0]}/${first#* }" "${folders[1]}/${second#* }" | head -n 5 >&2 || true
        status=1
    fi
done
exit $status
