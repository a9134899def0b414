#!/usr/bin/env bash
# Instructions per input byte of single benchmark operations, counted by callgrind inside
# BenchMeasuredOperation only (set-up and file writing excluded). Writes the generated inputs to a
# temporary folder, runs each mode on each input, prints one line per pair.
#   bench/callgrind.sh [XML_BENCH] [INPUT_SUBSTRING] [MODES...]
# e.g. bench/callgrind.sh build/native/bench/xml_bench utf8-1MB parse pugixml
set -euo pipefail
bench="${1:-build/native/bench/xml_bench}"
filter="${2:-}"
shift $(( $# > 2 ? 2 : $# ))
modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(parse copy-parse load text pugixml pugixml-load expat expat-load)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" --write-inputs "$work/inputs" > /dev/null

printf '%-22s %-13s %15s %12s\n' input mode instructions 'instr/byte'
for file in "$work"/inputs/*.xml; do
    name=$(basename "$file" .xml)
    [[ "$name" == *"$filter"* ]] || continue
    bytes=$(stat -c %s "$file")
    for mode in "${modes[@]}"; do
        out="$work/callgrind.$name.$mode"
        valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
            --toggle-collect=BenchMeasuredOperation "$bench" --one "$mode" "$file" > /dev/null 2>&1
        instructions=$(awk '/^summary:/ { print $2 }' "$out")
        printf '%-22s %-13s %15s %12.2f\n' "$name" "$mode" "$instructions" \
            "$(echo "$instructions / $bytes" | bc -l)"
    done
done
