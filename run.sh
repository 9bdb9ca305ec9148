#!/usr/bin/env bash
# Builds the editor (release) and starts it; an optional argument is a map or game archive.
set -euo pipefail
cd "$(dirname "$0")"
. tools/scripts/ensure-packages.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVEL_TESTS=OFF \
    -DKORVEL_BENCH=OFF >/dev/null
cmake --build "$build" --target korvel korvel_data
args=()
for a in "$@"; do
    # The editor takes paths as given; make relative ones absolute here so they survive the
    # change of working folder below.
    if [ -e "$a" ] && [[ "$a" != /* ]]; then a="$PWD/$a"; fi
    args+=("$a")
done
exec "$build/bin/korvel" "${args[@]}"
