#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the shipped example designs with the program's own YO writer:
#   make_examples.sh TAVORA_CLI FOLDER
set -eu
cli=$1
out=$2
mkdir -p "$out"
example() {
    name=$1
    description=$2
    shift 2
    "$cli" design "$@" --description "$description" --yag "$out/$name.yag" >/dev/null 2>&1
}
example 2m-10-element "2 m DL6WU Yagi, 10 elements, 144.3 MHz" --freq 144.3 --directors 8
example 70cm-19-element "70 cm DL6WU Yagi, 19 elements, 432.2 MHz" --freq 432.2 --directors 17
example 23cm-25-element "23 cm DL6WU Yagi, 25 elements, 1296.2 MHz" --freq 1296.2 --directors 23
example 13cm-18-element "13 cm DL6WU Yagi, 18 elements, 2320.2 MHz" --freq 2320.2 --directors 16
