#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing Tavora need.
# Only what is missing is installed, so a second run is quick and offline.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config ccache
  # core tests, benchmarks, command line
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  # fuzzing the file readers (clang's libFuzzer runtime)
  clang libclang-rt-14-dev
  # the Qt program: widgets, printing, help, tests
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libqt6help6 libqt6printsupport6
  # the manual: qhelpgenerator, and the SQLite driver Qt Help keeps its collection in
  qt6-documentation-tools libqt6sql6-sqlite
  libgl-dev libxkbcommon-dev
  # JPEG decoding: Qt's JPEG plugin (libqjpeg, shipped in libqt6gui6) is built on libjpeg
  libqt6gui6 libjpeg62-turbo qt6-image-formats-plugins
  # fonts standing in for Comic Sans MS, Arial and MS Sans Serif
  fonts-comic-neue fonts-liberation2 fonts-dejavu-core fontconfig
  # running the program without a screen, screenshots, reading printed PDFs
  xvfb xauth x11-utils imagemagick poppler-utils xdotool
  # the NEC-2 engine the simulation runs (found on the PATH at run time)
  nec2c
  # the Debian package: icon sizes drawn from the SVG, dpkg-shlibdeps, and the
  # checks of the unpacked package (menu entry, metainfo, manuals, file types)
  librsvg2-bin dpkg-dev file lintian desktop-file-utils appstream man-db shared-mime-info
  # comma-decimal locales: the suites run a second time under de_DE.UTF-8
  locales
)
# Generated from the locales package when the machine lacks them.
wanted_locales=(de_DE fr_FR)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

for l in "${wanted_locales[@]}"; do
  if ! locale -a | grep -qx "$l.utf8"; then
    echo "Generating $l.UTF-8"
    $SUDO localedef -i "$l" -c -f UTF-8 "$l.UTF-8"
  fi
done
