// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/spoken.h"

namespace tj::spoken {

namespace {
const std::string kGoOn = " Weiter mit der Eingabe- oder Leertaste.";

std::string felder(int n) { return std::to_string(n) + (n == 1 ? " Feld" : " Felder"); }

std::string tank(int fuel) {
  return fuel <= 0 ? "Der Tank ist leer." : "Noch " + std::to_string(fuel) + " Liter im Tank.";
}

std::string stand(const Stand& s) {
  return s.name + " " + std::to_string(s.fuel) + " Liter, Feld " + std::to_string(s.field);
}
}  // namespace

std::string roll(const std::string& name, int roll, int fields, int fuel, int field, int goal) {
  std::string s = name + " würfelt " + std::to_string(roll);
  if (fields <= 0) return s + ", hat kein Benzin und bleibt auf Feld " + std::to_string(field) + ".";
  s += " und fährt " + felder(fields);
  if (fields < roll) s += ", so weit das Benzin reicht,";
  s += field >= goal ? " bis ins Ziel." : " bis Feld " + std::to_string(field) + ".";
  return s + " " + tank(fuel);
}

std::string lastMove(const RaceGame& race) {
  const MoveReport& m = race.lastMove();
  if (m.player == 0) return {};
  return roll(playerName(race.state(), m.player), m.roll, m.steps, m.fuel, m.field, race.vars().ZielFeld.value());
}

std::string turn(const std::string& name, const Stand& p1, const Stand& p2) {
  return name + " ist dran: würfeln mit der Eingabe- oder Leertaste. Stand: " + stand(p1) + "; " + stand(p2) + ".";
}

std::string turnAloud(const std::string& name) { return name + " ist dran."; }

std::string level(int easyReward, int hardReward) {
  return "Schwierigkeitsgrad der Frage wählen: Leicht bringt " + std::to_string(easyReward) + " Liter, Schwer " +
         std::to_string(hardReward) +
         " Liter für eine richtige Antwort. Pfeiltasten wechseln, Eingabe- oder "
         "Leertaste wählt.";
}

std::string levelAloud(int easyReward, int hardReward) {
  return "Leichte Frage für " + std::to_string(easyReward) + " Liter oder schwere Frage für " +
         std::to_string(hardReward) + " Liter?";
}

std::string questionAloud(const std::string& text, const std::array<std::string, 4>& answers, int reward) {
  std::string s = "Frage für " + std::to_string(reward) + " Liter: " + text;
  for (std::size_t i = 0; i < answers.size(); ++i) s += " Antwort " + std::to_string(i + 1) + ": " + answers[i] + ".";
  return s;
}

std::string question(const std::string& text, const std::array<std::string, 4>& answers, int reward) {
  return questionAloud(text, answers, reward) +
         " Antworten mit den Tasten 1 bis 4, oder Pfeiltasten wechseln, Eingabe- oder Leertaste antwortet.";
}

std::string answerName(int slot, const std::string& answer) {
  return "Antwort " + std::to_string(slot + 1) + " von 4: " + answer;
}

std::string answerAloud(bool right, const std::string& name, int paid, int fuel, const std::string& rightAnswer) {
  if (right)
    return "Richtig! " + name + " bekommt " + std::to_string(paid) + " Liter und hat jetzt " + std::to_string(fuel) +
           " Liter im Tank.";
  return "Falsch, keine Tankpunkte. Richtig war: " + rightAnswer + ".";
}

std::string answer(bool right, const std::string& name, int paid, int fuel, const std::string& rightAnswer) {
  return answerAloud(right, name, paid, fuel, rightAnswer) + kGoOn;
}

std::string cardAloud(const std::string& title, const std::string& text, const std::string& name, int fuelAfter) {
  const std::string s = "Aktionskarte: " + title + ". " + text;
  return name.empty() ? s : s + " Dann hat " + name + " " + std::to_string(fuelAfter) + " Liter im Tank.";
}

std::string card(const std::string& title, const std::string& text, const std::string& name, int fuelAfter) {
  return cardAloud(title, text, name, fuelAfter) + kGoOn;
}

std::string skipAloud(const std::string& name) { return name + " muss einmal aussetzen."; }
std::string skip(const std::string& name) { return skipAloud(name) + kGoOn; }

std::string winnerAloud(const std::string& name) { return name + " hat gewonnen!"; }
std::string winner(const std::string& name) {
  return winnerAloud(name) + " Ende oder neues Spiel: Pfeiltasten wechseln, Eingabe- oder Leertaste wählt.";
}

std::string nameBoxName(int player) { return "Name von Spieler " + std::to_string(player); }

std::string nameBox(const std::string& instruction) { return instruction + " Bestätigen mit der Eingabetaste."; }

std::string carChoice(const std::string& instruction) {
  return instruction + " Pfeiltasten wechseln das Auto, Eingabe- oder Leertaste wählt es.";
}

}  // namespace tj::spoken
