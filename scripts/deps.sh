#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, playing and testing Tank Jagd needs on Debian 12.
# Packages already present are left alone; runs apt-get only when something is missing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6gui6
  libsqlite3-dev mdbtools-dev
  libzip-dev libexpat1-dev libfreexl-dev
  libpulse-dev
  libfreetype-dev libfontconfig-dev libharfbuzz-dev
  libgtest-dev
  fonts-liberation2 fonts-comic-neue fonts-dejavu-core
  qt6-translations-l10n
  # Reading aloud: Qt's text to speech (its header needs Qt Quick's QML integration header),
  # the speech-dispatcher service and the German voice of espeak-ng.
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
)
if [ "${1:-}" = "--tests" ]; then
  # appstream and desktop-file-utils check the desktop files, dpkg-dev and fakeroot build the package,
  # lintian judges it, clang and its runtime build the fuzz targets, a private pulseaudio with parec and
  # sox hears the sounds. The real-window tests run the programs on a virtual display (xvfb) with a
  # private session bus and the accessibility bus (dbus-daemon, at-spi2-core), read and press them
  # as a screen reader does (python3-pyatspi), type with xdotool and keep a screenshot of a failure
  # (python3-pil); Orca on such a display tells what a screen reader says; pdftotext (poppler-utils)
  # reads a page the game printed to PDF.
  packages+=(appstream desktop-file-utils dpkg-dev fakeroot file lintian clang libclang-rt-14-dev pulseaudio
             pulseaudio-utils sox orca xvfb xdotool dbus-daemon at-spi2-core python3-pyatspi python3-pil poppler-utils)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
