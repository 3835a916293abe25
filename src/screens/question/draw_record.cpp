// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/question/draw_record.h"

#include "screens/app.h"

namespace tj {

data::Recordset drawRecord(App& app, std::string_view table) {
  const auto& open = app.services().openTable;
  if (!open)
    throw data::DataError(data::Fault::FileMissing, "Das Spiel hat keine Fragen-Datenbank (mdbZielflagge.mdb).");
  data::Recordset records = open(table);
  app.rnd().Randomize();
  const float r = app.rnd().Rnd();
  records.setAbsolutePosition(data::recordForDraw(r, records.RecordCount()));
  return records;
}

std::string dataFailureMessage(const std::exception& e, std::string_view whatIsSkipped) {
  return std::string(e.what()) + "\n\n" + std::string(whatIsSkipped) + " Das Spiel geht weiter.";
}

}  // namespace tj
