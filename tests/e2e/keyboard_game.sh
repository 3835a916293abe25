#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole game on a virtual X display, played with key presses only: setup, race, winner,
# "neues Spiel", the second setup, and "Datei" → "Beenden" by its access keys. After every
# key the focused control is read through AT-SPI as a screen reader would, and its name
# and description must tell the step.
# Exits 77 (skipped) when the packages of `scripts/deps.sh --tests` are missing.
# Usage: tests/e2e/keyboard_game.sh BIN_DIR   (the folder with tankjagd and its files)
bin=$(realpath "$1")
. "$(dirname "$0")/desktop_session.sh" tankjagd-keys
"$D" run --cwd "$bin" -- ./tankjagd >/dev/null || fail "Spiel startet nicht"

# The focused control as a screen reader finds it: role "name" desc="…".
focused() { "$D" tree 2>/dev/null | grep -a ' focused' | tail -1 | sed -E 's/^ *//; s/ \[showing.*//'; }
# Waits until the focus has moved away from $1 (at most 20 s), prints and returns it.
moved() {
  local now
  sleep 0.2  # most steps have settled by then: one reading instead of two
  for _ in $(seq 80); do
    now=$(focused)
    [ -n "$now" ] && [ "$now" != "$1" ] && { echo "$now"; return; }
    sleep 0.25
  done
  fail "Fokus bleibt auf: $1"
}
press() { "$D" key "$1" >/dev/null || fail "Taste $1"; }
expect() { grep -qE -- "$2" <<<"$1" || fail "erwartet /$2/, gehört: $1"; }
heard() { echo "  $1"; }

"$D" wait text "Name von Spieler 1" --timeout 20 >/dev/null || fail "keine Namenseingabe"
for game in 1 2; do
  now=$(focused)
  expect "$now" '^text "Name von Spieler 1" desc="Bitte gib den Namen von Spieler 1 ein!'
  "$D" type "Anna" >/dev/null; press Return; now=$(moved "$now"); heard "$now"
  expect "$now" '^text "Name von Spieler 2" desc="Bitte gib den Namen von Spieler 2 ein!'
  "$D" type "Bert" >/dev/null; press Return; now=$(moved "$now"); heard "$now"
  expect "$now" '^push button "blaues Auto" desc="Bitte wähle dein Auto aus, Anna!'
  press Down; now=$(moved "$now"); press space; now=$(moved "$now"); heard "$now"
  expect "$now" 'Auto aus, Bert!'
  press Return; now=$(moved "$now")
  expect "$now" '^push button "Würfeln" desc=".* ist dran: '
  [ "$game" = 2 ] && break
  while :; do
    heard "$now"
    case "$now" in
      'push button "Würfeln"'*) expect "$now" ' ist dran: .* Stand: Anna [0-9]+ Liter, Feld [0-9]+; Bert ' ;;
      'push button "Leicht"'* | 'push button "Schwer"'*)
        expect "$now" ' würfelt [1-6]'
        [[ "$now" == 'push button "Leicht"'* ]] && { press Right; now=$(moved "$now"); heard "$now"; } ;;
      'push button "Ende"'*)
        expect "$now" ' hat gewonnen!'
        press Right; now=$(moved "$now"); expect "$now" '^push button "neues Spiel"'; press Return; now=$(moved "$now")
        break ;;
      'push button "Antwort 1 von 4: '*)
        # The question label, read with the dialog, holds the question; the right answer from
        # the shipped content is reached with the arrow keys, each answer named by its place.
        question=$("$D" text label | sed -nE 's/^Frage für [0-9]+ Liter: (.*) Antwort 1: .*/\1/p' | head -n 1)
        right=$(awk -F'\t' -v q="$question" '$1 == q { print $5; exit }' "$repo"/content/tabFragen_*.tsv)
        [ -n "$right" ] || fail "Frage nicht gehört: $question"
        for _ in 1 2 3; do
          [[ "$now" == "push button \"Antwort "?" von 4: $right\""* ]] && break
          press Right; now=$(moved "$now")
        done ;;
      'push button "weiter spielen!"'*) expect "$now" 'desc="(Richtig! .* hat jetzt [0-9]+ Liter|Falsch, .* Richtig war: )' ;;
      'push button "Weiter"'*) expect "$now" 'desc=".*(Aktionskarte: |muss einmal aussetzen)' ;;
      *) expect "$now" 'desc="' ;;
    esac
    press Return; now=$(moved "$now")
  done
done
press alt+d; "$D" key b >/dev/null 2>&1  # "Datei" → "Beenden"
for _ in $(seq 40); do
  "$D" status 2>/dev/null | grep -q "exited with code 0" && { echo "ein Spiel gewonnen, zweites Setup, Beenden"; exit 0; }
  sleep 0.25
done
fail "das Spiel endet nach \"Beenden\" nicht mit 0"
