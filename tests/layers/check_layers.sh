#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers hold: only core/nec writes NEC cards or reads the engine's
# output, no two folders of src/core use each other, and no two modules
# (a .h and its .cpp) of src/ include each other's header.
set -u
cd "$1" || exit 2
pairs=$(mktemp)
trap 'rm -f "$pairs"' EXIT
status=0
cards=$(grep -rlE '"(GW|GX|GE|EX|FR|RP|EK|LD|EN)[ "]|FrequencyOutput|ParseNecOutput|ReadNecOutput' \
    --include='*.cpp' --include='*.h' . | grep -v '^\./core/nec/')
if [ -n "$cards" ]; then
    echo "NEC cards or engine output outside core/nec:" $cards
    status=1
fi
# Each pair: "core/FOLDER core/FOLDER" for a folder's include of another;
# "MODULE MODULE" for a module's include of another module's header.
for d in core/*/; do
    d=${d%/}
    for used in $(grep -rhoE '#include "[a-z_]+/' "$d" | sed 's/#include "//; s#/##' | sort -u); do
        if [ "core/$used" != "$d" ]; then echo "$d core/$used"; fi
    done
done >"$pairs"
for f in $(find . -name '*.h' -o -name '*.cpp'); do
    m=${f#./}
    m=${m%.*}
    for h in $(grep -oE '#include "[^"]+\.h"' "$f" | sed 's/#include "//; s/\.h"$//'); do
        if [ ! -f "$h.h" ]; then h=core/$h; fi
        if [ -f "$h.h" ] && [ "$h" != "$m" ]; then echo "$m $h"; fi
    done
done >>"$pairs"
sort -u -o "$pairs" "$pairs"
while read -r a b; do
    if grep -qx "$b $a" "$pairs" && [ "$a" \< "$b" ]; then
        echo "$a and $b use each other"
        status=1
    fi
done <"$pairs"
exit $status
