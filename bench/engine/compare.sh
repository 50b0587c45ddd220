#!/usr/bin/env bash
# Engine speed before and after, from one run: builds the engine library of a git revision and of
# the working tree (both Release, in a temporary folder), then runs one bench_engine over both
# libraries with the working tree's dictionary, repetitions interleaved, and prints both columns.
#   bench/engine/compare.sh [REVISION [benchmark options]]
# REVISION defaults to the commit where this branch left main; JOBS (default 2) sets the build jobs.
set -euo pipefail

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
revision=${1:-$(git -C "$root" merge-base HEAD main)}
[ $# -gt 0 ] && shift
jobs=${JOBS:-2}
work=$(mktemp -d "${TMPDIR:-/tmp}/varnook-engine-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "before: $(git -C "$root" log -1 --format='%h %s' "$revision")"
echo "after:  the working tree of $(git -C "$root" log -1 --format='%h' HEAD)"
mkdir -p "$work/before-src"
git -C "$root" archive "$revision" | tar -x -C "$work/before-src"
configure() { cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release "${@:3}" > "$2.log" 2>&1 || { cat "$2.log"; exit 1; }; }
build() { cmake --build "$1" -j "$jobs" --target "${@:2}" >> "$1.log" 2>&1 || { tail -40 "$1.log"; exit 1; }; }
configure "$work/before-src" "$work/before" -DVARNOOK_BENCH=OFF
build "$work/before" QXDLL
configure "$root" "$work/after"
build "$work/after" QXDLL bench_engine

"$work/after/bench/bench_engine" \
    --engine=before="$work/before/bin/libQXDLL.so" --engine=after="$work/after/bin/libQXDLL.so" \
    --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true "$@"
