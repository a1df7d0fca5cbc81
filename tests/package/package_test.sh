#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, unpacks it into a throwaway root and checks that
# it works from there: the command line from an empty folder, the menu entry,
# the metainfo, the manuals, the file type and lintian.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR CPACK
set -euo pipefail
build=$1 source=$2 cpack=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/tavora-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Its own output folder, so that a `make package` at the same time does not collide.
(cd "$build" && "$cpack" -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/tavora_*.deb)
root=$work/root
dpkg-deb -x "$deb" "$root"
cli=$root/usr/bin/tavora-cli
mkdir "$work/empty"

# The worked report, from a folder holding nothing of ours.
(cd "$work/empty" && "$cli" design --gap 10 --coax 'RG-213 (PE) 50 ohm') >"$work/report.txt" ||
  fail "tavora-cli design failed"
cmp -s "$work/report.txt" "$source/tests/data/report_144_rg213.txt" || fail "design report differs"

# No Coax.dta in the folder: the installed cables are used.
swr=$(cd "$work/empty" && "$cli" swr --reverse 4 --forward 100 \
  --cable 'LMR-400 50 ohm (Times)' --band '144 MHz' --length 30.48 2>&1) || fail "tavora-cli swr: $swr"
[ "$(head -1 <<<"$swr")" = "Coax lost= 1.5 dB" ] || fail "swr did not find the installed cables: $swr"

share=$root/usr/share
for f in Coax.dta vertical.bmp horizontal.bmp; do
  [ -f "$share/tavora/$f" ] || fail "share/tavora/$f is not installed"
done
for f in "$source"/data/examples/*.yag; do
  cmp -s "$f" "$share/tavora/examples/${f##*/}" || fail "example ${f##*/} is not installed"
done

# The manuals render without warnings, and list every command and option.
pages=("$share/man/man1/tavora-cli.1.gz")
[ -x "$root/usr/bin/tavora" ] && pages+=("$share/man/man1/tavora.1.gz")
for page in "${pages[@]}"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || fail "man -l $page"
  [ -z "$warnings" ] || fail "man -l $page: $warnings"
done
manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$share/man/man1/tavora-cli.1.gz" 2>/dev/null)
commands=$("$cli" --help | sed -n '/^Subcommands:/,$p' | awk 'NR > 1 && NF { print $1 }')
[ -n "$commands" ] || fail "no commands in tavora-cli --help"
for command in $commands; do
  grep -qE "^ +$command \[options\]" <<<"$manual" || fail "tavora-cli.1 lacks the command $command"
  for option in $("$cli" "$command" --help | grep -oE '^ +(-h,)?--[a-z0-9-]+' | grep -oE -- '--[a-z0-9-]+'); do
    grep -qF -- "$option" <<<"$manual" || fail "tavora-cli.1 lacks $command $option"
  done
done

# The band sizes that --freq brings, and the coax items --coax takes.
grep -q '8000 MHz and up' <<<"$manual" || fail "tavora-cli.1 lacks the band table"
[ "$("$cli" coax | wc -l)" -eq 46 ] || fail "tavora-cli coax does not list 46 items"

# The licence: the full text in the source, named in the copyright, the
# metainfo and each program's --version.
grep -q 'Version 3, 29 June 2007' "$source/LICENSE" || fail "LICENSE is not the GPL-3.0 text"
copyright=$share/doc/tavora/copyright
head -1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "copyright is not DEP-5"
grep -qx 'License: GPL-3.0-or-later' "$copyright" || fail "copyright does not name GPL-3.0-or-later"
programs=(tavora-cli)
[ -x "$root/usr/bin/tavora" ] && programs+=(tavora)
for program in "${programs[@]}"; do
  version=$("$root/usr/bin/$program" --version) || fail "$program --version exited $?"
  [ "$(head -1 <<<"$version")" = "$program $(dpkg-deb -f "$deb" Version)" ] || fail "$program --version: $version"
  grep -q 'GPL-3.0-or-later' <<<"$version" || fail "$program --version names no licence"
done
# No placeholder addresses; no home page field without a home page.
# (Fields are read whole first: grep -q ending a pipe early fails it under pipefail.)
control=$(dpkg-deb -I "$deb")
! { grep -rq 'example\.org' "$root" || grep -q 'example\.org' <<<"$control"; } ||
  fail "a placeholder address is in the package"
[ -z "$(dpkg-deb -f "$deb" Homepage)" ] || fail "Homepage names no real home page"
# The manual for a browser, registered with doc-base.
[ -f "$share/doc/tavora/html/index.html" ] && [ -f "$share/doc/tavora/html/images/results.png" ] ||
  fail "the manual's HTML is not in /usr/share/doc/tavora/html"
grep -qx 'Index: /usr/share/doc/tavora/html/index.html' "$share/doc-base/tavora" || fail "no doc-base entry"
grep -q 'NEC-2' <<<"$(dpkg-deb -f "$deb" Description)" || fail "the description does not mention NEC-2"

# The package's relations: libraries found by dpkg-shlibdeps, nec2c suggested.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libstdc++6' <<<"$depends" || fail "Depends lacks the C++ library: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = nec2c ] || fail "nec2c is not recommended"

if [ -x "$root/usr/bin/tavora" ]; then
  grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks Qt Widgets: $depends"
  # It starts from the package and is still running when stopped.
  rc=0
  (cd "$work/empty" && QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/tavora") >"$work/tavora.log" 2>&1 ||
    rc=$?
  [ "$rc" -eq 124 ] || fail "tavora ended with $rc: $(cat "$work/tavora.log")"
  desktop-file-validate "$share"/applications/*.desktop || fail "desktop-file-validate"
  appstreamcli validate --no-net --strict "$share"/metainfo/*.metainfo.xml || fail "appstreamcli validate"
  metainfo=$(cat "$share"/metainfo/*.metainfo.xml)
  grep -q '<project_license>GPL-3.0-or-later</project_license>' <<<"$metainfo" || fail "metainfo: project_license"
  grep -q '<metadata_license>CC0-1.0</metadata_license>' <<<"$metainfo" || fail "metainfo: metadata_license"
  grep -q 'NEC-2' <<<"$metainfo" || fail "the metainfo does not mention NEC-2"
  grep -q '^Categories=Education;Science;' "$share"/applications/*.desktop || fail "no main menu category"
  # The metainfo, its menu entry and its icon together, as software centres read them.
  appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
  for size in 16 32 48 128 256; do
    [ "$(file -b "$share/icons/hicolor/${size}x$size/apps/tavora.png" | cut -d, -f2)" = " $size x $size" ] ||
      fail "icon ${size}x$size"
  done
fi

[ -z "$(ls -A "$work/empty")" ] || fail "the programs wrote into the working folder"

# A .yag file is known by its type once the package's file types are registered.
cp -r "$share/mime" "$work/mime"
update-mime-database "$work/mime" >/dev/null 2>&1
grep -qx 'application/x-yo-yagi:\*\.yag' "$work/mime/globs" || fail ".yag has no file type"
grep -qx 'application/x-mmana-gal:\*\.maa' "$work/mime/globs" || fail ".maa has no file type"

# Errors fail the test; the warnings left are listed for reading.
lintian --fail-on error --info "$deb" >"$work/lintian.log" || fail "lintian reports errors"
cat "$work/lintian.log"
# The programs are built with Debian's hardening flags.
if grep -q "hardening-" "$work/lintian.log"; then fail "lintian finds the programs not hardened"; fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "package checks passed: $(basename "$deb")"
