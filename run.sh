#!/usr/bin/env bash
# Builds the editor (release) and starts it; an optional argument is a map or game archive.
set -euo pipefail
caller=$PWD
cd "$(dirname "$0")"
. tools/scripts/ensure-packages.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVEL_TESTS=OFF \
    -DKORVEL_BENCH=OFF >/dev/null
cmake --build "$build" --target korvel korvel_data
args=()
for a in "$@"; do
    # A relative path names a file from the caller's folder, which the change of working folder
    # above has left; the editor would resolve it against the wrong one.
    if [[ "$a" != /* && "$a" != -* ]] && [ -e "$caller/$a" ]; then a="$caller/$a"; fi
    args+=("$a")
done
exec "$build/bin/korvel" "${args[@]}"
