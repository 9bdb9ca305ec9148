#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (clang), runs every
# test through CTest in parallel, then each fuzz target briefly on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"
. tools/scripts/ensure-packages.sh
build=build/test
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVEL_SANITIZE=ON \
    -DKORVEL_FUZZ=ON -DKORVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
(cd "$build" && ctest -j "$jobs" --output-on-failure --timeout 600)

fuzz_seconds=${KORVEL_FUZZ_SECONDS:-3}
for target in "$build"/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target"); name=${name#fuzz_}
    work=$(mktemp -d)
    if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$work/"; fi
    if [ -d "$build/fuzz-seeds/$name" ]; then cp -r "$build/fuzz-seeds/$name/." "$work/"; fi
    echo "fuzz $name (${fuzz_seconds}s)"
    "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$work" >"$work.log" 2>&1 || {
        tail -n 60 "$work.log"; echo "fuzz target $name failed" >&2; exit 1; }
    rm -rf "$work" "$work.log"
done
echo "All tests passed."
