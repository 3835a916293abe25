// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>

#include "screens/app.h"

namespace tj::testing {

namespace {
constexpr int kTickMs = 15;

int64_t nowMs() { return QDateTime::currentMSecsSinceEpoch(); }
}  // namespace

// ---- what the player sees -------------------------------------------------------------

QWidget* QtDriver::window(const std::string& screen) {
  const QString name = QString::fromStdString(screen) + QStringLiteral("Fenster");
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) return w;
  return nullptr;
}

QWidget* QtDriver::widget(const std::string& screen, const std::string& element) {
  QWidget* win = window(screen);
  // The elements lie on the client area, which carries the screen's name.
  QWidget* canvas = win ? win->findChild<QWidget*>(QString::fromStdString(screen)) : nullptr;
  if (!canvas) return nullptr;
  for (QWidget* w : canvas->findChildren<QWidget*>(QString::fromStdString(element)))
    if (w->isVisible()) return w;
  return nullptr;
}

std::string QtDriver::text(const std::string& screen, const std::string& element) {
  QWidget* w = widget(screen, element);
  // A label's whole text, also where it shows it shortened.
  if (auto* l = qobject_cast<QLabel*>(w))
    return (l->accessibleName().isEmpty() ? l->text() : l->accessibleName()).toStdString();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->accessibleName().toStdString();
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toStdString();
  return {};
}

bool QtDriver::usable(QWidget* w) {
  if (!w || !w->isVisible() || !w->isEnabled() || messageBox()) return false;
  QWidget* modal = QApplication::activeModalWidget();
  return !modal || w->window() == modal;
}

QMessageBox* QtDriver::messageBox() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible() && box->objectName() == "Meldung")
      return box;
  return nullptr;
}

std::string QtDriver::topScreen() {
  if (QWidget* modal = QApplication::activeModalWidget()) {
    if (qobject_cast<QMessageBox*>(modal)) return {};
    QString n = modal->objectName();
    n.chop(7);  // "Fenster"
    return n.toStdString();
  }
  // No modal window: the full-screen window that is visible on top.
  for (const char* s : {"frmSpielfeld", "frmAuswahl", "frmStart"})
    if (window(s)) return s;
  return {};
}

// ---- actions -----------------------------------------------------------------------------

bool QtDriver::clickNow(const std::string& screen, const std::string& element) {
  QWidget* w = widget(screen, element);
  if (!usable(w)) return false;
  if (qobject_cast<QAbstractButton*>(w))
    QTest::mouseClick(w, Qt::LeftButton);
  else
    QTest::mousePress(w, Qt::LeftButton);  // a picture takes the press
  return true;
}

void QtDriver::okNow() {
  QMessageBox* box = messageBox();
  if (!box) return;
  QAbstractButton* okButton = box->button(QMessageBox::Ok);
  if (!okButton) return fail("Meldung ohne OK-Knopf");
  messages_.push_back(box->text().toStdString());
  QTest::mouseClick(okButton, Qt::LeftButton);
}

void QtDriver::fail(const std::string& what) {
  const std::string step = next_ < steps_.size() ? steps_[next_].what : std::string("(Ende des Skripts)");
  failures_.push_back(what + " [bei Schritt \"" + step + "\", oben: " + topScreen() + "]");
}

// ---- the script --------------------------------------------------------------------------

QtDriver& QtDriver::when(std::string what, std::function<bool()> ready, std::function<void()> act) {
  steps_.push_back(Step{std::move(what), std::move(ready), std::move(act), nullptr});
  return *this;
}

QtDriver& QtDriver::loop(std::string what, std::function<bool()> done, std::function<void()> act) {
  steps_.push_back(Step{std::move(what), nullptr, std::move(act), std::move(done)});
  return *this;
}

QtDriver& QtDriver::check(std::string what, std::function<bool()> ok) {
  return when(
      what, [] { return true; },
      [this, what, ok = std::move(ok)] {
        if (!ok()) fail("Prüfung fehlgeschlagen: " + what);
      });
}

QtDriver& QtDriver::click(const std::string& screen, const std::string& element) {
  return when(
      "Klick " + screen + "." + element, [=] { return usable(widget(screen, element)); },
      [=, this] {
        if (!clickNow(screen, element)) fail("Klick auf " + screen + "." + element + " nicht möglich");
      });
}

QtDriver& QtDriver::menu(const std::string& screen, const std::string& item) {
  return when(
      "Menü " + screen + "." + item, [=] { return usable(window(screen)); },
      [=, this] {
        QAction* a = window(screen)->findChild<QAction*>(QString::fromStdString(item));
        if (!a) return fail("Menüpunkt " + item + " fehlt");
        a->trigger();
      });
}

QtDriver& QtDriver::waitText(const std::string& screen, const std::string& element, const std::string& wanted) {
  return when(
      screen + "." + element + " zeigt \"" + wanted + "\"", [=] { return text(screen, element) == wanted; }, [] {});
}

// Every tick: answer a message box no step expects (a failure), then work on the step.
// The next tick is scheduled first, because an action may enter a modal loop of the game.
void QtDriver::tick() {
  if (aborted_) return;
  QTimer::singleShot(kTickMs, &context_, [this] { tick(); });
  if (nowMs() - started_ > limitMs_) return abort("Zeit für das ganze Spiel abgelaufen");
  if (next_ >= steps_.size()) return;
  Step& s = steps_[next_];
  if (QMessageBox* box = messageBox(); box && !s.done) {
    fail("unerwartete Meldung: " + box->text().toStdString());
    return okNow();
  }
  if (nowMs() - stepSince_ > (s.done ? 60000 : 15000)) return abort("Zeit abgelaufen");
  // A loop step acts until it is done; any other step acts once, when it is ready.
  if (s.done && !s.done()) return s.act();
  if (!s.done && !s.ready()) return;
  ++next_;
  stepSince_ = nowMs();
  if (!s.done) s.act();
}

// Records why, closes any message box and ends the program the way closing its window does.
void QtDriver::abort(const std::string& why) {
  fail(why);
  aborted_ = true;
  QTimer::singleShot(0, &context_, [this] {
    okNow();
    App& app = game_.app();
    if (!app.ended()) app.dispatch([&app] { app.forms.UnloadForms(); });
  });
  QTimer::singleShot(5000, &context_, [] { QCoreApplication::exit(3); });
}

int QtDriver::run(int limitMs) {
  limitMs_ = limitMs;
  started_ = stepSince_ = nowMs();
  if (!game_.start()) return 0;
  QTimer::singleShot(kTickMs, &context_, [this] { tick(); });
  const int code = QApplication::exec();
  aborted_ = true;  // no tick of this driver runs in a later loop
  if (next_ < steps_.size()) fail("Programm zu Ende vor Schritt \"" + steps_[next_].what + "\"");
  return code;
}

// Names are typed key by key, with the character as the key's text (QTest's own typing
// knows ASCII only); a character outside the basic plane keeps both its halves.
QtDriver& QtDriver::setUpPlayers(const QString& name1, const std::string& car1, const QString& name2,
                                 const std::string& car2) {
  for (const auto& [player, name] : {std::pair{1, name1}, std::pair{2, name2}}) {
    const std::string n = std::to_string(player);
    const char* box = player == 1 ? "txtName" : "txtName2";
    waitText("frmAuswahl", "lblAnweisung", "Bitte gib den Namen von Spieler " + n + " ein!");
    when(
        "Tippen des Namens " + n, [box] { return usable(widget("frmAuswahl", box)); },
        [name, box] {
          for (char32_t c : name.toUcs4())
            for (auto action : {QTest::Press, QTest::Release})
              QTest::sendKeyEvent(action, widget("frmAuswahl", box), Qt::Key_unknown, QString::fromUcs4(&c, 1),
                                  Qt::NoModifier);
        });
    click("frmAuswahl", "cmdName" + n + "Weiter");
  }
  click("frmAuswahl", car1);
  waitText("frmAuswahl", "lblAnweisung", "Bitte wähle dein Auto aus, " + name2.toStdString() + "!");
  return click("frmAuswahl", car2);
}

}  // namespace tj::testing
