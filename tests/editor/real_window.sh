#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A teacher's way through the editor in a real window: an empty set, a spreadsheet with
# one bad line imported, the report read, the set saved, "Spielen" pressed, and one of
# the imported questions seen in the game's question dialog.
# Usage: real_window.sh BIN_DIR   (exit 77: the packages of `scripts/deps.sh --tests` are missing)
bin=$(realpath "$1")
. "$(dirname "$0")/../e2e/desktop_session.sh" tankjagd-editor-e2e
# An empty set takes its action cards from the shipped one; without them the game cannot start.
[ -s "$bin/mdbZielflagge.mdb" ] || fail "build the target shipped_database first"
work=$(mktemp -d)
# The game was started by the editor, not by the tool: it is ended here by its id.
on_exit() {
  kill $("$D" tree --app tankjagd 2>/dev/null | sed -n -E 's/^application "tankjagd" pid=([0-9]+).*/\1/p') 2>/dev/null
  rm -rf "$work"
}

# Exported from a spreadsheet: ";", CRLF, a level column; line 6 has only three answers.
printf '%s\r\n' 'Frage;Richtige Antwort;Falsch 1;Falsch 2;Falsch 3;Stufe' \
  'Wie viele Beine hat eine Spinne?;Acht;Sechs;Zehn;Vier;leicht' \
  'Welche Farbe hat das Rotkehlchen an der Brust?;Orangerot;Blau;Grün;Gelb;leicht' \
  'Wie heißt die Hauptstadt von Norwegen?;Oslo;Bergen;Stockholm;Helsinki;schwer' \
  'Wie viel ist sieben mal acht?;56;54;48;64;schwer' \
  'Welcher Planet ist der größte?;Jupiter;Saturn;Mars;;leicht' >"$work/klasse.csv"

"$D" run --cwd "$work" -- "$bin/tankjagd-editor" >/dev/null || fail "editor did not start"
"$D" click button "Leerer Fragensatz" >/dev/null || fail "no start question"
"$D" click button "Importieren …" >/dev/null 2>&1
"$D" wait dialog "Fragen importieren" >/dev/null || fail "no file dialog"
"$D" type "$work/klasse.csv" >/dev/null && "$D" key Return >/dev/null
"$D" click button "Weiter" >/dev/null || fail "no column step"
"$D" wait text "Bericht" >/dev/null || fail "no report"
report=$("$D" tree --app tankjagd-editor | grep 'text "Bericht"')
grep -qF 'text="4 Fragen übernommen, 1 übersprungen: Zeile 6: nur drei Antworten"' <<<"$report" || fail "report: $report"
"$D" click button "Übernehmen" >/dev/null || fail "cannot take the import"
"$D" wait "page tab" "Schwere Fragen (2)" >/dev/null || fail "hard questions not imported"

"$D" click button "Spielen" >/dev/null 2>&1
"$D" wait dialog "Fragensatz speichern" >/dev/null || fail "no save dialog"
"$D" key ctrl+a >/dev/null && "$D" type "$work/5b.mdb" >/dev/null && "$D" key Return >/dev/null
"$D" wait text "Spielername" --app tankjagd --timeout 20 >/dev/null || fail "game did not start"
[ -s "$work/5b.mdb" ] || fail "set not saved"

# Play until a question dialog shows; it must hold one of the imported questions.
"$D" click text "Spielername" >/dev/null; "$D" type "Anna" >/dev/null; "$D" click button "Weiter" >/dev/null
"$D" click text "Spielername" >/dev/null; "$D" type "Bert" >/dev/null; "$D" key Return >/dev/null
# The cars are buttons: pressing one chooses it (a mouse click may only give it the focus).
"$D" click button "rotes Auto" >/dev/null || fail "player 1 cannot choose a car"
"$D" click button "gelbes Auto" >/dev/null || fail "player 2 cannot choose a car"
# A button that can be pressed now (its description, if any, stands between name and state).
can() { grep -qE "push button \"$1\"( desc=\"[^\"]*\")? \[showing enabled" <<<"$tree"; }
for ((i = 0; SECONDS < 400; i++)); do
  tree=$("$D" tree --app tankjagd 2>/dev/null || true)
  if grep -qE '^  dialog "(Leicht|Schwer)"' <<<"$tree"; then
    grep -qE 'label "(Wie viele Beine hat eine Spinne\?|Welche Farbe hat das Rotkehlchen an der Brust\?|Wie heißt die Hauptstadt von Norwegen\?|Wie viel ist sieben mal acht\?)"' <<<"$tree" ||
      fail "question dialog without an imported question"
    echo "imported question shown in the game"; exit 0
  elif can "Leicht"; then "$D" click button "Leicht" >/dev/null
  elif can "Würfeln"; then "$D" click button "Würfeln" >/dev/null
  elif can "OK"; then "$D" click button "OK" >/dev/null
  elif can "Weiter"; then "$D" click button "Weiter" >/dev/null
  else sleep 0.2
  fi
done
fail "no question dialog after $i steps"
