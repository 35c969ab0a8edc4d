#!/usr/bin/env bash
# Builds Corvane for speed (Release, no sanitizers) and runs the benchmarks. Each
# prints its figures as ratios against a baseline measured in the same run, since
# absolute times on a shared machine wander from run to run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_SANITIZE=OFF \
    -DCORVANE_TESTS=OFF >/dev/null
cmake --build "$build" --target benchmarks

export QT_QPA_PLATFORM=offscreen
status=0
for bench in startup_bench log_open_bench send_bench wait_cpu_bench; do
    "$build/bench/$bench" || status=1
done
exit "$status"
