// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/topics/frm_themen.h"

#include <algorithm>

#include "screens/app.h"
#include "screens/record_dialog.h"

namespace tj {

namespace {

constexpr float kWidth = 7440;
constexpr float kRow = 390;  // one check box and the gap below it
constexpr float kListTop = 840;
constexpr const char* kMessageTitle = "Tank Jagd – Themen";

float listHeight(std::size_t topics) {
  return static_cast<float>(std::min<std::size_t>(std::max<std::size_t>(topics, 1), FrmThemen::kVisibleRows)) * kRow +
         120;
}
float buttonTop(std::size_t topics) { return kListTop + listHeight(topics) + 240; }

WindowSpec topicsWindow(std::size_t topics) {
  return WindowSpec::dialog("Themen", kWidth, buttonTop(topics) + 435 + 240, kCream, "Themen");
}

std::string rowCaption(const TopicRow& row) {
  return (row.topic.empty() ? std::string("Ohne Thema") : row.topic) + " (" + std::to_string(row.easy) + " leichte, " +
         std::to_string(row.hard) + " schwere Fragen)";
}

}  // namespace

FrmThemen::Loaded FrmThemen::load(App& app) {
  try {
    openDeck(app, DeckId::Easy);
    openDeck(app, DeckId::Hard);
  } catch (const std::exception& e) {
    return {{}, std::string(e.what()) + "\n\nDie Themen können nicht gewählt werden. Das Spiel geht weiter."};
  }
  std::vector<TopicRow> rows = topicRows(app.race.deck(DeckId::Easy), app.race.deck(DeckId::Hard));
  if (rows.size() <= 1 && (rows.empty() || rows[0].topic.empty()))
    return {{}, "Die Fragen dieses Fragensatzes haben keine Themen. Es wird aus allen Fragen gefragt."};
  return {std::move(rows), std::nullopt};
}

std::vector<TopicRow> topicRows(const Deck& easy, const Deck& hard) {
  std::vector<TopicRow> rows;
  auto rowOf = [&rows](const std::string& topic) -> TopicRow& {
    auto it = std::find_if(rows.begin(), rows.end(), [&](const TopicRow& r) { return r.topic == topic; });
    if (it != rows.end()) return *it;
    return rows.emplace_back(TopicRow{topic});
  };
  for (const TopicCount& c : easy.topics()) rowOf(c.topic).easy = c.records;
  for (const TopicCount& c : hard.topics()) rowOf(c.topic).hard = c.records;
  return rows;
}

FrmThemen::FrmThemen(App& app) : FrmThemen(app, load(app)) {}

FrmThemen::FrmThemen(App& app, Loaded loaded)
    : Screen(app, kName, topicsWindow(loaded.rows.size())),
      lblFrage(add("lblFrage", ElementKind::Label, 240, 120, kWidth - 480, 600,
                   "Aus welchen Themen soll gefragt werden? Die Wahl gilt, bis das Programm endet.")),
      fraThemen(add("fraThemen", ElementKind::Frame, 240, kListTop, kWidth - 480, listHeight(loaded.rows.size()))),
      cmdAlle(add("cmdAlle", ElementKind::Button, 240, buttonTop(loaded.rows.size()), 2160, 435, "Alle wählen")),
      cmdUebernehmen(
          add("cmdUebernehmen", ElementKind::Button, 2640, buttonTop(loaded.rows.size()), 2160, 435, "Übernehmen")),
      cmdAbbrechen(
          add("cmdAbbrechen", ElementKind::Button, 5040, buttonTop(loaded.rows.size()), 2160, 435, "Abbrechen")),
      topics_(std::move(loaded.rows)),
      message_(std::move(loaded.message)) {
  lblFrage.transparent = true;
  lblFrage.setForeColor(Color::rgb(0, 0, 128));
  lblFrage.font = Font{"Tahoma", 9.75f, true};
  fraThemen.setBackColor(Color::rgb(255, 255, 255));
  fraThemen.scrolls = true;
  fraThemen.accessibleName = "Themen";
  const TopicChoice& choice = app.race.topicChoice();
  for (std::size_t i = 0; i < topics_.size(); ++i) {
    Element& c = add("chkThema(" + std::to_string(i) + ")", ElementKind::CheckBox, 120,
                     60 + static_cast<float>(i) * kRow, kWidth - 480 - 480, 360, rowCaption(topics_[i]));
    c.container = &fraThemen;
    c.setBackColor(Color::rgb(255, 255, 255));
    c.font = Font{"Tahoma", 9.75f};
    c.setValue(choice.allows(topics_[i].topic));
    c.tabIndex = static_cast<int>(i);
    chkThema_.push_back(&c);
  }
  int tab = static_cast<int>(topics_.size());
  for (Element* b : {&cmdAlle, &cmdUebernehmen, &cmdAbbrechen}) {
    b->setBackColor(kPastelYellow);
    b->font = Font{"MS Sans Serif", 9.75f, true};
    b->tabIndex = tab++;
  }
  cmdAlle.Click = [this] {
    for (Element* c : chkThema_) c->setValue(true);
  };
  cmdUebernehmen.Click = [this] { cmdUebernehmen_Click(); };
  cmdAbbrechen.Click = [this] { Unload(); };
  cmdAbbrechen.cancel = true;
}

void FrmThemen::Form_Activate() {
  if (!message_) return;
  const std::string message = std::move(*message_);
  message_.reset();
  app().MsgBox(message, kMessageTitle);
  Unload();
}

void FrmThemen::cmdUebernehmen_Click() {
  TopicChoice choice;
  for (std::size_t i = 0; i < topics_.size(); ++i)
    if (!chkThema_[i]->Value()) choice.excluded.insert(topics_[i].topic);
  if (const std::optional<Level> empty = app().race.chooseTopics(std::move(choice))) {
    const std::string level = *empty == Level::Easy ? "leichten" : "schweren";
    app().MsgBox(
        "Mit dieser Wahl gibt es keine " + level + " Fragen. Bitte wähle auch ein Thema mit " + level + " Fragen.",
        kMessageTitle);
    return;
  }
  Unload();
}

}  // namespace tj
