#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the command line's outputs for a 2 m, a 70 cm and a 23 cm design,
# single and folded, into DIR: the simulation's texts, CSV and Touchstone
# files, the tuning, ten tolerance builds, the stacked pair, the cut list and
# the exported deck. The golden test compares them with tests/data/golden.
set -euo pipefail
cli=$1
out=$2
mkdir -p "$out"
cd "$out"
designs=("2m:--freq 144.1 --directors 8" "70cm:--freq 432 --directors 12" "23cm:--freq 1296 --directors 16")
for entry in "${designs[@]}"; do
  name=${entry%%:*}
  read -ra opts <<<"${entry#*:}"
  for dipole in single folded; do
    d=$name-$dipole
    "$cli" simulate "${opts[@]}" --dipole "$dipole" --csv "$d.csv" --s1p "$d.s1p" >"$d.simulate.txt"
    "$cli" simulate "${opts[@]}" --dipole "$dipole" --tune >"$d.tune.txt"
    "$cli" simulate "${opts[@]}" --dipole "$dipole" --tolerance --builds 10 >"$d.tolerance.txt"
    "$cli" simulate-stack "${opts[@]}" --dipole "$dipole" --sweep-spacing 0:0:5 >"$d.stack.txt"
    # The cut list's second line is the day it is printed: a placeholder, so
    # that the files compare on any day.
    "$cli" cutlist "${opts[@]}" --dipole "$dipole" |
      sed '2s/^[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}$/YYYY-MM-DD/' >"$d.cutlist.txt"
    "$cli" design "${opts[@]}" --dipole "$dipole" --nec "$d.nec" >/dev/null
  done
done
