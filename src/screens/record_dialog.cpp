// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/record_dialog.h"

#include "data/builder.h"
#include "data/set_file.h"
#include "screens/app.h"

namespace tj {

namespace {
std::string_view tableOf(DeckId deck) {
  switch (deck) {
    case DeckId::Easy:
      return data::tableName(data::SetTable::Easy);
    case DeckId::Hard:
      return data::tableName(data::SetTable::Hard);
    case DeckId::Cards:
      break;
  }
  return data::tableName(data::SetTable::Cards);
}
}  // namespace

data::Recordset openDeck(App& app, DeckId deck) {
  const auto& open = app.services().openTable;
  if (!open)
    throw data::DataError(data::Fault::FileMissing, "Das Spiel hat keine Fragen-Datenbank (mdbZielflagge.mdb).");
  data::Recordset records = open(tableOf(deck));
  Deck& d = app.race.deck(deck);
  if (!d.holds(records.version())) {
    std::vector<std::string> topics = records.fieldTexts(data::kTopicField);
    topics.resize(static_cast<std::size_t>(records.RecordCount()));  // a table without topics: all ""
    d.stock(records.version(), topics);
  }
  return records;
}

data::Recordset drawRecord(App& app, DeckId deck) {
  data::Recordset records = openDeck(app, deck);
  // An empty table draws nothing (0) and is refused by the store with its own message.
  records.setAbsolutePosition(app.race.draw(deck));
  return records;
}

bool RecordDialog::readInto(DeckId deck, std::span<const std::string_view> fields, std::span<std::string> values,
                            std::string_view whatIsSkipped) {
  try {
    const data::Recordset record = drawRecord(app(), deck);
    for (std::size_t i = 0; i < fields.size(); ++i) values[i] = record.field(fields[i]);
    return true;
  } catch (const std::exception& e) {
    failure_ = std::string(e.what()) + "\n\n" + std::string(whatIsSkipped) + " Das Spiel geht weiter.";
    return false;
  }
}

void RecordDialog::Form_Activate() {
  if (!failure_) return;
  const std::string message = std::move(*failure_);
  failure_.reset();
  app().MsgBox(message, kDataFailureTitle);
  Unload();
}

}  // namespace tj
