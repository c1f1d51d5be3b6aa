#!/usr/bin/env bash
# The races that lose files or marks when a writer is careless, run many
# times over: two `game mark` runs on one game at once, 36 at once, and
# SIGTERM or SIGHUP at a random moment of a large export-json and of an
# export-html of 1,000 cards. Prints one line a case: the runs, the marks
# reported done but missing, the temporary files left, the targets that are
# neither their old bytes nor whole, and the runs whose exit did not say
# what happened.
#
# usage: bench/writer_races.sh BRINNOW_CLI MAKE_LARGE_DOCUMENT SAMPLE [ROUNDS]
set -u
cli=$1 make=$2 sample=$3 rounds=${4:-100}
work=$(mktemp -d /dev/shm/writer-races.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp "$sample" "$work/c.brn"

# Marks each given "SHIP PLACE" at once; prints "reported lost wrong-exits".
race_marks() {
    local game=$work/g.json pids=() done=() lost=0 wrong=0
    rm -f "$game"
    "$cli" game new "$work/c.brn" "Dogger Bank" -o "$game" || exit 1
    for mark in "$@"; do
        "$cli" game mark "$game" --force 1 --ship ${mark% *} ${mark#* } 2> /dev/null &
        pids+=($!)
    done
    for i in "${!pids[@]}"; do
        if wait "${pids[$i]}"; then done+=("${*:i+1:1}"); else wrong=$((wrong + 1)); fi
    done
    local shown
    shown=$("$cli" game show "$game")
    for mark in "${done[@]}"; do
        grep -q "^1	${mark% *}	.*\b${mark#* }\b" <<< "$shown" || lost=$((lost + 1))
    done
    echo "${#done[@]} $lost $wrong"
}

marks_case() {
    local name=$1 times=$2
    shift 2
    local reported=0 lost=0 wrong=0 r l w
    for _ in $(seq "$times"); do
        read -r r l w < <(race_marks "$@")
        reported=$((reported + r)) lost=$((lost + l)) wrong=$((wrong + w))
    done
    printf '%-34s %6d runs %6d marks reported done %4d lost %4d refused\n' \
        "$name" "$((times * $#))" "$reported" "$lost" "$wrong"
}

# Kills one export at a random moment; prints "temporaries damaged wrong-exit".
kill_export() {
    local signal=$1 out=$2
    shift 2
    printf 'the old output' > "$out"
    "$cli" "$@" --quiet 2> /dev/null &
    local pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    kill -"$signal" "$pid" 2> /dev/null
    wait "$pid"
    local status=$? temporaries damaged=0 wrong=0
    temporaries=$(find "$work" -name '.brinnow-*' | wc -l)
    find "$work" -name '.brinnow-*' -delete
    if [ "$(head -c 14 "$out")" = "the old output" ]; then
        [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || wrong=1
        # A page kept as it was has no new card images beside it either.
        temporaries=$((temporaries + $(find "$(dirname "$out")" -maxdepth 1 -name '*.gif' | wc -l)))
    else
        [ "$status" -eq 0 ] || wrong=1
        tail -c 200 "$out" | grep -q '</HTML>\|}' || damaged=1
    fi
    find "$(dirname "$out")" -maxdepth 1 -name '*.gif' -delete
    echo "$temporaries $damaged $wrong"
}

kill_case() {
    local name=$1 times=$2 signal=$3
    shift 3
    local temporaries=0 damaged=0 wrong=0 t d w
    for _ in $(seq "$times"); do
        read -r t d w < <(kill_export "$signal" "$@")
        temporaries=$((temporaries + t)) damaged=$((damaged + d)) wrong=$((wrong + w))
    done
    printf '%-34s %6d runs %6d temporary files left %4d damaged %4d wrong exit\n' \
        "$name" "$times" "$temporaries" "$damaged" "$wrong"
}

"$make" "$work/big.brn" 100000 --thousand > /dev/null || exit 1
pairs=()
for box in $(seq 18); do pairs+=("Lion box$box" "Tiger box$box"); done
marks_case "two game marks at once" "$rounds" "Lion box1" "Tiger box2"
marks_case "36 game marks at once" "$((rounds / 10))" "${pairs[@]}"
kill_case "SIGTERM in export-json" "$rounds" TERM "$work/out.json" export-json "$work/big.brn" "$work/out.json"
kill_case "SIGHUP in export-json" "$((rounds / 4))" HUP "$work/out.json" export-json "$work/big.brn" "$work/out.json"
mkdir -p "$work/html"
kill_case "SIGTERM in export-html of 1,000" "$((rounds / 10))" TERM "$work/html/page.htm" export-html "$work/big.brn" "Thousand" "$work/html/page.htm"
