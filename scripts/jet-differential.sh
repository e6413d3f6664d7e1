#!/usr/bin/env bash
# Compares two builds of the Jet front end over the statements of tools/jet-corpus: what each
# compiles every statement into (jet-compile-dump) and the transcript tarnwick-run writes for
# the same statements as scripts. Any difference is printed; the exit status is 1 then.
#
# Usage: scripts/jet-differential.sh OLD-BUILD-DIR NEW-BUILD-DIR [CORPUS-DIR]
# Each build needs tarnwick-run and tests/jet-compile-dump built.
set -uo pipefail
old=$(cd "$1" && pwd)
new=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
corpus=${3:-$here/tools/jet-corpus}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A script of one statement per line becomes the runner's script: each statement ends in ';'
# (a line ending in '\' goes on on the next line).
for sql in "$corpus"/*.sql; do
  awk '/^--/ || /^$/ { next } /\\$/ { sub(/\\$/, ""); printf "%s\n", $0; next } { print $0 ";" }' \
    "$sql" > "$work/$(basename "$sql" .sql).script"
done

status=0
for side in old new; do
  build=${!side}
  mkdir -p "$work/$side"
  "$build/tests/jet-compile-dump" "$work/$side" "$corpus"/*.sql | sed "s#$corpus/##" \
    > "$work/$side.dump"
  for script in "$work"/*.script; do
    name=$(basename "$script" .script)
    (cd "$work/$side" && "$build/tarnwick-run" --db "$name.mdb" --new "$script" \
      > "$work/$side.$name.out" 2>&1; echo "exit $?" >> "$work/$side.$name.out")
  done
done
# A refusal the old build placed at offset 0, or past the statement's end (in a stored
# procedure's text), may now name the place of the token at fault.
python3 - "$work/old.dump" "$work/new.dump" <<'COMPARE' || status=1
import re, sys
old = open(sys.argv[1], encoding="utf-8").read().splitlines()
new = open(sys.argv[2], encoding="utf-8").read().splitlines()
refused = re.compile(r"^  refused@(\d+) ")
shown = 0
length = 0
for i in range(max(len(old), len(new))):
    a = old[i] if i < len(old) else "<none>"
    b = new[i] if i < len(new) else "<none>"
    if a.startswith(">>> "):
        length = len(a[4:].replace("\\n", "\n").encode("utf-8"))
    ma, mb = refused.match(a), refused.match(b)
    if ma and mb and a[ma.end():] == b[mb.end():]:
        before = int(ma.group(1))
        if before == 0 or before > length:
            continue
    if a != b:
        shown += 1
        if shown <= 200:
            print(f"line {i + 1}:\n- {a}\n+ {b}")
if shown:
    print(f"{shown} lines differ")
    sys.exit(1)
COMPARE
for out in "$work"/old.*.out; do
  name=${out#"$work"/old.}
  if ! diff -u "$out" "$work/new.$name"; then status=1; fi
done
[[ $status -eq 0 ]] && echo "The two builds agree on every statement of $corpus."
exit $status
