#!/usr/bin/env bash
# Reproducibility: copies the sources into two fresh folders of different names and depths, builds
# the release in each (scripts/package.sh, without the compiler cache) and checks that divazivir.dll
# and the zips (with guide.html in the package) are byte for byte the same in both; then that the
# package unpacks into one folder and that its guide.html shows only pictures it embeds or the zip
# holds, links only to its own headings and reaches nothing on the network.
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
# Each zip on its own (the package, with guide.html, and the symbols zip).
for file in build/windows/divazivir.dll $(cd "${folders[0]}" && ls dist/*.zip); do
    first=$(cd "${folders[0]}" && sha256sum $file)
    second=$(cd "${folders[1]}" && sha256sum $file)
    if [[ $first == "$second" ]]; then
        echo "check-reproducible: same bytes: $first"
    else
        echo "check-reproducible: FAIL: $file differs between the two folders" >&2
        cmp "${folders[0]}/$file" "${folders[1]}/$file" | head -n 5 >&2 || true
        status=1
    fi
done

package=$(ls "${folders[0]}"/dist/divazivir-*-win32.zip)
python3 - "$package" "${folders[0]}/docs/guide.md" <<'PY' || status=1
import re, sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
folder = re.sub(r"-win32\.zip$", "/", sys.argv[1].rsplit("/", 1)[1])
names = archive.namelist()
problems = [f"{name} outside {folder}" for name in names if not name.startswith(folder)]
problems += [f"no {folder}{name}" for name in ("divazivir.dll", "README.txt", "LICENSE")
             if folder + name not in names]
html = archive.read(folder + "guide.html").decode()
pictures = re.findall(r'<img [^>]*src="([^"]*)"', html)
ids = set(re.findall(r' id="([^"]*)"', html))
for reference in re.findall(r'(?:src|href)="([^"]*)"', html):
    if not (reference.startswith("data:image/png;base64,") or folder + reference in names
            or reference.startswith("#") and reference[1:] in ids):
        problems.append(f"guide.html refers to {reference[:60]}: no picture, heading or file")
text = re.sub(r'"data:[^"]*"', '""', html)
problems += [f"guide.html reaches the network: {url[:60]}"
             for url in re.findall(r"(?:https?:)?//[^\s\"'<>)]+", text)]
if len(pictures) != open(sys.argv[2]).read().count("![") or "<table>" not in html:
    problems.append(f"guide.html shows {len(pictures)} pictures, not guide.md's, or no table")
print("\n".join(f"check-reproducible: FAIL: {problem}" for problem in problems) or
      f"check-reproducible: {folder}: {len(names)} files; guide.html: {len(pictures)} pictures")
sys.exit(1 if problems else 0)
PY
exit $status
