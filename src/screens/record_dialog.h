// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "data/question_set.h"
#include "data/store.h"
#include "game/race_game.h"
#include "screens/screen.h"

namespace tj {

// Opens the deck's table of the store: the deck is stocked with the table's records and
// their topics when it holds another reading of the table (the file has changed). Throws
// data::DataError when the table cannot be read.
data::Recordset openDeck(App& app, DeckId deck);

// Opens the deck's table and moves to the record the deck draws: the generator is
// reseeded, r drawn and the deck's record for r taken (see RaceGame::draw). Throws
// data::DataError when the table cannot be read or is empty.
data::Recordset drawRecord(App& app, DeckId deck);

// The title of the message box that tells the players a record could not be read.
inline constexpr const char* kDataFailureTitle = "Tank Jagd – Datenbank";

// A dialog that shows one record drawn from the store: a question or an action card.
// When the record cannot be read the players are told once the dialog shows (the store's
// own sentence, then what is skipped), and the dialog closes without effect.
class RecordDialog : public Screen {
 public:
  using Screen::Screen;
  void Form_Activate() override;

 protected:
  // Draws a record of the deck's table and reads `fields` in this order, every one before the
  // caller changes any element, so a bad record shows nothing. On failure: nothing, and
  // the message (ending with `whatIsSkipped`) waits for the activation.
  template <std::size_t N>
  std::optional<std::array<std::string, N>> readRecord(DeckId deck, const std::array<std::string_view, N>& fields,
                                                       std::string_view whatIsSkipped) {
    std::array<std::string, N> values;
    if (!readInto(deck, fields, values, whatIsSkipped)) return std::nullopt;
    return values;
  }

 private:
  bool readInto(DeckId deck, std::span<const std::string_view> fields, std::span<std::string> values,
                std::string_view whatIsSkipped);
  std::optional<std::string> failure_;  // why no record could be read
};

}  // namespace tj
