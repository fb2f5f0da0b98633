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

version=$(sed -n 's/^#define DIVAZIVIR_VERSION "\(.*\)"$/\1/p' module/resources/version.h)
[[ -n $version ]] || { echo "package: no DIVAZIVIR_VERSION in module/resources/version.h" >&2; exit 1; }

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
python3 - "$zip" "$symbols_zip" "divazivir-$version/" <<'PY'
import sys, zipfile

# The release date of 1.03e; a zip stores local time without a zone.
fixed_date = (2026, 12, 8, 0, 0, 0)
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
