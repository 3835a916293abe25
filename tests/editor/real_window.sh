#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A teacher's way through the editor in a real window: a spreadsheet (Calc's .xlsx, two
# sheets) opened and taken as a new set, the report read, a question previewed and answered
# right, the set saved by "Spielen", and one of the imported questions seen in the game's
# question dialog.
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

# Rows 9 (three answers) and 11 (row 10 again) are skipped; tests/data/import/README.md.
cp "$(dirname "$0")/../data/import/calc_fragen.xlsx" "$work/klasse.xlsx"
"$D" run --cwd "$work" -- "$bin/tankjagd-editor" "$work/klasse.xlsx" >/dev/null || fail "editor did not start"
# The offer's button follows the tool bar's of the same name, which the offer covers.
"$D" click button "Importieren …" --nth 2 >/dev/null || fail "no offer to import the table"
"$D" wait dialog "Tabellenblatt wählen" >/dev/null && "$D" click button "OK" >/dev/null || fail "no choice of sheet"
"$D" click button "Weiter" >/dev/null || fail "no column step"
"$D" wait text "Bericht" >/dev/null || fail "no report"
report=$("$D" tree --app tankjagd-editor | grep 'text "Bericht"')
grep -qF 'text="7 Fragen übernommen, 2 übersprungen:\nZeile 9: „Welcher Fluss fließt …“ – nur drei Antworten\nZeile 11: „Wie heißt die Hauptstadt …“ – steht schon in Zeile 10"' <<<"$report" ||
  fail "report: $report"
"$D" click button "Übernehmen" >/dev/null || fail "cannot take the import"
"$D" wait "page tab" "Schwere Fragen (2)" >/dev/null || fail "hard questions not imported"
"$D" key ctrl+z >/dev/null && "$D" wait "page tab" "Schwere Fragen (0)" >/dev/null || fail "Ctrl+Z does not undo"
"$D" key ctrl+y >/dev/null && "$D" wait "page tab" "Schwere Fragen (2)" >/dev/null || fail "Ctrl+Y does not redo"
"$D" click "menu item" "Hilfe" >/dev/null && "$D" click "menu item" "Anleitung" >/dev/null &&
  "$D" wait dialog "Anleitung – Fragen-Editor" >/dev/null && "$D" click button "Schließen" >/dev/null || fail "no guide"

# The preview pays an easy question's reward and closes with Escape.
"$D" click "table cell" "Wie viele Tage hat ein Schaltjahr?" --mouse >/dev/null && "$D" key F5 >/dev/null
"$D" click button "von 4: 366" --contains >/dev/null || fail "no preview"
"$D" text label | grep -qx "Super gemacht! Du erhältst 2 Tankpunkte. Weiter so!!!" || fail "preview pays no reward"
"$D" key Escape >/dev/null && "$D" wait dialog "Leichte Frage" --gone >/dev/null || fail "Escape leaves the preview open"

"$D" click button "Spielen" >/dev/null 2>&1
"$D" wait dialog "Fragensatz speichern" >/dev/null || fail "no save dialog"
# Typed without its ending, the name still meets the file it would replace.
echo alt >"$work/5b.mdb"
"$D" key ctrl+a >/dev/null && "$D" type "$work/5b" >/dev/null && "$D" key Return >/dev/null
"$D" wait label "„5b.mdb“ gibt es schon. Soll die Datei ersetzt werden?" >/dev/null && "$D" click button "Ersetzen" \
  >/dev/null || fail "an existing set is replaced without asking"
"$D" wait "status bar" "Gespeichert in „5b.mdb“. Das Spiel startet mit diesem Fragensatz …" >/dev/null ||
  fail "Spielen does not say it saved"
"$D" wait text "Name von Spieler 1" --app tankjagd --timeout 20 >/dev/null || fail "game did not start"
[ "$(head -c 15 "$work/5b.mdb")" = "SQLite format 3" ] || fail "set not saved"

# Play until a question dialog shows; it must hold one of the imported questions.
"$D" click text "Name von Spieler 1" >/dev/null; "$D" type "Anna" >/dev/null; "$D" click button "Weiter" >/dev/null
"$D" click text "Name von Spieler 2" >/dev/null; "$D" type "Bert" >/dev/null; "$D" key Return >/dev/null
# The cars are buttons: pressing one chooses it (a mouse click may only give it the focus).
"$D" click button "rotes Auto" >/dev/null || fail "player 1 cannot choose a car"
"$D" click button "gelbes Auto" >/dev/null || fail "player 2 cannot choose a car"
# A button that can be pressed now (its description, if any, stands between name and state).
can() { grep -qE "push button \"$1\"( desc=\"[^\"]*\")? \[showing enabled" <<<"$tree"; }
for ((i = 0; SECONDS < 400; i++)); do
  tree=$("$D" tree --app tankjagd 2>/dev/null || true)
  if grep -qE '^  dialog "(Leichte|Schwere) Frage"' <<<"$tree"; then
    grep -qE 'label "Frage für [0-9]+ Liter: (Wie viele Tage hat ein Schaltjahr|Wie viel ist die Hälfte von eins|Welches Tier ist kein Säugetier|Wann fiel die Berliner Mauer|Wie viel Prozent sind ein Viertel|Wie viel ist 7 mal 8|Wie heißt die Hauptstadt von Frankreich)\? Antwort 1: ' <<<"$tree" ||
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
