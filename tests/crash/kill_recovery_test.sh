#!/usr/bin/env bash
# The window killed with kill -9 five seconds after an unsaved edit, or sent
# SIGTERM (a logout, a shutdown) at once after it, offers the edit back when
# it starts again, and saving it keeps it. SIGTERM asks nothing: the window
# ends by itself with status 143 and leaves no lock file.
#
# usage: kill_recovery_test.sh BRINNOW BRINNOW_CLI SAMPLE WORKDIR [KILL|TERM]
# Runs itself under xvfb-run; exits 77 (skipped) without xvfb-run or xdotool.
set -u
brinnow=$1 cli=$2 sample=$3 work=$4 signal=${5:-KILL}

if [ "${KILL_RECOVERY_INSIDE:-}" != 1 ]; then
    command -v xvfb-run > /dev/null && command -v xdotool > /dev/null || {
        echo "skipped: xvfb-run and xdotool are needed"
        exit 77
    }
    rm -rf "$work" && mkdir -p "$work/home"
    KILL_RECOVERY_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

export HOME=$work/home XDG_STATE_HOME=$work/home/state XDG_CONFIG_HOME=$work/home/config
export XDG_RUNTIME_DIR=$work/home/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
document=$work/campaign.brn
cp "$sample" "$document"

fail() {
    echo "FAILED: $*"
    [ -n "${window_pid:-}" ] && kill -9 "$window_pid" 2> /dev/null
    exit 1
}

# The id of the first window whose title matches, waiting up to 20 s.
window() {
    local id
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2> /dev/null | head -1)
    [ -n "$id" ] || fail "no window \"$1\""
    xdotool windowfocus --sync "$id" 2> /dev/null
    echo "$id"
}

# How many windows the program shows: a menu's popup counts as one.
shown_windows() {
    xdotool search --onlyvisible --pid "$window_pid" 2> /dev/null | wc -l
}

start() {
    "$brinnow" "$document" > "$work/window.log" 2>&1 &
    window_pid=$!
}

start
main=$(window '^campaign\.brn - Brinnow$')
# Edit > Nations (by its access key), Add, a new nation's name, OK, Close.
shown=$(shown_windows)
xdotool key --window "$main" alt+e
for _ in $(seq 100); do [ "$(shown_windows)" -gt "$shown" ] && break; sleep 0.1; done
xdotool key n  # &Nations
nations=$(window '^Edit Nations$')
xdotool key Tab space
add=$(window '^Add Nation$')
xdotool type --delay 20 'Zanzibar' && xdotool key Return
xdotool windowfocus --sync "$nations" && xdotool key Return
window '^campaign\.brn\* - Brinnow$' > /dev/null

if [ "$signal" = KILL ]; then
    sleep 5
    kill -9 "$window_pid"
    wait "$window_pid" 2> /dev/null
else
    kill -"$signal" "$window_pid"
    for _ in $(seq 100); do kill -0 "$window_pid" 2> /dev/null || break; sleep 0.1; done
    kill -0 "$window_pid" 2> /dev/null && fail "the window did not end on SIG$signal"
    wait "$window_pid"
    status=$?
    [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal ended it with $status"
    [ -e "$work/.campaign.brn.lock" ] && fail "the lock file was left after SIG$signal"
fi
cmp -s "$sample" "$document" || fail "the document changed without a save"

start
offer=$(window '^Recover Unsaved Work$')
xdotool key Return  # Recover, the default
window '^campaign\.brn\* - Brinnow$' > /dev/null
xdotool key ctrl+s
window '^campaign\.brn - Brinnow$' > /dev/null
xdotool key ctrl+q
for _ in $(seq 100); do kill -0 "$window_pid" 2> /dev/null || break; sleep 0.1; done
kill -0 "$window_pid" 2> /dev/null && fail "the window did not close"

"$cli" export-json "$document" "$work/saved.json" || fail "the saved document does not load"
grep -q '"Zanzibar"' "$work/saved.json" || fail "the recovered edit was not saved"
[ -z "$(ls -A "$XDG_STATE_HOME/brinnow/recovery" 2> /dev/null)" ] ||
    fail "a recovery copy was left after the save"
[ -e "$work/.campaign.brn.lock" ] && fail "the lock file was left after a clean exit"
echo "the edit made before SIG$signal came back and was saved"
