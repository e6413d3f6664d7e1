#!/usr/bin/env bash
# Configures and builds Tarnwick into build/: the targets named as arguments, else everything
# (programs, help, icons, man pages, tests and benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build -j "$(nproc)" "${targets[@]}"
