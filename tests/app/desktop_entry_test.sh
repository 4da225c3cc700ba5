#!/usr/bin/env bash
# The menu entry points at the installed program, passes the validator, is replaced on a
# second run, and leaves the user's other entries alone.
set -euo pipefail
writer="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
program="$work/Kestro folder"
mkdir -p "$program" "$work/data/applications"
echo "keep" >"$work/data/applications/other.desktop"
export XDG_DATA_HOME="$work/data"
entry="$work/data/applications/kestro.desktop"

"$writer" "$program" >/dev/null
grep -qx "Exec=\"$program/kestro\"" "$entry" || { echo "Exec does not name the program"; exit 1; }
grep -qx "Icon=$program/kestro.png" "$entry" || { echo "Icon does not name the picture"; exit 1; }
grep -q '^Name\[ja\]=' "$entry" && grep -q '^Comment\[ja\]=' "$entry" \
    || { echo "Japanese name or comment missing"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry"
fi
echo "stale" >>"$entry"
"$writer" "$program" >/dev/null
! grep -q stale "$entry" || { echo "a second run did not replace the entry"; exit 1; }
[ "$(cat "$work/data/applications/other.desktop")" = keep ] || { echo "another entry changed"; exit 1; }
[ "$(ls -A "$work/data/applications" | sort | tr '\n' ' ')" = "kestro.desktop other.desktop " ] \
    || { echo "unexpected files: $(ls -A "$work/data/applications")"; exit 1; }
