// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/record_dialog.h"

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

bool RecordDialog::readInto(std::string_view table, std::span<const std::string_view> fields,
                            std::span<std::string> values, std::string_view whatIsSkipped) {
  try {
    const data::Recordset record = drawRecord(app(), table);
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
