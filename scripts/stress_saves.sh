#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves one file from many processes at once and counts what went wrong:
# every save must succeed, and the file must always hold one whole design.
# Not part of ctest (it takes minutes); the ctest case AtomicFile.
# SavesOfOneFileAtOnceAllSucceed runs a few hundred saves in one process.
#
#   scripts/stress_saves.sh [SAVES] [PARALLEL] [TAVORA_CLI]
set -u
saves=${1:-20000}
parallel=${2:-8}
cli=${3:-build/src/cli/tavora-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/beam.yag
"$cli" design --freq 144.1 --yag "$work/a.yag" 2>/dev/null >/dev/null || exit 2
"$cli" design --freq 432 --yag "$work/b.yag" 2>/dev/null >/dev/null || exit 2
cp "$work/a.yag" "$file"
# Looks at the file while the saves run: it is one design or the other, whole.
(
    mixed=0
    while [ ! -e "$work/done" ]; do
        # One read of the file, then both comparisons: it may change between them.
        cat "$file" >"$work/seen" || mixed=$((mixed + 1))
        cmp -s "$work/seen" "$work/a.yag" || cmp -s "$work/seen" "$work/b.yag" ||
            mixed=$((mixed + 1))
    done
    echo "$mixed" >"$work/mixed"
) &
watcher=$!
seq "$saves" | xargs -P "$parallel" -n 50 sh -c '
    for i in "$@"; do
        if [ $((i % 2)) -eq 0 ]; then freq=144.1; else freq=432; fi
        "$0" design --freq $freq --yag "'"$file"'" >/dev/null 2>"'"$work"'/err.$i" ||
            echo "$i" >>"'"$work"'/failed.$$"
        [ -s "'"$work"'/err.$i" ] && grep -v "^File saved$" "'"$work"'/err.$i" >&2
        rm -f "'"$work"'/err.$i"
    done' "$cli"
touch "$work/done"
wait "$watcher"
failures=$(cat "$work"/failed.* 2>/dev/null | wc -l)
leftovers=$(find "$work" -name '.beam.yag.tavora-*' | wc -l)
echo "saves: $saves, parallel: $parallel, failures: $failures, mixed: $(cat "$work/mixed"), temporaries left: $leftovers"
[ "$failures" -eq 0 ] && [ "$(cat "$work/mixed")" -eq 0 ] && [ "$leftovers" -eq 0 ]
