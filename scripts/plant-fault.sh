#!/usr/bin/env bash
# Plants one fault, runs the suite against it and puts the code back:
#   bash scripts/plant-fault.sh FILE SED-EXPRESSION [BUILD-DIR]
# e.g. bash scripts/plant-fault.sh print/textlayout.cpp 's/> maxWidth/>= maxWidth/'
# Prints the tests that caught it, or says that none did.
set -euo pipefail
cd "$(dirname "$0")/.."
file=$1 expression=$2 build=${3:-build}
[ -f "$file" ] || { echo "plant-fault: no file $file" >&2; exit 2; }
backup=$(mktemp)
cp "$file" "$backup"
trap 'cp "$backup" "$file"; rm -f "$backup"; touch "$file"' EXIT
sed -i -e "$expression" "$file"
if cmp -s "$file" "$backup"; then
    echo "plant-fault: the expression changed nothing in $file" >&2
    exit 2
fi
diff -u "$backup" "$file" | sed -n '3,$p' | grep '^[-+]' || true
if ! cmake --build "$build" -j"$(nproc)" >/dev/null 2>&1; then
    echo "caught: the build fails"
    exit 0
fi
log=$(mktemp)
if QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j"$(nproc)" -E browser_export >"$log" 2>&1; then
    echo "NOT caught: every test passes"
else
    echo "caught by:"
    grep -E '^\s+[0-9]+ - ' "$log" || tail -5 "$log"
fi
rm -f "$log"
