#!/usr/bin/env bash
# A longer local fuzz run, MINUTES shared between the five targets; the
# corpora it grows are kept in build-fuzz/ and grown further next time.
minutes=${1:?usage: fuzz-long.sh MINUTES}
exec bash "$(dirname "$0")/fuzz-run.sh" "$((minutes * 60))" --keep
