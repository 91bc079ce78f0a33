#!/bin/sh
# desktop-file-validate exits 0 on warnings and hints; any remark fails here.
out=$(desktop-file-validate "$1" 2>&1) || { echo "$out"; exit 1; }
[ -z "$out" ] || { echo "$out"; exit 1; }
echo "desktop entry: valid, no remarks"
