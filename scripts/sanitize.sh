#!/usr/bin/env bash
# The whole test suite under AddressSanitizer and UBSan, in build-sanitize/.
# Too long for the CI run on two cores next to everything else: run it before
# a release or nightly. Extra arguments go to ctest (e.g. -R reliability).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKELVORA_SANITIZE=ON -DKELVORA_WERROR=ON -DKELVORA_DESIGNER_PLUGIN=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
cd build-sanitize
# Qt keeps some caches for the life of the process: leaks at exit are not faults.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
