// SPDX-License-Identifier: GPL-3.0-or-later
// The real front end on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QTableWidget>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <utility>

#include "content/rules.h"
#include "screens/all_screens.h"
#include "screens/question/frm_fragen.h"
#include "ui/dialogs.h"
#include "ui/qt_loop.h"
#include "ui/widgets.h"

namespace tj::ui {
namespace {

QWidget* findWidget(const QString& name) {
  for (QWidget* w : QApplication::allWidgets())
    if (w->objectName() == name) return w;
  return nullptr;
}

void spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// A screen with one label and one picture, for the drawing rules.
struct Sample : Screen {
  explicit Sample(App& app)
      : Screen(app, "frmProbe",
               WindowSpec{WindowSpec::Kind::Maximised, "", 15360, 11520, Color::highlight(), true, "", ""}),
        lbl(add("lblName", ElementKind::Label, 7680, 5760, 3000, 495, "<b>Tom</b> & Jerry")),
        img(add("imgAuto", ElementKind::Picture, 0, 0, 1065, 495)),
        cmd(add("cmdWeiter", ElementKind::Button, 1000, 1000, 1215, 495, "Weiter")),
        chk(add("chkWahl", ElementKind::CheckBox, 1000, 2000, 3000, 495, "Kunst & Musik")),
        tbl(add("tblZeilen", ElementKind::Table, 5000, 1000, 6000, 3000)) {
    img.accessibleName = "rotes Auto";
    cmd.Click = [this] { lbl.setCaption("geklickt"); };
    cmd.tabIndex = 0;
    KeyPress = [this](int key) {
      if (key != '2') return false;
      lbl.setCaption("Taste 2");
      return true;
    };
    chk.tabIndex = 1;
    chk.Click = [this] { lbl.setCaption(chk.Value() ? "an" : "aus"); };
    tbl.setTable({{"Frage", "Ergebnis"}, {{"<b>Wie?</b>", "\u2714 richtig"}}});
  }
  Element& lbl;
  Element& img;
  Element& cmd;
  Element& chk;
  Element& tbl;
};

// A dialog with one answer button laid out like the question dialog's.
struct AnswerProbe : Screen {
  explicit AnswerProbe(App& app)
      : Screen(app, "frmAntwortProbe", WindowSpec::dialog("Probe", 6915, 6975, Color::highlight(), "Probe")),
        cmd(add("cmdAntwort", ElementKind::Button, kAnswerBox.left, kAnswerBox.top, kAnswerBox.width,
                kAnswerBox.height)) {
    takeLook(cmd, kAnswerBox);
  }
  Element& cmd;
};

struct FrontEnd : ::testing::Test {
  SystemClock clock;
  ClockSeededRandom random{clock};
  QtPictures pictures;
  QtEventLoop loop{pictures};
  App app{Services{loop, random, pictures, "/nirgends", "/nirgends", [](const std::string&) {}}};
  FrontEnd() {
    loop.attach(app);
    defineScreens(app.forms);
    app.forms.define("frmProbe", [](App& a) { return std::make_unique<Sample>(a); });
    app.forms.define("frmAntwortProbe", [](App& a) { return std::make_unique<AnswerProbe>(a); });
  }
  ~FrontEnd() override {
    app.dispatch([this] { app.forms.UnloadForms(); });
    spin(10);
  }
};

// The real program's first frames: the countdown label is empty in the first second,
// then shows "3".
TEST_F(FrontEnd, countdownGoesFromEmptyToThree) {
  QElapsedTimer t;
  t.start();
  app.start();
  spin(300);
  auto* label = qobject_cast<QLabel*>(findWidget("lblCountdown"));
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), "");
  while (label->text().isEmpty() && t.elapsed() < 3000) spin(20);
  EXPECT_EQ(label->text(), "3");
  EXPECT_GE(t.elapsed(), 950);
}

// Texts are plain text, elements scale with the window, and everything a person sees
// has a name for screen readers.
TEST_F(FrontEnd, drawsPlainTextScaledAndNamed) {
  app.dispatch([this] { app.forms.get("frmProbe").Show(); });
  auto* label = qobject_cast<QLabel*>(findWidget("lblName"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_EQ(label->text(), "<b>Tom</b> & Jerry");
  // The design area (15360 x 11520 twips) scales uniformly and stays centred.
  QWidget* canvas = label->parentWidget();
  int before = 0;
  for (int side : {600, 400}) {
    label->window()->resize(side, side);
    spin(20);
    ASSERT_NE(std::exchange(before, canvas->width()), canvas->width());
    EXPECT_NEAR(label->width(), 3000 * canvas->width() / 15360.0, 1.5);
    EXPECT_NEAR(label->x(), canvas->width() / 2.0, 1.5);
    EXPECT_NEAR(label->y(), canvas->height() / 2.0, 1.5);
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(findWidget("imgAuto"))->text(QAccessible::Name), "rotes Auto");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(findWidget("cmdWeiter"))->text(QAccessible::Name), "Weiter");
  auto* button = qobject_cast<QAbstractButton*>(findWidget("cmdWeiter"));
  button->click();
  spin(10);
  EXPECT_EQ(label->text(), "geklickt");
}

// The winner screen closes only through its buttons: neither Esc nor the window frame
// ends it, so no game can be left without a decision.
TEST_F(FrontEnd, winnerScreenIgnoresEscAndTheWindowFrame) {
  app.dispatch([this] { app.forms.get("frmGewonnen").Show(); });
  spin(10);
  QWidget* canvas = findWidget("frmGewonnen");
  ASSERT_NE(canvas, nullptr);
  QWidget* window = canvas->window();
  ASSERT_TRUE(window->isVisible());
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &esc);
  EXPECT_FALSE(window->close());
  spin(10);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(app.forms.isLoaded("frmGewonnen"));
  EXPECT_EQ(window->accessibleName(), "Gewonnen") << "a screen reader hears a German name, not the internal one";
}

// A window the players may leave (the look back) closes with Esc as with its button.
TEST_F(FrontEnd, escClosesTheLookBack) {
  app.dispatch([this] { app.forms.get("frmRueckblick").Show(); });
  spin(10);
  QWidget* canvas = findWidget("frmRueckblick");
  ASSERT_NE(canvas, nullptr);
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(canvas->window(), &esc);
  spin(10);
  EXPECT_FALSE(app.forms.isLoaded("frmRueckblick"));
}

// A key the focused button does not use goes to the screen (the question's keys 1 to 4);
// one the screen does not use either is left to Qt.
TEST_F(FrontEnd, aKeyNoControlTakesReachesTheScreen) {
  app.dispatch([this] { app.forms.get("frmProbe").Show(); });
  spin(10);
  QWidget* button = findWidget("cmdWeiter");
  for (const char* key : {"x", "2"}) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
    QApplication::sendEvent(button, &press);
    EXPECT_EQ(press.isAccepted(), key[0] == '2') << key;
  }
  spin(10);
  EXPECT_EQ(qobject_cast<QLabel*>(findWidget("lblName"))->text(), "Taste 2");
}

// A single-line label too narrow for its text shortens it in the middle and keeps both
// ends; screen readers still get the whole text.
TEST_F(FrontEnd, longSingleLineTextIsShortenedNotSpilled) {
  app.dispatch([this] {
    Screen& s = app.forms.get("frmProbe");
    Element& lbl = *s.find("lblName");
    lbl.wordWrap = false;
    lbl.setCaption(std::string(10000, 'x') + " ist dran!");
    s.Show();
  });
  auto* label = qobject_cast<QLabel*>(findWidget("lblName"));
  ASSERT_NE(label, nullptr);
  EXPECT_TRUE(label->text().endsWith(" ist dran!"));
  EXPECT_TRUE(label->text().contains(QChar(0x2026)));
  EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
  EXPECT_EQ(label->accessibleName().size(), 10010);
}

// The longest answer the content rules let pass still fits its button when the button
// shows the check mark: one word grown letter by letter, and words added one by one.
TEST_F(FrontEnd, answerThatJustPassesTheCheckFitsBesideTheMark) {
  const auto passes = [](const std::string& answer) {
    const data::Question q{"Welche Antwort passt?", {"eins", "zwei", "drei"}, answer};
    return content::checkQuestion(q, content::Table::Easy).empty();
  };
  // The first piece, then each further one while the answer still passes; the pieces
  // run out only past the limit.
  const auto longestPassing = [&](const std::vector<std::string>& pieces) {
    std::string answer = pieces.front();
    std::size_t i = 1;
    for (; i < pieces.size() && passes(answer + pieces[i]); ++i) answer += pieces[i];
    EXPECT_LT(i, pieces.size()) << answer;
    return answer;
  };
  std::vector<std::string> letters;
  for (const char c : std::string("Oberschenkelknochenbruchheilungsdauer")) letters.emplace_back(1, c);
  std::vector<std::string> words{"Die"};
  for (int i = 0; i < 40; ++i) words.push_back(i % 2 ? " lang" : " Antwort");
  const std::string answers[] = {longestPassing(letters), longestPassing(words)};
  app.dispatch([this] { app.forms.get("frmAntwortProbe").Show(); });
  for (const std::string& answer : answers) {
    app.dispatch([&] {
      Element& cmd = *app.forms.get("frmAntwortProbe").find("cmdAntwort");
      cmd.setCaption(answer);
      cmd.setMark(Mark::Right);
    });
    spin(10);
    auto* button = dynamic_cast<WrapButton*>(findWidget("cmdAntwort"));
    ASSERT_NE(button, nullptr);
    const QRect room = button->captionRect();
    const QRect need =
        button->fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, QString::fromStdString(answer));
    EXPECT_TRUE(room.contains(need)) << answer << ": needs " << need.width() << " x " << need.height() << ", has "
                                     << room.width() << " x " << room.height();
  }
}

// A check box ticks in the model, whose Click runs, and shows what the model holds; a table
// shows its cells as plain text; an "&" in a caption is no shortcut.
TEST_F(FrontEnd, checkBoxAndTableFollowTheModel) {
  app.dispatch([this] { app.forms.get("frmProbe").Show(); });
  auto* box = qobject_cast<QCheckBox*>(findWidget("chkWahl"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), "Kunst && Musik");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), "Kunst & Musik");
  box->toggle();  // what the screen reader's toggle action does
  spin(10);
  Element& chk = *app.forms.get("frmProbe").find("chkWahl");
  EXPECT_TRUE(chk.Value());
  EXPECT_EQ(qobject_cast<QLabel*>(findWidget("lblName"))->text(), "an");
  app.dispatch([&] { chk.setValue(false); });
  EXPECT_FALSE(box->isChecked());
  auto* table = qobject_cast<QTableWidget*>(findWidget("tblZeilen"));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "Ergebnis");
  EXPECT_EQ(table->item(0, 0)->text(), "<b>Wie?</b>");
  EXPECT_EQ(table->item(0, 1)->text(), "\u2714 richtig");
}

// The printed page holds every text as it was written: markup in a name or a question
// stays text.
TEST(ReportPage, holdsEveryTextAsPlainText) {
  const Report r{"Rückblick: <b>Anna</b> und Ben",
                 {"Anna – leicht: 1 von 1 richtig"},
                 {{"Frage", "Ergebnis"}, {{"<i>Wie?</i> & so", "\u2714 richtig"}}}};
  const QString text = reportDocument(r)->toPlainText();
  for (const char* part : {"Rückblick: <b>Anna</b> und Ben", "Anna – leicht: 1 von 1 richtig", "Frage", "Ergebnis",
                           "<i>Wie?</i> & so", "\u2714 richtig"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

}  // namespace
}  // namespace tj::ui
