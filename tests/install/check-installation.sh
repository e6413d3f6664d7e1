#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the installation as a user meets it:
# every file in its place and nothing else, the icons' sizes, the desktop entry, the AppStream
# metainfo and the man pages valid; from there tarnwick-run --version, a script, its --help
# and --sample (the help and the sample database found in the shared files), the window's
# --help and a wrong option without a display, and the window offscreen until its first paint,
# with the help found in the shared files.
# Usage: check-installation.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root/dest" cmake --install "$build" --prefix /usr >/dev/null
usr=$root/dest/usr

# The files, exactly.
diff <(sort "$here/installed-files.txt") <(cd "$usr" && find . -type f | sed 's|^\./||' | sort) ||
  fail "the installed files differ from installed-files.txt (< expected, > installed)"
[ -x "$usr/bin/tarnwick" ] && [ -x "$usr/bin/tarnwick-run" ] && [ -x "$usr/bin/tarnwick-grade" ] ||
  fail "programs not executable"

# Each PNG icon is as large as its folder says (the width and height of the PNG header).
for png in "$usr"/share/icons/hicolor/*x*/apps/tarnwick.png; do
  folder=$(basename "$(dirname "$(dirname "$png")")")
  size=$(od -An -tu1 -j16 -N8 "$png" |
    awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }')
  [ "$size" = "$folder" ] || fail "$png is $size"
done
grep -q '<svg ' "$usr/share/icons/hicolor/scalable/apps/tarnwick.svg" || fail "the SVG icon"

# The desktop entry and the metainfo pass their validators without a word, not even a hint.
desktop=$usr/share/applications/tarnwick.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Comment\[ja\]=学習用SQLコンソール' "$desktop" || fail "Comment[ja]"
grep -qx 'Exec=tarnwick %f' "$desktop" || fail "Exec"
metainfo=$usr/share/metainfo/org.tarnwick.tarnwick.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" >/dev/null ||
  fail "$(appstreamcli validate --pedantic --no-net "$metainfo")"
# A release for every version of the history, the newest first and the project's own.
versions=$(awk '/^[0-9]+\.[0-9]+\.[0-9]+ /{ print $1 }' "$here/../../resources/package/versions.txt")
[ "$(head -n 1 <<<"$versions")" = "$version" ] || fail "the history's newest version is not $version"
[ "$(grep -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)" = "$versions" ] ||
  fail "the metainfo's releases are not the history's versions: $versions"

# The package's own documents: the copyright file in Debian's machine-readable form and the
# changelog, whose newest entry is this version.
copyright=$usr/share/doc/tarnwick/copyright
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  fail "the copyright file's format line"
zcat "$usr/share/doc/tarnwick/changelog.gz" | head -n 1 | grep -qxF "tarnwick ($version) unstable; urgency=medium" ||
  fail "the changelog's newest entry is not $version"

# The man pages render without a warning and carry the version.
for page in "$usr"/share/man/man1/*.1.gz "$usr"/share/man/ja/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
  zcat "$page" | grep -q "\"Tarnwick $version\"" || fail "$page does not carry $version"
done

# The runner: its version, then a script on a new database.
work=$root/work
mkdir -p "$work"
[ "$("$usr/bin/tarnwick-run" --version | head -n 1)" = \
  "tarnwick-run（Tarnwick 学習用SQLコンソール）バージョン $version" ] || fail "tarnwick-run --version"
printf 'CREATE TABLE t (a INTEGER);\nINSERT INTO t VALUES (7);\nSELECT a FROM t;\n' >"$work/s.sql"
transcript=$("$usr/bin/tarnwick-run" --db "$work/x.mdb" --new "$work/s.sql")
expected=$'CREATE TABLE t (a INTEGER);\nOK\n\nINSERT INTO t VALUES (7);\nOK\n\nSELECT a FROM t;\na|\n-+\n7|\nOK'
[ "$transcript" = "$expected" ] || fail "the script's transcript: $transcript"

# The grader marks a file of one exercise against itself, on that database.
printf -- '--@ q1\nSELECT a FROM t;\n' >"$work/q.sql"
marks=$("$usr/bin/tarnwick-grade" --db "$work/x.mdb" --answers "$work/q.sql" "$work/q.sql")
[ "$(head -n 3 <<<"$marks")" = $'学生|q1|得点|\n----+--+----+\nq   |○|   1|' ] ||
  fail "tarnwick-grade: $marks"

# The runner names the installed help, and writes a copy of the installed sample database.
"$usr/bin/tarnwick-run" --help | grep -qxF "  $usr/share/tarnwick/tarnwick-help.html" ||
  fail "tarnwick-run --help does not name the installed help"
counted=$("$usr/bin/tarnwick-run" --sample "$work/sample.mdb" -c "SELECT Count(*) AS n FROM 部署;")
[ "$counted" = $'SELECT Count(*) AS n FROM 部署;\nn|\n-+\n7|\nOK' ] ||
  fail "tarnwick-run --sample: $counted"

# Installed programs are used by people who cannot write the installation's folders: one of
# them copies the sample database too (when the check runs as root, as the user nobody).
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  chmod 755 "$root"  # mktemp's folder is the owner's alone
  learner=$root/learner
  mkdir -m 777 "$learner"
  counted=$(cd "$learner" && runuser -u nobody -- env HOME="$learner" \
    "$usr/bin/tarnwick-run" --sample "$learner/mine.mdb" -c "SELECT Count(*) AS n FROM 部署;" 2>&1) ||
    fail "tarnwick-run --sample as an ordinary user: $counted"
  [ "$(ls "$usr/share/tarnwick")" = $'tarnwick-help.html\ntarnwick-sample.mdb\ntarnwick.chm' ] ||
    fail "files were left beside the installed sample: $(ls "$usr/share/tarnwick")"
fi

# The window's --help and a wrong option need no display and touch no database.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
help=$("${no_display[@]}" "$usr/bin/tarnwick" --help) && [[ $help == "使い方: tarnwick "* ]] ||
  fail "tarnwick --help"
status=0
message=$("${no_display[@]}" "$usr/bin/tarnwick" --bogus 2>&1) || status=$?
[ $status -eq 2 ] && [ "$(wc -l <<<"$message")" -eq 1 ] && grep -q -- '--bogus' <<<"$message" ||
  fail "tarnwick --bogus: status $status, $message"

# Without --db and settings the installed runner keeps the default database in the per-user
# data folder, never beside itself.
HOME="$root/home" XDG_DATA_HOME= "$usr/bin/tarnwick-run" -c "SELECT 1;" >/dev/null ||
  fail "tarnwick-run on the default database"
[ -f "$root/home/.local/share/tarnwick/default.mdb" ] || fail "no default database in ~/.local"
[ -z "$(find "$usr" -name '*.mdb' ! -path "$usr/share/tarnwick/tarnwick-sample.mdb")" ] ||
  fail "a database was made beside the program"

# The window, offscreen, until its first paint: the help is found in the shared files.
status=0
report=$(cd "$work" && HOME="$root/home" QT_QPA_PLATFORM=offscreen \
  timeout 60 "$usr/bin/tarnwick" --self-test "$work/x.mdb" 2>"$root/window-errors") || status=$?
[ $status -eq 0 ] || fail "tarnwick --self-test: status $status, $report $(cat "$root/window-errors")"
[ "$report" = "ヘルプ: $usr/share/tarnwick/tarnwick-help.html" ] || fail "the help: $report"
echo "The installation in DESTDIR works."
