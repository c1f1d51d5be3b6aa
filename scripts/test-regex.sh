#!/usr/bin/env bash
# Prints a ctest -R pattern that runs every test of the named test programs,
# and the named script tests, for a fault-planting run over one room:
#   scripts/test-regex.sh build-mut export_tests cli_tests -- browser_export
set -euo pipefail
build=$1
shift
suites=()
scripts=()
while [ $# -gt 0 ]; do
    if [ "$1" = "--" ]; then
        shift
        scripts=("$@")
        break
    fi
    while read -r suite; do suites+=("$suite"); done < <(
        QT_QPA_PLATFORM=offscreen "$build/tests/$1" --gtest_list_tests 2>/dev/null | grep -E '^[A-Za-z]\w*\.$' |
            sed 's/\.$//')
    shift
done
pattern="($(printf '%s\n' "${suites[@]}" | sort -u | paste -sd'|'))\\."
if [ ${#scripts[@]} -gt 0 ]; then
    pattern="$pattern|($(printf '%s\n' "${scripts[@]}" | paste -sd'|'))\$"
fi
echo "^($pattern)"
