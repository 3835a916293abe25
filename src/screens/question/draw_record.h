// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "data/store.h"

namespace tj {

class App;

// Opens `table` of the store and moves to one record chosen at random: the generator
// is reseeded, r drawn and record Int(r * n + 1) of the n records taken. Every call
// draws anew. Throws data::DataError when the table cannot be read or is empty.
data::Recordset drawRecord(App& app, std::string_view table);

// The message for players when a dialog could not read its record: the store's own
// sentence (file, table, field) and what happens now.
std::string dataFailureMessage(const std::exception& e, std::string_view whatIsSkipped);

// The title of that message box.
inline constexpr const char* kDataFailureTitle = "Tank Jagd – Datenbank";

}  // namespace tj
