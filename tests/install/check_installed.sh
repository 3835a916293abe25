#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# check_installed.sh <build-dir> <installed_play>
# Installs the build into a temporary prefix, checks the installed layout and the desktop
# files, then starts the installed game from an unrelated folder: it must keep running for
# 5 seconds without reporting a missing picture, document or database.
set -eu
build=$1 player=$2 tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in games/tankjagd games/tankjagd-mkdb lib/games/tankjagd/tankjagd-vorlesen.so \
         share/tankjagd/mdbZielflagge.mdb \
         share/tankjagd/wuerfel/w1.gif share/tankjagd/wuerfel/w6.gif share/tankjagd/toene/gewonnen.wav \
         "share/tankjagd/autos/rotes auto rechts.gif" "share/tankjagd/autos/rotes auto links.gif" \
         share/doc/tankjagd/copyright share/doc/tankjagd/changelog.gz \
         share/man/man6/tankjagd.6.gz share/man/de/man6/tankjagd.6.gz share/man/man6/tankjagd-mkdb.6.gz \
         share/applications/de.tankjagd.TankJagd.desktop \
         share/metainfo/de.tankjagd.TankJagd.metainfo.xml \
         share/icons/hicolor/48x48/apps/de.tankjagd.TankJagd.png \
         games/tankjagd-editor share/man/man6/tankjagd-editor.6.gz \
         share/applications/de.tankjagd.TankJagd.Editor.desktop \
         share/icons/hicolor/48x48/apps/de.tankjagd.TankJagd.Editor.png; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
! command -v appstreamcli >/dev/null 2>&1 || appstreamcli validate --no-net \
  "$prefix/share/metainfo/de.tankjagd.TankJagd.metainfo.xml" >/dev/null || fail "appstreamcli rejects the metainfo"
if command -v desktop-file-validate >/dev/null 2>&1; then
  for d in "$prefix"/share/applications/*.desktop; do desktop-file-validate "$d" || fail "$d invalid"; done
fi
grep -q '^Exec=tankjagd$' "$prefix/share/applications/de.tankjagd.TankJagd.desktop" || fail "Exec is not tankjagd"

# The build tree must not be what the installed program reads from.
mkdir "$tmp/elsewhere" && cd "$tmp/elsewhere"
status=0
QT_QPA_PLATFORM=offscreen timeout -s TERM 5 "$prefix/games/tankjagd" >"$tmp/out" 2>"$tmp/err" || status=$?
[ "$status" -eq 124 ] || { cat "$tmp/err" >&2; fail "the installed game ended with status $status within 5 s"; }
if grep -v -e '^QStandardPaths' -e 'XDG_RUNTIME_DIR' -e 'does not support' "$tmp/err" | grep -q .; then
  cat "$tmp/err" >&2
  fail "the installed game reported problems"
fi
# Played from there: setup, board, a roll and a question, all from the installed folder.
"$player" "$prefix/games" || fail "the installed game could not be played from $PWD"
echo "installed tree: files present, game ran 5 s and played into a question from $PWD"
