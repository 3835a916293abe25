// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/preview.h"

#include <QScreen>
#include <QShortcut>
#include <QTimer>
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
  // A right answer pays what it pays from the start of a game.
  app_->race.state().BelohnungLeicht = RaceGame::kRewardEasy;
  app_->race.state().BelohnungSchwer = RaceGame::kRewardHard;
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
  s.fields.insert(s.fields.end(), layout.optional.begin(), layout.optional.end());
  const auto i = static_cast<std::size_t>(index);
  const auto texts = t == data::SetTable::Cards
                         ? data::fieldTexts(set.cards.at(i))
                         : data::fieldTexts((t == data::SetTable::Easy ? set.easy : set.hard).at(i));
  s.cells.assign(texts.begin(), texts.end());
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
  placeOverOwner();
}

void Preview::placeOverOwner() {
  if (!owner_ || !app_->forms.isLoaded(shownScreen_)) return;
  ui::ScreenWindow* shown = loop_->inner().windowOf(app_->forms.get(shownScreen_));
  QWidget* w = shown ? shown->window() : nullptr;
  if (!w) return;
  // Each showing has a window of its own; it closes once the key's event is over.
  if (!w->findChild<QShortcut*>(QStringLiteral("Vorschau schließen"))) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), w);
    escape->setObjectName(QStringLiteral("Vorschau schließen"));
    QObject::connect(escape, &QShortcut::activated, w, [this, w] { QTimer::singleShot(0, w, [this] { close(); }); });
  }
  QRect frame = w->frameGeometry();
  frame.moveCenter(owner_->frameGeometry().center());
  if (const QScreen* screen = owner_->screen()) {
    const QRect room = screen->availableGeometry();
    frame.moveLeft(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
  }
  w->move(frame.topLeft());
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
