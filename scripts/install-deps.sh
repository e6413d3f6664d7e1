#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Tarnwick needs, if any is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsqlite3-dev sqlite3
  # Reading Jet (Microsoft Access) files for the import: mdbtools' library and its headers;
  # its programs (mdb-export, mdb-schema) are what the tests and the benchmark compare with.
  mdbtools-dev libmdb3 mdbtools
  libgtest-dev
  # The window: Qt 6 Widgets and Print Support (whose CMake files need the GL headers), Qt's
  # Japanese translations of its standard dialogs and menus, and the Japanese fonts of its
  # panes; a virtual X server to look at it without a display.
  qt6-base-dev libgl-dev qt6-translations-l10n fonts-ipafont-gothic fonts-vlgothic
  xvfb xauth
  # Reading back the window's printed PDF pages in its tests.
  poppler-utils
  # The installation: the letters of the icon files; the package's dependencies (dpkg-dev's
  # dpkg-shlibdeps); checking the desktop entry, the AppStream metainfo, the man pages and the
  # package itself (lintian).
  fonts-dejavu-core dpkg-dev
  desktop-file-utils appstream man-db lintian
  # Checking the help document's HTML.
  tidy
)
# The fuzz harnesses (fuzz/README.md) need clang and its libFuzzer; only when asked for.
if [ "${TARNWICK_FUZZ:-0}" = "1" ]; then
  packages+=(clang)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
