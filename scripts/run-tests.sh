#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then builds the Debian
# package and checks it (installing it when run as root), then the short
# fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
bash scripts/check-package.sh build
bash scripts/fuzz-short.sh
