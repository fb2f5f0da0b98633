#!/usr/bin/env bash
# Renders the module's two dialogs, from the real divazivir.dll run by orvane.exe under Wine and
# Xvfb, into docs/: the final-layout warning (docs/warning-dialog.png) and the settings dialog as it
# opens on the sample score (docs/settings-dialog.png), each with its caption.
#
#   scripts/screenshots.sh        # after cmake --build --preset windows
#
# The shots are taken in a prefix of their own in which Wine draws the window frames itself (there
# is no window manager); orvane.exe holds each dialog open while ORVANE_DIALOG_HOLD_FILE exists.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${WINE_BUILD_DIR:-$root/build/windows}" && pwd)
[[ -f $build_dir/orvane.exe && -f $build_dir/divazivir.dll ]] ||
    { echo "screenshots: no Windows build in $build_dir (cmake --build --preset windows)" >&2; exit 1; }
if ! command -v import >/dev/null; then
    echo "screenshots: installing imagemagick for its import" >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q imagemagick >/dev/null
fi

if [[ ${1:-} != --in-wine-env ]]; then
    WINE_BUILD_DIR=$build_dir WINE_PREFIX_NAME=screenshot-prefix \
        exec bash "$root/scripts/wine-env.sh" bash "$0" --in-wine-env
fi

# The dialogs in the order they open, and their files.
dialogs=(20129 20128)
declare -A shot_file=([20129]=warning-dialog.png [20128]=settings-dialog.png)
timeout_s=60

wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
# The caption's close box and the arrows are glyphs of the Marlett font, which Debian's Wine keeps
# in its data folder without making it known to a prefix: put it among the prefix's fonts.
for marlett in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    if [[ -f $marlett ]]; then
        cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
        break
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$root/examples/orchestral_score.json" "$work/document.json"
hold=$work/hold.txt

# Answer the warning with "&Yes", then cancel the settings dialog; no registry key: the defaults.
(cd "$work" && ORVANE_DIALOG_HOLD_FILE=hold.txt wine "$build_dir/orvane.exe" document.json \
    --registry registry.json --do "click 6; key esc" >/dev/null 2>"$work/stderr.txt") &
host_pid=$!

mkdir -p "$root/docs"
for id in "${dialogs[@]}"; do
    for ((waited = 0; waited < timeout_s * 20; waited++)); do
        [[ -s $hold ]] && break
        sleep 0.05
    done
    [[ -s $hold ]] || { echo "screenshots: dialog $id did not open" >&2; cat "$work/stderr.txt" >&2; exit 1; }
    read -r shown x y width height <"$hold"
    [[ $shown == "$id" ]] || { echo "screenshots: dialog $shown opened, expected $id" >&2; exit 1; }
    # Let the dialog finish painting before the screen is read.
    sleep 0.5
    import -display "$DISPLAY" -window root -crop "${width}x${height}+${x}+${y}" +repage \
        "$root/docs/${shot_file[$id]}"
    echo "screenshots: docs/${shot_file[$id]} (${width}x${height})"
    rm -f "$hold"
done
wait "$host_pid"
