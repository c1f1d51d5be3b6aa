#!/usr/bin/env bash
# The window under a real X server with a window manager, on a screen of
# 1024 x 576 logical pixels at scale 1 and 2: runs the on-screen tests
# (placement kept by the window manager, cards drawn in device pixels, every
# dialog's buttons on the screen) and takes screenshots of the main window,
# Edit Ships and the table window at night.
#
#   bash scripts/window-check.sh [BUILD_DIR] [SHOTS_DIR]
#
# Needs xvfb-run, openbox, xdotool and ImageMagick's import (Debian: xvfb
# openbox xdotool imagemagick). Not part of the default test run, as CI has
# no window manager.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
inside_scale=
if [ "${1:-}" = --inside ]; then
    inside_scale=$2
    shift 2
fi
build=$(cd "${1:-build}" && pwd)
shots=${2:-$build/window-shots}
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)
for tool in xvfb-run openbox xdotool import; do
    command -v "$tool" >/dev/null || { echo "window-check: $tool is missing" >&2; exit 77; }
done

inside() {
    local scale=$1
    openbox >/dev/null 2>&1 &
    local wm=$!
    sleep 1
    export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale BRINNOW_ON_SCREEN=1
    "$build/tests/app_tests" --gtest_filter='OnScreen*'

    # Screenshots on the sample campaign, with settings of their own.
    export XDG_CONFIG_HOME=$(mktemp -d)
    # Nor the recovery copies of another run's unsaved work.
    export XDG_STATE_HOME=$(mktemp -d)
    "$build/app/brinnow" "$here/res/sample/campaign.brn" &
    local app=$!
    local window=
    for _ in $(seq 50); do
        window=$(xdotool search --sync --onlyvisible --name 'campaign.brn' 2>/dev/null | head -1) && break
        sleep 0.2
    done
    sleep 1
    import -window root "$shots/main-x$scale.png"
    xdotool windowactivate --sync "$window" key alt+e key h
    sleep 1.5
    import -window root "$shots/editships-x$scale.png"
    xdotool key Escape
    sleep 0.5
    # The table window at night: dark between and around the cards too.
    xdotool windowactivate --sync "$window" key alt+t key p
    sleep 1.5
    xdotool key Return
    sleep 2
    xdotool key alt+v key n
    sleep 1.5
    import -window root "$shots/table-night-x$scale.png"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    kill "$wm" 2>/dev/null || true
}
if [ -n "$inside_scale" ]; then
    inside "$inside_scale"
    exit 0
fi
# A small screen of 1024 x 576 logical pixels at both scales.
for scale in 1 2; do
    xvfb-run -a -s "-screen 0 $((1024 * scale))x$((576 * scale))x24 -dpi 96" \
        bash "$0" --inside "$scale" "$build" "$shots"
done
echo "window-check: screenshots in $shots"
