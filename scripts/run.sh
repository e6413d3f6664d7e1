#!/usr/bin/env bash
# Installs what is missing, builds the two programs, the help and the sample database (not the
# tests: the test command builds everything), fills a demo database and opens it in the window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh tarnwick tarnwick-run tarnwick_help tarnwick_sample
mkdir -p build/demo
cd build/demo
# The demo script (Shift-JIS, as script files are) creates and fills a table and queries it;
# then the console's own "?" command describes the table and lists the catalogue. A "?"
# command must begin its statement, so it comes as a -c text of its own.
../tarnwick-run --db demo.mdb --new ../../resources/demo.sql -c "? 商品" -c "?"
# The window, on the demo database (closing it compacts the database). It needs a display.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: the window cannot open here. Start it later with: build/tarnwick build/demo/demo.mdb" >&2
  exit 0
fi
exec ../tarnwick demo.mdb
