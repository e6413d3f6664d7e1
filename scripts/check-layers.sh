#!/usr/bin/env bash
# Checks that every #include "room/..." in src/ points to the file's own room or to a room
# below it. Rooms, bottom to top (rooms on one line share a level and do not include each
# other): the order the program is built in, each layer using only what lies under it.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A rank=(
  [text]=0
  [jet]=1
  [data]=2
  [files]=3
  [console]=4
  [output]=5 [plugins]=5
  [gui]=6 [runner]=6 [grader]=6
)

room_of() {
  local path=$1
  case $path in
    */*) echo "${path%%/*}" ;;
    *) echo "?" ;;
  esac
}

status=0
while IFS= read -r match; do
  file=${match%%:*}
  rest=${match#*:}
  rest=${rest#*:}
  target=$(sed -E 's/^[[:space:]]*#include "([^"]+)".*/\1/' <<<"$rest")
  from=$(room_of "${file#./}")
  to=$(room_of "$target")
  if [[ -z ${rank[$from]+x} ]]; then
    echo "unknown room of $file" >&2; status=1; continue
  fi
  if [[ -z ${rank[$to]+x} ]]; then
    echo "$file includes $target: unknown room" >&2; status=1; continue
  fi
  if [[ $from != "$to" && ${rank[$to]} -ge ${rank[$from]} ]]; then
    echo "$file includes $target: $to is not below $from" >&2
    status=1
  fi
done < <(grep -rn '^[[:space:]]*#include "' --include='*.h' --include='*.cpp' .)

if [[ $status -eq 0 ]]; then echo "Every include points down or within its room."; fi
exit $status
