#!/usr/bin/env bash
# The test suite's one-minute fuzz run (FUZZ_SECONDS to change it).
exec bash "$(dirname "$0")/fuzz-run.sh" "${FUZZ_SECONDS:-60}"
