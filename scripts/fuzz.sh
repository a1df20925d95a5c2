#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang into build-fuzz/ and runs
# each for SECONDS (default 60) from its seed corpus in fuzz/corpus/. New
# inputs go to build-fuzz/corpus/ (the seeds stay as they are); a crash leaves
# its input in build-fuzz/ and makes the script fail. Prints executions.
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"; shift || true
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=(fuzz_pathfile fuzz_marker fuzz_money_date fuzz_propertybag fuzz_docfile)
status=0
for h in "${harnesses[@]}"; do
    work="build-fuzz/corpus/$h"; mkdir -p "$work"
    log="build-fuzz/$h.log"
    if (cd build-fuzz && ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
            "./$h" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
            "corpus/$h" "../fuzz/corpus/$h") >"$log" 2>&1; then
        result="no crash"
    else
        result="CRASH (see $log)"; status=1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
    echo "$h: $runs executions, $result"
done
exit $status
