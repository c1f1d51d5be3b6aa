#!/usr/bin/env bash
# A one-minute libFuzzer run of the document loader and the JSON round trip
# under ASan and UBSan.
# Skipped, saying why, when clang is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
if ! command -v clang++ >/dev/null; then
    echo "fuzz: skipped, clang++ is not installed"
    exit 0
fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRINNOW_BUILD_FUZZ=ON -DBRINNOW_BUILD_TESTS=OFF -DBRINNOW_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target document_fuzzer make_fuzz_corpus >/dev/null
corpus=build-fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
build-fuzz/fuzz/make_fuzz_corpus "$corpus"
# A document that allocates far more than its size would break the RSS limit.
build-fuzz/fuzz/document_fuzzer "$corpus" -max_total_time="$seconds" -rss_limit_mb=1024 \
    -max_len=65536 -timeout=10 -print_final_stats=1 2>build-fuzz/fuzz.log || {
    tail -50 build-fuzz/fuzz.log
    echo "fuzz: FAILED"
    exit 1
}
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/fuzz.log | grep -o '[0-9]*$')
echo "fuzz: ${runs:-?} inputs in ${seconds} s, no failure"

# Every document that loads goes through JSON and back to the same bytes.
json_seconds=${JSON_FUZZ_SECONDS:-20}
cmake --build build-fuzz -j"$(nproc)" --target json_roundtrip_fuzzer >/dev/null
json_corpus=build-fuzz/json-corpus
rm -rf "$json_corpus" && cp -r "$corpus" "$json_corpus"
build-fuzz/fuzz/json_roundtrip_fuzzer "$json_corpus" -max_total_time="$json_seconds" \
    -rss_limit_mb=1024 -max_len=65536 -timeout=10 -print_final_stats=1 2>build-fuzz/json-fuzz.log || {
    tail -50 build-fuzz/json-fuzz.log
    echo "fuzz: JSON round trip FAILED"
    exit 1
}
runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' build-fuzz/json-fuzz.log | grep -o '[0-9]*$')
echo "fuzz: JSON round trip, ${runs:-?} inputs in ${json_seconds} s, no failure"
