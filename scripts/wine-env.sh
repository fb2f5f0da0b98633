#!/usr/bin/env bash
# Runs a command in the Wine environment of the Windows build: its own prefix under the build tree,
# one Xvfb display and a persistent wineserver, both stopped again when the command ends. Runs that
# share the prefix take turns, since the plug-in's registry key lives in it.
#
#   scripts/wine-env.sh wine build/windows/orvane.exe score.json --report -
#
# WINE_BUILD_DIR (default build/windows) names the build whose prefix is used; WINE_PREFIX_NAME
# (default wineprefix) another prefix in that build, such as the screenshots' own.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(cd "${WINE_BUILD_DIR:-$root/build/windows}" && pwd)

export WINEPREFIX=$build_dir/${WINE_PREFIX_NAME:-wineprefix}
# Wine reads the command line in the locale's character set: UTF-8, as orvane-sim takes it.
export LC_ALL=C.UTF-8
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

exec 9>"$WINEPREFIX.lock"
flock 9

# A kernel booted without 32-bit emulation cannot run Wine's 32-bit programs: the rest of this
# script then runs in a virtual machine that can (scripts/wine-vm.sh), the lock held out here.
if [[ -z ${WINE_ENV_IN_VM:-} ]] && bash "$root/scripts/wine-vm.sh" --needed; then
    export WINE_ENV_IN_VM=1
    exec bash "$root/scripts/wine-vm.sh" bash "$root/scripts/wine-env.sh" "$@"
fi

xvfb_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

# A server left from an earlier run may be bound to a display that is gone.
wineserver -k 2>/dev/null || true

display_file=$(mktemp)
Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [[ -s $display_file ]] && break
    sleep 0.05
done
display=$(tr -d '[:space:]' <"$display_file")
rm -f "$display_file"
[[ -n $display ]] || { echo "wine-env: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$display

# A prefix whose making did not finish (its run was stopped) is made again.
if [[ ! -f $WINEPREFIX/system.reg || -f $WINEPREFIX.making ]]; then
    started=$(date +%s%N)
    touch "$WINEPREFIX.making"
    rm -rf "$WINEPREFIX"
    # A loaded machine that emulates Wine's (scripts/wine-vm.sh) may take longer than wineboot waits
    # for the making, which goes on: then wait for it; the next command tells whether it went well.
    wineboot -i >/dev/null 2>&1 || wineserver -w
    # Without a window manager, a managed window waits two seconds for every unmap that no
    # manager confirms: each message box would take two seconds to close.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    rm "$WINEPREFIX.making"
    elapsed_ms=$((($(date +%s%N) - started) / 1000000))
    echo "wine-env: created $WINEPREFIX in $((elapsed_ms / 1000)).$((elapsed_ms % 1000 / 100)) s" >&2
fi

# The session's background processes (services, the desktop) live as long as the server and keep
# the standard streams they were started with: start them here, on /dev/null, so that no pipe of
# the command stays open after it ends.
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1
if [[ -n ${WINE_ENV_IN_VM:-} ]]; then
    # Wine ends the desktop's process a moment after the last program that uses it, and in the
    # emulated machine it takes seconds to start again: a program that waits on a silent pipe keeps it.
    sleep infinity | wine cmd /c pause >/dev/null 2>&1 &
fi
"$@"
