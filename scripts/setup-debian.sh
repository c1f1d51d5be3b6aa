#!/usr/bin/env bash
# Installs what building, running and testing Brinnow needs on Debian 12.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(cmake g++ make qt6-base-dev libgif-dev fonts-liberation2 googletest libgtest-dev
          libbenchmark-dev clang libclang-rt-14-dev xvfb xauth poppler-utils)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
