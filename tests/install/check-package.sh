#!/usr/bin/env bash
# Builds the Debian package of the build folder with cpack and checks it: its name, its file
# list (the installed files under /usr, nothing else), its control fields, and dependencies
# computed from the programs.
# Usage: check-package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$out/tarnwick_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") among: $(ls "$out")"

diff <(sed 's|^|./usr/|' "$here/installed-files.txt" | sort) \
  <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort) ||
  fail "the package's files differ from installed-files.txt (< expected, > packaged)"

[ "$(dpkg-deb -f "$deb" Package)" = tarnwick ] || fail "Package"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] && [ -n "$(dpkg-deb -f "$deb" Description)" ] ||
  fail "Maintainer or Description"
depends=$(dpkg-deb -f "$deb" Depends)
# One dependency a line, "name (>= version)".
versioned=$(sed 's/, /\n/g' <<<"$depends" | awk '$2 == "(>=" { print $1 }')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
  grep -qxF "$library" <<<"$versioned" || fail "Depends lacks $library (>= ...): $depends"
done
# What a distribution's checker says of it: no error and no warning (informational tags are
# allowed). lintian refuses nothing for being run as root, it only says so.
if command -v lintian >/dev/null; then
  tags=$(lintian --no-tag-display-limit "$deb" 2>/dev/null | grep -E '^[EW]: ' || true)
  [ -z "$tags" ] || fail "lintian: $tags"
fi
echo "$(basename "$deb"): Depends: $depends"
