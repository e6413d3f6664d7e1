#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo script through the command-line runner.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p build/demo
cd build/demo
../tarnwick-run --db demo.mdb --new ../../resources/demo.sql
