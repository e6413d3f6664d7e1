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
# Statement by statement. Accepted differences: a refusal the old build placed at offset 0,
# or past the statement's end (in a stored procedure's text), may now name the place of the
# token at fault; and a statement that fails either way (several rows of VALUES) may have had a
# shared INSERT template made for it that could not compile.
python3 - "$work/old.dump" "$work/new.dump" <<'COMPARE' || status=1
import re, sys

def blocks(path):
    result, current = [], None
    for line in open(path, encoding="utf-8").read().splitlines():
        if line.startswith(">>> ") or line.startswith("=== "):
            current = [line]
            result.append(current)
        elif current is not None:
            current.append(line)
    return result

refused = re.compile(r"^  refused@(\d+) ")

def same_refusal(a, b, length):
    ma, mb = refused.match(a), refused.match(b)
    if not (ma and mb and a[ma.end():] == b[mb.end():]):
        return False
    before = int(ma.group(1))
    return before == 0 or before > length

def agree(old, new):
    if old == new:
        return True
    def has_template(lines):
        return any(line.startswith("  template ") for line in lines)
    if any(line.startswith("  error ") for line in old) and not has_template(new):
        old = [line for line in old if not line.startswith("  template ")]
    if len(old) != len(new):
        return False
    length = len(old[0][4:].replace("\\n", "\n").encode("utf-8"))
    return all(a == b or same_refusal(a, b, length) for a, b in zip(old, new))

old, new = blocks(sys.argv[1]), blocks(sys.argv[2])
shown = 0
for i in range(max(len(old), len(new))):
    a = old[i] if i < len(old) else ["<none>"]
    b = new[i] if i < len(new) else ["<none>"]
    if not agree(a, b):
        shown += 1
        if shown <= 50:
            print("\n".join(["-" + line for line in a] + ["+" + line for line in b]))
if shown:
    print(f"{shown} statements differ")
    sys.exit(1)
COMPARE
for out in "$work"/old.*.out; do
  name=${out#"$work"/old.}
  if ! diff -u "$out" "$work/new.$name"; then status=1; fi
done
[[ $status -eq 0 ]] && echo "The two builds agree on every statement of $corpus."
exit $status
