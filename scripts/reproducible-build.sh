#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one commit's Debian packages twice with dpkg-buildpackage, in two
# folders of different paths, and compares the packages' checksums: one
# commit gives one set of bytes. Two full builds, so not part of CI.
#   scripts/reproducible-build.sh [COMMIT]    COMMIT defaults to HEAD
# DEB_BUILD_OPTIONS defaults to "parallel=2 nocheck": the test suite runs elsewhere.
set -euo pipefail
repo=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
export DEB_BUILD_OPTIONS=${DEB_BUILD_OPTIONS:-parallel=2 nocheck}
# Every object compiled here, none taken from a cache an earlier build filled.
export CCACHE_DISABLE=1
work=$(mktemp -d "${TMPDIR:-/tmp}/tavora-reproducible-XXXXXX")
trap 'rm -rf "$work"' EXIT

# The second folder's path is longer, so that a path left in a binary shows.
for side in a second-folder; do
  tree=$work/$side/tavora
  git clone --quiet --no-checkout "$repo" "$tree"
  git -C "$tree" checkout --quiet --detach "$commit"
  echo "== building $commit in $tree"
  (cd "$tree" && nice dpkg-buildpackage -b -us -uc >"$work/$side.log" 2>&1) ||
    { tail -n 40 "$work/$side.log"; exit 1; }
  (cd "$work/$side" && sha256sum -- *.deb) >"$work/$side.sha256"
done

cat "$work/a.sha256"
if cmp -s "$work/a.sha256" "$work/second-folder.sha256"; then
  echo "Reproducible: both builds of $commit give the same packages"
else
  echo "Not reproducible: the second build gives" >&2
  cat "$work/second-folder.sha256" >&2
  exit 1
fi
