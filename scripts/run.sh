#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demo script through the command-line runner.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
mkdir -p build/demo
cd build/demo
# The demo script (Shift-JIS, as script files are) creates and fills a table and queries it;
# then the console's own "?" command describes the table and lists the catalogue. A "?"
# command must begin its statement, so it comes as a -c text of its own.
../tarnwick-run --db demo.mdb --new ../../resources/demo.sql -c "? 商品" -c "?"
