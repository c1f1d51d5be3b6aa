#!/usr/bin/env bash
# Builds the fuzz targets under ASan and UBSan with coverage counters in
# every library they call, seeds them from generated campaigns and the
# sample (as documents, as JSON and as ships' CSV), and shares SECONDS
# between the document loader, everything that draws or exports what
# loads, the JSON round trip, the CSV import and the reader of the shared
# table's messages. Each prints how many inputs it ran and the coverage it
# reached. With --keep, corpora grown by earlier runs are kept and grown.
# Skipped, saying why, when clang is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz-run.sh SECONDS [--keep]}
keep=${2:-}
targets=(document_fuzzer render_fuzzer json_roundtrip_fuzzer csv_import_fuzzer message_fuzzer)
if ! command -v clang++ >/dev/null; then
    echo "fuzz: skipped, clang++ is not installed"
    exit 0
fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINNOW_BUILD_FUZZ=ON -DBRINNOW_BUILD_TESTS=OFF -DBRINNOW_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" make_fuzz_corpus >/dev/null

# A library without counters would leave the run blind to it.
for library in model print export interchange share; do
    symbols=$(nm "build-fuzz/$library/libbrinnow_$library.a" 2>/dev/null || true)
    if ! grep -q __sanitizer_cov_8bit_counters_init <<<"$symbols"; then
        echo "fuzz: build-fuzz/$library/libbrinnow_$library.a has no coverage counters"
        exit 1
    fi
done

seeds=build-fuzz/seeds
rm -rf "$seeds" && mkdir -p "$seeds/documents" "$seeds/json" "$seeds/csv"
build-fuzz/fuzz/make_fuzz_corpus "$seeds/documents" "$seeds/json" "$seeds/csv" \
    res/sample/campaign.brn

share=$((seconds / ${#targets[@]}))
for target in "${targets[@]}"; do
    # A document that allocates far more than its size would break the RSS
    # limit. Drawing needs Qt's fonts besides, and fontconfig keeps its
    # caches to the end of the process, which the leak check would report.
    rss=1024 leaks=1
    [ "$target" = render_fuzzer ] && rss=2048 leaks=0
    # Each target grows a corpus of its own; the JSON round trip starts from
    # the JSON seeds as well, the CSV import from the CSV seeds alone.
    corpus="build-fuzz/$target-corpus"
    [ "$keep" = --keep ] || rm -rf "$corpus"
    mkdir -p "$corpus"
    inputs=("$corpus" "$seeds/documents")
    [ "$target" = json_roundtrip_fuzzer ] && inputs+=("$seeds/json")
    [ "$target" = csv_import_fuzzer ] && inputs=("$corpus" "$seeds/csv")
    # The shared table's reader starts from requests as clients send them.
    [ "$target" = message_fuzzer ] && inputs=("$corpus" fuzz/message_seeds)
    ASAN_OPTIONS="detect_leaks=$leaks" build-fuzz/fuzz/$target "${inputs[@]}" \
        -max_total_time="$share" -rss_limit_mb="$rss" \
        -max_len=65536 -timeout=20 -print_final_stats=1 2>build-fuzz/$target.log || {
        tail -50 build-fuzz/$target.log
        echo "fuzz: $target FAILED"
        exit 1
    }
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/$target.log | grep -o '[0-9]*$')
    read -r edges features < <(grep -o 'cov: [0-9]* ft: [0-9]*' build-fuzz/$target.log |
        tail -1 | awk '{print $2, $4}')
    echo "fuzz: $target ${runs:-?} inputs in ${share} s, coverage ${edges:-?} edges" \
        "(${features:-?} features), no failure"
done
