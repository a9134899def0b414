#!/usr/bin/env bash
# Builds everything and runs every test: the Windows build under Wine, the portable core natively, the
# portable core again under AddressSanitizer + UBSan, then each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

fuzz_seconds="${DASHWELL_FUZZ_SECONDS:-60}"

for preset in windows native native-asan; do
    echo "== $preset"
    cmake --preset "$preset" > /dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "== fuzzing (${fuzz_seconds}s per target)"
for target in build/native-asan/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="build/native-asan/fuzz/corpus-$name"
    mkdir -p "$corpus"
    dirs=("$corpus")
    [ -d "fuzz/seeds/${name#fuzz_}" ] && dirs+=("fuzz/seeds/${name#fuzz_}")
    "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 "${dirs[@]}" \
        > "build/native-asan/fuzz/$name.log" 2>&1 \
        || { tail -40 "build/native-asan/fuzz/$name.log"; echo "$name: FAILED"; exit 1; }
    echo "$name: $(grep -o 'Done [0-9]* runs' "build/native-asan/fuzz/$name.log" | tail -1), no crash"
done
echo "all builds and tests passed"
