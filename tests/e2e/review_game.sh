#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A class's own set of 15 easy and 15 hard questions in the real window, played by keys: a
# whole game; the winner screen's "Rückblick" with every answer counted, right and wrong
# marked, printed to PDF through the print dialog; a new game, and in both games no
# question twice before all 15 of its level were asked; then "Datei → Themen …" keeps the
# game to one topic.
# Exits 77 (skipped) without the real-window tools or pdftotext.
# Usage: tests/e2e/review_game.sh BIN_DIR   (the folder with tankjagd, tankjagd-mkdb and the pictures)
bin=$(realpath "$1")
command -v pdftotext >/dev/null || { echo "skipped: pdftotext is missing (scripts/deps.sh --tests installs it)"; exit 77; }
. "$(dirname "$0")/desktop_session.sh" tankjagd-rueckblick
work=$(mktemp -d)
on_exit() { rm -rf "$work"; }

# The set: "Leichte Frage 3 zum Thema A?" and so on; the first 8 (7) of a level are topic A.
mkdir "$work/satz"
cp "$repo/content/tabAktion.tsv" "$work/satz/"
for level in leicht schwer; do
  out="$work/satz/tabFragen_$level.tsv"
  printf 'Frage\tAntwort1\tAntwort2\tAntwort3\tAntwort Richtig\n' >"$out"
  for i in $(seq 15); do
    topic=A; { [ $level = leicht ] && [ "$i" -gt 8 ]; } || { [ $level = schwer ] && [ "$i" -gt 7 ]; } && topic=B
    printf '%s Frage %d zum Thema %s?\tfalsch eins\tfalsch zwei\tfalsch drei\tstimmt\n' "${level^}e" "$i" $topic >>"$out"
    printf 'tabFragen_%s.tsv\t%d\t%s\n' $level $((i + 1)) $topic >>"$work/satz/themen.txt"
  done
done
"$bin/tankjagd-mkdb" "$work/satz.mdb" "$work/satz" || fail "tankjagd-mkdb"
"$D" run --cwd "$bin" -- ./tankjagd --fragen "$work/satz.mdb" >/dev/null || fail "Spiel startet nicht"

focused() { "$D" tree 2>/dev/null | grep -a ' focused' | tail -1 | sed -E 's/^ *//; s/ \[showing.*//'; }
moved() {  # waits until the focus leaves $1, prints where it went
  local now
  for _ in $(seq 80); do
    sleep 0.25
    now=$(focused)
    [ -n "$now" ] && [ "$now" != "$1" ] && { echo "$now"; return; }
  done
  fail "Fokus bleibt auf: $1"
}
press() { "$D" key "$@" >/dev/null || fail "Taste $*"; }
setup() {  # names and cars by keys; ends on the board's die button
  "$D" wait text "Name von Spieler 1" --timeout 30 >/dev/null || fail "keine Namenseingabe"
  local now; now=$(focused)
  "$D" type "Anna" >/dev/null; press Return; now=$(moved "$now")
  "$D" type "Bert" >/dev/null; press Return; now=$(moved "$now")
  press Down; now=$(moved "$now"); press space; now=$(moved "$now"); press Return; now=$(moved "$now")
  [[ "$now" == 'push button "Würfeln"'* ]] || fail "kein Würfeln nach der Einrichtung: $now"
}
# Plays from the board until the winner screen, or until $asked holds $1 questions. With
# $2 = mixed: hard three times, then easy, three answers right, then one wrong (the race
# soon ends); otherwise every question easy and answered wrong (the cars soon stand still:
# no one wins). Each question goes to $asked, one per line.
asked=$work/gefragt; : >"$asked"
right=0 total=0
play() {
  local limit=$1 mixed=$2 now wrong level; now=$(focused)
  while :; do
    case "$now" in
      'push button "Ende"'*) return 1 ;;
      'push button "Leicht"'* | 'push button "Schwer"'*)  # the level dialog keeps the last choice's focus
        level='"Leicht"'; [ "$mixed" = mixed ] && [ $((total % 4)) != 3 ] && level='"Schwer"'
        [[ "$now" == "push button $level"* ]] || { press Right; now=$(moved "$now"); } ;;
      'push button "Antwort 1 von 4: '*)  # the question label holds the question
        "$D" tree | sed -nE 's/^ *label "Frage für [0-9]+ Liter: (.*) Antwort 1: .*/\1/p' | head -n 1 | tee -a "$asked"
        total=$((total + 1))
        wrong=1; [ "$mixed" = mixed ] && [ $((total % 4)) != 0 ] && wrong=0
        for _ in 1 2 3; do  # to "stimmt" for a right answer, away from it for a wrong one
          [[ "$now" == 'push button "Antwort '?' von 4: stimmt"'* ]] && [ $wrong = 0 ] && break
          [[ "$now" != 'push button "Antwort '?' von 4: stimmt"'* ]] && [ $wrong = 1 ] && break
          press Right; now=$(moved "$now")
        done
        [[ "$now" == 'push button "Antwort '?' von 4: stimmt"'* ]] && right=$((right + 1)) ;;
      'push button "weiter spielen!"'*)
        [ "$(wc -l <"$asked")" -ge "$limit" ] && { press Return; moved "$now" >/dev/null; return; } ;;
    esac
    press Return; now=$(moved "$now")
  done
}
easy() { grep -c '^Leichte ' "$asked"; }

setup
play 1000 mixed
[[ "$(focused)" == 'push button "Ende"'* ]] || fail "kein Siegerbildschirm"
echo "ein ganzes Spiel: $total Fragen, $right richtig"
game=$total game_right=$right
# The winner screen's "Rückblick": the tallies add up to what was asked and answered right.
"$D" click button "Rückblick" >/dev/null || fail "kein Rückblick auf dem Siegerbildschirm"
"$D" wait table "Fragen dieses Spiels" --timeout 10 >/dev/null || fail "Rückblick ohne Tabelle"
tree=$("$D" tree)
stand=$(grep -a '^ *label "Anna – leicht' <<<"$tree" | head -1)
read -r -a n <<<"$(grep -oE '[0-9]+ von [0-9]+' <<<"$stand" | tr -d 'von' | tr '\n' ' ')"
[ "${#n[@]}" = 8 ] || fail "Stand nicht lesbar: $stand"
[ $((n[0] + n[2] + n[4] + n[6])) = "$game_right" ] && [ $((n[1] + n[3] + n[5] + n[7])) = "$game" ] ||
  fail "Rückblick zählt anders ($stand), gespielt: $game Fragen, $game_right richtig"
grep -aq 'table cell "✔ richtig"' <<<"$tree" && grep -aq 'table cell "✘ falsch"' <<<"$tree" ||
  fail "richtig und falsch nicht mit Zeichen und Wort markiert"

# Printed to PDF through the print dialog; every answer is on the page.
"$D" click button "Drucken …" >/dev/null || fail "kein Drucken"
"$D" click text "Ausgabedatei:" >/dev/null || fail "der Druckdialog bietet keine PDF-Datei an"
press ctrl+a; "$D" type "$work/rueckblick.pdf" >/dev/null
"$D" click button "Drucken" >/dev/null || fail "Drucken im Druckdialog"
for _ in $(seq 40); do [ -s "$work/rueckblick.pdf" ] && break; sleep 0.25; done
pdf=$(pdftotext "$work/rueckblick.pdf" - 2>/dev/null) || fail "keine PDF-Datei geschrieben"
[ "$(grep -o '[✔✘]' <<<"$pdf" | wc -l)" = "$game" ] || fail "das PDF hat nicht jede der $game Antworten"
"$D" click button "Schließen" >/dev/null || fail "Rückblick schließt nicht"

# A new game goes on with the decks: until more than one round of easy questions was asked
# in both games, each run of 15 from the first question of the program holds 15 different
# ones. Then topic A only: every question is one of topic A.
"$D" click button "neues Spiel" >/dev/null || fail "kein neues Spiel"
setup
while [ "$(easy)" -lt 18 ]; do play $(($(wc -l <"$asked") + 1)) wrong || fail "gewonnen, ohne richtig zu antworten"; done
for level in Leichte Schwere; do
  grep "^$level " "$asked" | awk -v l=$level '{ r = int((NR - 1) / 15); if (seen[r, $0]++) { print l " doppelt: " $0; bad = 1 } }
    END { exit bad }' || fail "eine Frage kam doppelt, bevor alle 15 dran waren"
done
echo "zwei Spiele: $(easy) leichte Fragen, keine doppelt vor dem Ende einer Runde"
press alt+d; press h
"$D" click "check box" "B (7 leichte, 8 schwere Fragen)" >/dev/null || fail "keine Themen zur Wahl"
"$D" click button "Übernehmen" >/dev/null || fail "Themen nicht übernommen"
"$D" wait button "Würfeln" --timeout 10 >/dev/null || fail "kein Spielbrett nach den Themen"
: >"$asked"
play 6 wrong || fail "gewonnen, ohne richtig zu antworten"
grep -v 'zum Thema A?$' "$asked" && fail "Frage außerhalb des gewählten Themas"
echo "Themen: 6 Fragen, alle zum Thema A"

press alt+d; press b  # "Datei" → "Beenden"
for _ in $(seq 40); do
  "$D" status 2>/dev/null | grep -q "exited with code 0" && exit 0
  sleep 0.25
done
fail "das Spiel endet nach \"Beenden\" nicht mit 0"
