#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence's SPDX line at the top of every source file that lacks it,
# in the comment form of the file's language (after a #! line), so that
# licensecheck and other tools see each file's licence. A second run changes
# nothing. Documentation and data (the manual's pages, test data, the fuzz
# corpora) are left as they are: the licence of those is in debian/copyright.
#   scripts/add-spdx.sh [TREE]    TREE defaults to this checkout
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
line='SPDX-License-Identifier: GPL-3.0-or-later'

# The checkout's own files; an unpacked tree's files outside build folders.
files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files
  else
    find . -type d \( -name .git -o -name 'build*' -o -name 'obj-*' -o -path ./debian/tavora \
      -o -path ./debian/.debhelper \) -prune -o -type f -print | sed 's|^\./||'
  fi
}

# The comment that opens a line in the file, or nothing for a file that is no source.
comment() {
  case $1 in
    *.cpp | *.h) echo '//' ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | Makefile | *.sh) echo '#' ;;
    *) if head -n 1 "$1" | grep -qE '^#!.*(sh|make)( |$)'; then echo '#'; fi ;;
  esac
}

changed=0
while IFS= read -r file; do
  [ -f "$file" ] || continue
  prefix=$(comment "$file")
  [ -n "$prefix" ] || continue
  head -n 3 "$file" | grep -q 'SPDX-License-Identifier:' && continue
  if [ ! -s "$file" ]; then
    echo "$prefix $line" >"$file"
  elif head -n 1 "$file" | grep -q '^#!'; then
    sed -i "1a $prefix $line" "$file"
  else
    sed -i "1i $prefix $line" "$file"
  fi
  changed=$((changed + 1))
done < <(files)
echo "SPDX line added to $changed file(s)"
