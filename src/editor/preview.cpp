// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/preview.h"

#include <QScreen>
#include <QWidget>
#include <iostream>

#include "screens/action/frm_aktion.h"
#include "screens/all_screens.h"
#include "screens/question/frm_fragen.h"

namespace tj::editor {

// The game's front end, except that closing the last dialog does not end the program:
// the preview lives inside the editor.
class PreviewLoop final : public EventLoop {
 public:
  explicit PreviewLoop(ui::QtPictures& pictures) : inner_(pictures) {}
  void attach(App& app) { inner_.attach(app); }
  void runModal(ModalSession& session) override { inner_.runModal(session); }
  void endModal(ModalSession& session) override { inner_.endModal(session); }
  void messageBox(const std::string& text, const std::string& title) override { inner_.messageBox(text, title); }
  void screenLoaded(Screen& s) override { inner_.screenLoaded(s); }
  void screenUnloaded(Screen& s) override { inner_.screenUnloaded(s); }
  void afterEvent() override { inner_.syncAll(); }
  ui::QtEventLoop& inner() { return inner_; }

 private:
  ui::QtEventLoop inner_;
};

Preview::Preview(const std::filesystem::path& appFolder, const std::filesystem::path& dataFolder, QWidget* owner)
    : loop_(std::make_unique<PreviewLoop>(pictures_)), owner_(owner) {
  services_ = std::make_unique<Services>(Services{*loop_, random_, pictures_, appFolder, dataFolder, nullptr});
  services_->warn = [](const std::string& line) { std::cerr << "tankjagd-editor: " << line << '\n'; };
  services_->storedText = [](const std::string&) { return std::string(); };
  services_->openTable = [this](std::string_view table) {
    if (!record_) throw data::DataError(data::Fault::TableEmpty, "Kein Eintrag ausgewählt.");
    return data::Recordset("Vorschau", std::string(table), *record_);
  };
  makeApp();
}

// Closing a game dialog by its window frame ends that game run; the next preview starts
// a fresh one.
void Preview::makeApp() {
  app_ = std::make_unique<App>(*services_);
  loop_->attach(*app_);
  defineScreens(app_->forms);
}

Preview::~Preview() {
  // The windows go before the model they show.
  app_->dispatch([this] { app_->forms.UnloadForms(); });
  app_.reset();
}

const char* Preview::screenName(data::SetTable t) const {
  switch (t) {
    case data::SetTable::Easy:
      return FrmFragenLeicht::kName;
    case data::SetTable::Hard:
      return FrmFragenSchwer::kName;
    case data::SetTable::Cards:
      return FrmAktion::kName;
  }
  return FrmFragenLeicht::kName;
}

data::TableSnapshot Preview::snapshot(data::SetTable t, const data::QuestionSet& set, int index) const {
  data::TableSnapshot s;
  const auto& layout = data::gameTables().at(static_cast<std::size_t>(t));
  s.fields.assign(layout.required.begin(), layout.required.end());
  const auto i = static_cast<std::size_t>(index);
  const auto add = [&s](const auto& fields) {
    for (const std::string* f : fields) s.cells.emplace_back(*f);
  };
  if (t == data::SetTable::Cards)
    add(data::cardFields(set.cards.at(i)));
  else
    add(data::questionFields((t == data::SetTable::Easy ? set.easy : set.hard).at(i)));
  return s;
}

void Preview::show(data::SetTable t, const data::QuestionSet& set, int index) {
  record_ = snapshot(t, set, index);
  if (app_->forms.quitting()) makeApp();
  // A dialog reads its record when it loads: the shown one is unloaded first, in its own
  // event, so that it is gone before the new one loads.
  app_->dispatch([this] {
    for (Screen* s : app_->forms.loaded()) s->Unload();
  });
  shownScreen_ = screenName(t);
  app_->dispatch([this] { app_->forms.get(shownScreen_).Show(); });
  placeBesideOwner();
}

void Preview::placeBesideOwner() {
  if (!owner_ || !app_->forms.isLoaded(shownScreen_)) return;
  ui::ScreenWindow* shown = loop_->inner().windowOf(app_->forms.get(shownScreen_));
  QWidget* w = shown ? shown->window() : nullptr;
  if (!w || !owner_->screen()) return;
  const QRect room = owner_->screen()->availableGeometry();
  const QRect owner = owner_->frameGeometry();
  const QSize size = w->frameGeometry().size();
  QPoint at(owner.right() + 8, owner.top());
  if (at.x() + size.width() > room.right()) at.setX(std::max(room.left(), room.right() - size.width()));
  w->move(at);
}

void Preview::close() {
  app_->dispatch([this] {
    for (Screen* s : app_->forms.loaded()) s->Unload();
  });
}

bool Preview::isOpen() const {
  return !shownScreen_.empty() && !app_->forms.quitting() && app_->forms.isLoaded(shownScreen_) &&
         app_->forms.get(shownScreen_).Visible();
}

}  // namespace tj::editor
