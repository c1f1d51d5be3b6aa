#!/usr/bin/env bash
# A one-minute libFuzzer run under ASan and UBSan, shared by three targets:
# the document loader, everything that draws or exports what loads, and the
# JSON round trip of what loads.
# Skipped, saying why, when clang is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
targets=(document_fuzzer render_fuzzer json_roundtrip_fuzzer)
if ! command -v clang++ >/dev/null; then
    echo "fuzz: skipped, clang++ is not installed"
    exit 0
fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINNOW_BUILD_FUZZ=ON -DBRINNOW_BUILD_TESTS=OFF -DBRINNOW_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" make_fuzz_corpus >/dev/null
corpus=build-fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
build-fuzz/fuzz/make_fuzz_corpus "$corpus"
share=$((seconds / ${#targets[@]}))
for target in "${targets[@]}"; do
    # A document that allocates far more than its size would break the RSS
    # limit. Drawing needs Qt's fonts besides, and fontconfig keeps its
    # caches to the end of the process, which the leak check would report.
    rss=1024 leaks=1
    [ "$target" = render_fuzzer ] && rss=2048 leaks=0
    # Each target grows a corpus of its own from the same seeds.
    rm -rf "build-fuzz/$target-corpus" && cp -r "$corpus" "build-fuzz/$target-corpus"
    ASAN_OPTIONS="detect_leaks=$leaks" build-fuzz/fuzz/$target "build-fuzz/$target-corpus" \
        -max_total_time="$share" -rss_limit_mb="$rss" \
        -max_len=65536 -timeout=20 -print_final_stats=1 2>build-fuzz/$target.log || {
        tail -50 build-fuzz/$target.log
        echo "fuzz: $target FAILED"
        exit 1
    }
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/$target.log | grep -o '[0-9]*$')
    echo "fuzz: $target ${runs:-?} inputs in ${share} s, no failure"
done
