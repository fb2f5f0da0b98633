#!/usr/bin/env bash
# The release: builds divazivir.dll (the windows preset) and packs it with README.txt and LICENSE,
# both with Windows line endings, and guide.html, the user guide docs/guide.md as one page with its
# pictures, into the folder divazivir-VERSION/ of dist/divazivir-VERSION-win32.zip; and the same
# build with its symbols and debug information (build/windows/symbols/divazivir.dll), for reading
# the addresses of a crash report, into dist/divazivir-VERSION-win32-symbols.zip. The zips' entries
# carry a fixed date and fixed attributes, so the same sources give the same zips, byte for byte.
#
#   bash scripts/package.sh        # prints the zips' paths and the DLL's size
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/release-version.sh
# The zips' entries carry the release's date, from its entry in the changelog.
release_date=$(sed -n "s/^## $version (\([0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}\))\$/\1/p" CHANGELOG.md)
[[ -n $release_date ]] || { echo "package: CHANGELOG.md has no entry '## $version (YYYY-MM-DD)'" >&2; exit 1; }
# The documents name this release and no other, so that a new version cannot leave one behind.
for document in README.md docs/guide.md docs/release/README.txt; do
    others=$(grep -oE '\b[0-9]+\.[0-9]{2}[a-z]\b|\b[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+\b' "$document" |
        grep -vxF -e "$version" -e "$file_version" | sort -u | tr '\n' ' ' || true)
    [[ -z $others ]] || { echo "package: $document names ${others}instead of $version ($file_version)" >&2; exit 1; }
done

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j 2 --target divazivir >/dev/null

# guide.html: pandoc renders docs/guide.md, so the Markdown stays the guide's one source. Pandoc
# rather than cmark-gfm: it reads the guide in the dialect it is written in (gfm), names headings
# the way the guide's own #links expect, and embeds each picture as a data: URI itself
# (--self-contained), so the page opens offline from the unpacked folder and no script of ours
# rewrites HTML. The template holds the style and nothing from the network; the filter turns links
# to source files the package lacks into plain text and each picture into a captioned figure. The
# output names no date and no path.
(cd docs && pandoc guide.md --from gfm --to html5 --standalone --self-contained --fail-if-warnings \
    --template release/guide-template.html --lua-filter release/guide-filter.lua \
    --output ../build/windows/guide.html)

mkdir -p dist
zip=dist/divazivir-$version-win32.zip
symbols_zip=dist/divazivir-$version-win32-symbols.zip
python3 - "$zip" "$symbols_zip" "divazivir-$version/" "$release_date" <<'PY'
import sys, zipfile

# The release date; a zip stores local time without a zone.
fixed_date = tuple(int(part) for part in sys.argv[4].split("-")) + (0, 0, 0)
folder = sys.argv[3]  # the main zip unpacks into one folder
packages = {
    sys.argv[1]: [
        (folder + "divazivir.dll", "build/windows/divazivir.dll", False),
        (folder + "README.txt", "docs/release/README.txt", True),
        (folder + "LICENSE", "LICENSE", True),
        (folder + "guide.html", "build/windows/guide.html", False),
    ],
    sys.argv[2]: [("divazivir.dll", "build/windows/symbols/divazivir.dll", False)],
}
for path, entries in packages.items():
    with zipfile.ZipFile(path + ".tmp", "w") as archive:
        for name, source, text in entries:
            data = open(source, "rb").read()
            if text:
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            entry = zipfile.ZipInfo(name, fixed_date)
            entry.create_system = 0  # MS-DOS: no Unix owner or mode bits
            entry.external_attr = 0x20  # the archive attribute, as Windows sets it
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)
PY
mv "$zip.tmp" "$zip"
mv "$symbols_zip.tmp" "$symbols_zip"
echo "package: $zip ($(stat -c %s "$zip") bytes); divazivir.dll $(stat -c %s build/windows/divazivir.dll) bytes; symbols: $symbols_zip"
