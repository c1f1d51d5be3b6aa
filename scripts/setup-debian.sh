#!/usr/bin/env bash
# Installs what building, running and testing Brinnow needs on Debian 12.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(cmake g++ make qt6-base-dev libgif-dev fonts-liberation2 googletest libgtest-dev
          libbenchmark-dev clang libclang-rt-14-dev xvfb xauth poppler-utils
          libsimdjson-dev python3-jsonschema xdotool)
# For sharing the table with the players' browsers: the host, its page's
# cards as SVG, and the links' QR codes.
packages+=(qt6-httpserver-dev qt6-websockets-dev qt6-svg-dev libqrencode-dev pkg-config)
# For the icons, rendered from their drawings at build time.
packages+=(librsvg2-bin)
# For scripts/window-check.sh: a window manager and screenshots.
packages+=(openbox imagemagick)
# For the Compare Forces window's charts.
packages+=(qt6-charts-dev libqt6opengl6-dev)
# For building the Debian package and checking it installed: its lints, the
# desktop's view of its files (menu, file type, manual pages), and the window
# started from its desktop entry.
packages+=(dpkg-dev lintian desktop-file-utils appstream shared-mime-info xdg-utils
           libfile-mimeinfo-perl libglib2.0-bin man-db x11-utils)
# For the browser check of the HTML export; without it that test says it was skipped.
optional=(chromium)
# For the browser test of the shared table; without them that test says it was skipped.
optional+=(chromium-driver python3-selenium)
# For opening the CSV export in a spreadsheet; without it that test says it was skipped.
optional+=(libreoffice-calc-nogui)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=() missing_optional=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
for p in "${optional[@]}"; do installed "$p" || missing_optional+=("$p"); done
[ $(( ${#missing[@]} + ${#missing_optional[@]} )) -eq 0 ] && exit 0

apt-get update -qq
[ ${#missing[@]} -gt 0 ] && apt-get install -y -qq --no-install-recommends "${missing[@]}"
for p in "${missing_optional[@]}"; do
    apt-get install -y -qq --no-install-recommends "$p" ||
        echo "setup: $p could not be installed; the tests that need it will say they were skipped"
done
exit 0
