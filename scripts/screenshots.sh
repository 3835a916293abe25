#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays Tank Jagd on a virtual X display and saves a screenshot of each of its ten screens
# in docs/screenshots/, driven through the accessibility bus by the project's window driver
# (tools/windriver; `scripts/deps.sh --tests` installs what it needs). The game keeps being
# played until the action card, the skip notice and the winner have shown; that takes a few
# minutes.
#
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default: build; needs bin/tankjagd in it)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=docs/screenshots
D=tools/windriver/windriver.py
export WINDRIVER_NAME=tankjagd-shots-$$
[ -x "$build/bin/tankjagd" ] || { echo "no $build/bin/tankjagd: build the game first" >&2; exit 2; }
mkdir -p "$out"

"$D" start --size 1280x800 >/dev/null
trap '"$D" stop >/dev/null 2>&1; rm -rf "/tmp/windriver-$WINDRIVER_NAME.d"' EXIT
"$D" run --cwd "$build/bin" -- ./tankjagd >/dev/null

shot() { [ -e "$out/$1.new.png" ] || { "$D" shot "$out/$1.new.png" >/dev/null; echo "  $1"; }; }
have() { [ -e "$out/$1.new.png" ]; }
# A button of the accessible tree $tree that can be pressed now (a description may stand
# between its name and its states).
can() { grep -qE "push button \"$1\"( desc=\"[^\"]*\")? \[showing enabled" <<<"$tree"; }
# The answer to click in the question dialog of the accessible tree $tree: the right one
# from the shipped content when the question is found there (so the race moves on), else
# the first one.
# The question label's name holds the question; each answer button is named by its place.
pick_answer() {
  local dialog q right place
  dialog=$(sed -n -E '/^  dialog "(Leichte|Schwere) Frage"/,/^  [a-z]/p' <<<"$tree")
  q=$(sed -nE 's/^ *label "Frage für [0-9]+ Liter: (.*) Antwort 1: .*/\1/p' <<<"$dialog" | head -n 1)
  right=$(awk -F'\t' -v q="$q" '$1 == q { print $5; exit }' content/tabFragen_*.tsv)
  if [ -n "$right" ]; then
    place=$(grep -F "von 4: $right\"" <<<"$dialog" | grep '\[showing enabled' | grep -oE 'Antwort [1-4] von 4: ' | head -1)
    [ -n "$place" ] && { echo "$place$right"; return; }
  fi
  grep -E 'push button "Antwort [^"]*"( desc="[^"]*")? \[showing enabled' <<<"$dialog" | head -1 |
    sed -E 's/^ *push button "([^"]*)".*/\1/'
}
rm -f "$out"/*.new.png

# 1 the countdown
"$D" wait label "3" >/dev/null
shot 01-start
# 2 the setup: both names, then player 1's choice of car
"$D" wait text "Name von Spieler 1" --timeout 15 >/dev/null
"$D" click text "Name von Spieler 1" >/dev/null; "$D" type "Anna" >/dev/null; "$D" click button "Weiter" >/dev/null
"$D" click text "Name von Spieler 2" >/dev/null; "$D" type "Bert" >/dev/null; "$D" key Return >/dev/null
"$D" wait button "rotes Auto" >/dev/null
shot 02-setup
"$D" click button "rotes Auto" >/dev/null
"$D" wait button "gelbes Auto" >/dev/null
sleep 1  # the red car drives out
"$D" click button "gelbes Auto" >/dev/null
# 3 the board
"$D" wait button "Würfeln" --timeout 15 >/dev/null
sleep 0.5
shot 03-board
# 10 the instructions, from the board's menu
"$D" click "menu item" "Hilfe" >/dev/null
"$D" click "menu item" "Anleitung" >/dev/null
"$D" wait button "Ausblenden" >/dev/null
sleep 0.5
shot 10-instructions
"$D" click button "Ausblenden" >/dev/null

# Play on until the action card, the skip notice and the winner have been seen.
set +e  # a click that misses (a window closing meanwhile) is tried again next round
for ((i = 0; i < 2000; i++)); do
  tree=$("$D" tree 2>/dev/null || true)
  if can "neues Spiel"; then
    sleep 0.3; shot 09-winner
    if have 07-action && have 08-skip; then break; fi
    "$D" click button "neues Spiel" >/dev/null
    # a new race: the same names and cars again
    "$D" wait text "Name von Spieler 1" --timeout 15 >/dev/null
    "$D" click text "Name von Spieler 1" >/dev/null; "$D" type "Anna" >/dev/null; "$D" click button "Weiter" >/dev/null
    "$D" click text "Name von Spieler 2" >/dev/null; "$D" type "Bert" >/dev/null; "$D" key Return >/dev/null
    "$D" click button "rotes Auto" >/dev/null; "$D" wait button "gelbes Auto" >/dev/null; sleep 1
    "$D" click button "gelbes Auto" >/dev/null; "$D" wait button "Würfeln" --timeout 15 >/dev/null
  elif grep -q 'AAAAND ACTION' <<<"$tree"; then
    sleep 0.3; shot 07-action
    "$D" click button "Weiter" >/dev/null
  elif grep -qE '^  dialog "Aussetzen"' <<<"$tree"; then
    sleep 0.3; shot 08-skip
    "$D" click button "Weiter" >/dev/null
  elif can "Leicht"; then
    shot 04-level
    if have 05-easy; then "$D" click button "Schwer" >/dev/null; else "$D" click button "Leicht" >/dev/null; fi
  elif can "weiter spielen!"; then
    "$D" click button "weiter spielen!" >/dev/null
  elif grep -qE '^  dialog "(Leichte|Schwere) Frage"' <<<"$tree"; then
    level=$(grep -oE '^  dialog "(Leichte|Schwere) Frage"' <<<"$tree" | head -1 | cut -d'"' -f2)
    sleep 0.3
    if [ "$level" = "Leichte Frage" ]; then shot 05-easy; else shot 06-hard; fi
    # an answer: the first enabled button of the question
    answer=$(pick_answer || true)
    [ -n "$answer" ] && { "$D" click button "$answer" >/dev/null || true; }
  elif can "Würfeln"; then
    "$D" click button "Würfeln" >/dev/null || true
  elif can "OK"; then
    "$D" click button "OK" >/dev/null
  elif can "Weiter"; then
    "$D" click button "Weiter" >/dev/null
  else
    sleep 0.2
  fi
done

for f in 01-start 02-setup 03-board 04-level 05-easy 06-hard 07-action 08-skip 09-winner 10-instructions; do
  if [ -e "$out/$f.new.png" ]; then mv "$out/$f.new.png" "$out/$f.png"; else echo "missing: $f" >&2; fi
done
"$D" click button "Ende" >/dev/null 2>&1 || true
