#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as a user's
# machine would take it: lintian, the menu entry, file type and AppStream
# metadata it ships; then, as root, installs it with apt, runs the installed
# tools, starts the window from its menu entry and from a double-clicked
# campaign under a virtual display, reads the manual page, and removes the
# package again, checking that none of its files is left.
#
#   bash scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
id=org.brinnow.Brinnow
type=application/x-brinnow-campaign

say() { echo "package: $*"; }
fail() {
    echo "package: FAILED: $*" >&2
    exit 1
}
expect_equal() { [ "$1" = "$2" ] || fail "$3: \"$1\", expected \"$2\""; }
# Whether a command's whole output contains a text. Not "| grep -q": grep
# leaves at the first match, the command then dies writing the rest into the
# closed pipe, and pipefail takes that for a failure.
output_has() {
    local text=$1 output
    shift
    output=$("$@" 2>&1) || true
    [[ $output == *"$text"* ]]
}

# Waits for a window whose title matches, and prints its id.
window_named() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 && return 0
        sleep 0.2
    done
    fail "no window \"$1\" appeared"
}

# Under a virtual display: the window from its menu entry and from a
# double-clicked campaign, its icon, its manual, its sample, and a damaged file.
window_checks() {
    local out=$1 campaign entry
    campaign="$out/Dogger Fleet.brn"
    entry=/usr/share/applications/$id.desktop
    # Settings of their own, away from the user's.
    export XDG_CONFIG_HOME=$out/config XDG_DATA_HOME=$out/data XDG_CACHE_HOME=$out/cache \
        XDG_STATE_HOME=$out/state
    unset QT_QPA_PLATFORM

    gio launch "$entry" >/dev/null 2>&1
    local started
    started=$(window_named '^Untitled - Brinnow$')
    # The icon may follow the window's first appearance by a moment, longer
    # on a first start or a busy machine: wait as long as for the window.
    for _ in $(seq 100); do
        output_has 'Icon (' xprop -id "$started" _NET_WM_ICON && break
        sleep 0.2
    done
    output_has 'Icon (' xprop -id "$started" _NET_WM_ICON || fail "the window has no icon"
    xdotool windowfocus --sync "$started" key F1
    window_named '^Brinnow Help$' >/dev/null
    xdotool windowfocus --sync "$started" key alt+h key s
    window_named '^campaign.brn - Brinnow$' >/dev/null
    say "window started from its menu entry, with its icon, manual and sample"

    # xdg-open waits for the program it starts, as a file manager does not.
    xdg-open "$campaign" >/dev/null 2>&1 &
    window_named '^Dogger Fleet.brn - Brinnow$' >/dev/null
    say "a double-clicked campaign opens in the window"

    head -c 100 /usr/share/brinnow/sample/campaign.brn >"$out/damaged.brn"
    xdg-open "$out/damaged.brn" >/dev/null 2>&1 &
    local message pid
    message=$(window_named '^Vexmoor Playing Aid$')
    pid=$(xdotool getwindowpid "$message")
    xdotool windowfocus --sync "$message" key Return
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    ! kill -0 "$pid" 2>/dev/null || fail "the program went on after a damaged file's message"
    say "a damaged campaign gets its message"

    # Closed as a user closes them (Ctrl+Q), so each releases the lock it
    # keeps beside its campaign; a window that does not go is killed.
    for window in $(xdotool search --name ' - Brinnow$'); do
        pid=$(xdotool getwindowpid "$window")
        xdotool windowfocus --sync "$window" key ctrl+q 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.2
        done
        kill "$pid" 2>/dev/null || true
    done
}

if [ "${1:-}" = --window-checks ]; then
    window_checks "$2"
    exit 0
fi

build=$(cd "${1:-build}" && pwd)
out=$build/package-check
rm -rf "$out" && mkdir -p "$out"

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || {
    cat "$out/cpack.log"
    fail "cpack could not build the package"
}
deb=$(ls "$out"/brinnow_*.deb)
version=$(dpkg-deb -f "$deb" Version)
say "built $(basename "$deb")"

# Errors and warnings fail; the warnings that stay are overridden in the
# package, each with its reason beside it (packaging/lintian-overrides).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || fail "lintian"
say "lintian: no error or warning"

root=$out/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$out/appstream.log" ||
    { cat "$out/appstream.log"; fail "appstreamcli validate"; }
mime=$out/mime
mkdir -p "$mime/packages"
cp "$root/usr/share/mime/packages/brinnow.xml" "$mime/packages/"
XDG_DATA_DIRS=$out update-mime-database "$mime" 2>"$out/mime.log"
[ ! -s "$out/mime.log" ] || { cat "$out/mime.log"; fail "update-mime-database warns"; }
grep -qx "50:$type:\*.brn" "$mime/globs2" || fail "the file type does not name *.brn"
# The icons that the menu entry and the file type name, drawn and in every size.
icons=("apps/$(sed -n 's/^Icon=//p' "$root/usr/share/applications/$id.desktop")"
    "mimetypes/$(grep -o '<icon name="[^"]*"' "$root/usr/share/mime/packages/brinnow.xml" |
        cut -d'"' -f2)")
for icon in "${icons[@]}"; do
    for size in scalable 16 22 24 32 48 64 128 256; do
        if [ $size = scalable ]; then
            file=$root/usr/share/icons/hicolor/scalable/$icon.svg
        else
            file=$root/usr/share/icons/hicolor/${size}x$size/$icon.png
        fi
        [ -f "$file" ] || fail "no icon ${file#"$root"}"
    done
done
# One version everywhere: the package, its changelog, the newest AppStream release.
expect_equal "$(zcat "$root/usr/share/doc/brinnow/changelog.gz" |
    dpkg-parsechangelog -l - -S Version)" "$version" "the changelog's version"
expect_equal "$(grep -om1 'release version="[^"]*"' "$root/usr/share/metainfo/$id.metainfo.xml")" \
    "release version=\"$version\"" "the newest AppStream release"
say "desktop entry, file type, AppStream metadata, icons and versions are valid"

if [ "$(id -u)" -ne 0 ]; then
    say "installing it skipped: apt install needs root"
    exit 0
fi
if dpkg-query -W -f='${Status}' brinnow 2>/dev/null | grep -q "ok installed"; then
    say "installing it skipped: brinnow is already installed on this machine and is left alone"
    exit 0
fi
trap 'apt-get purge -y -qq brinnow >/dev/null 2>&1 || true' EXIT
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "$deb" >"$out/install.log" 2>&1 ||
    { cat "$out/install.log"; fail "apt install"; }
files=$(dpkg -L brinnow)

expect_equal "$(command -v brinnow-cli)" /usr/bin/brinnow-cli "brinnow-cli"
expect_equal "$(brinnow-cli --version)" "brinnow-cli $version" "brinnow-cli --version"
expect_equal "$(brinnow --version)" "brinnow $version" "brinnow --version"
sample=/usr/share/brinnow/sample/campaign.brn
expect_equal "$(brinnow-cli info "$sample")" \
    "$("$build/cli/brinnow-cli" info "$here/res/sample/campaign.brn")" "brinnow-cli info"
# The drawing half, from /usr/libexec, draws what the build draws.
brinnow-cli card "$sample" Lion -o "$out/lion.png"
"$build/cli/brinnow-cli" card "$sample" Lion -o "$out/lion-build.png"
cmp -s "$out/lion.png" "$out/lion-build.png" || fail "the installed tool draws another card"
cp "$sample" "$out/Dogger Fleet.brn"
expect_equal "$(xdg-mime query filetype "$out/Dogger Fleet.brn")" "$type" "xdg-mime filetype"
expect_equal "$(xdg-mime query default "$type")" "$id.desktop" "the file type's program"
page=(brinnow-cli)
if grep -qs '^path-exclude=/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
    say "this machine's dpkg leaves manual pages out (path-exclude): the page is read from the package"
    page=(-l "$root/usr/share/man/man1/brinnow-cli.1.gz")
else
    expect_equal "$(man -w brinnow-cli)" /usr/share/man/man1/brinnow-cli.1.gz "man -w brinnow-cli"
fi
output_has "export-json FILE OUT.json" env MANWIDTH=80 man "${page[@]}" ||
    fail "man brinnow-cli does not show the page"
say "installed: the tools, the sample, the file type and the manual pages work"

xvfb-run -a -s "-screen 0 1280x900x24" bash "$0" --window-checks "$out"

apt-get purge -y -qq brinnow >"$out/remove.log" 2>&1 || { cat "$out/remove.log"; fail "apt purge"; }
trap - EXIT
left=()
while IFS= read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    # A folder shared with other packages stays.
    [ -d "$path" ] && [ ! -L "$path" ] && dpkg -S "$path" >/dev/null 2>&1 && continue
    left+=("$path")
done <<<"$files"
[ ${#left[@]} -eq 0 ] || fail "removal left ${left[*]}"
[ "$(xdg-mime query filetype "$out/Dogger Fleet.brn")" != "$type" ] ||
    fail "the file type outlived the package"
say "removed, leaving none of its files"
