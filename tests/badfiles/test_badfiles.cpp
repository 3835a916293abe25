// SPDX-License-Identifier: GPL-3.0-or-later
// Bad files as a player meets them: the game folder (picture folders and database) is
// copied, one file is broken, and the real game is played in the Qt front end by clicks:
// the setup and four turns (two questions, two action cards), then "Beenden". Each case
// checks the message boxes the players see, what the board, the question and the card
// show, and that the game goes on and ends cleanly.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <random>

#include "game/race.h"
#include "qt_driver.h"
#include "screens/action/frm_aktion.h"
#include "screens/board/frm_spielfeld.h"
#include "screens/question/frm_fragen.h"
#include "support/run_sql.h"

namespace tj::testing {
namespace {

namespace fs = std::filesystem;
using Kind = Picture::Kind;

const char* const kDb = "mdbZielflagge.mdb";
const std::string kQuestionGone = "\n\nDiese Frage fällt aus, niemand bekommt Tankpunkte. Das Spiel geht weiter.";
const std::string kCardGone = "\n\nDiese Aktionskarte fällt aus. Das Spiel geht weiter.";

// A copy of the built game folder, removed at the end; the current folder while it lives,
// so the database is looked for here first.
class GameCopy {
 public:
  GameCopy() : path_(fs::temp_directory_path() / ("tj-bad-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
    for (const char* entry : {"tankjagd", "autos", "wuerfel", "Bilder", kDb})
      fs::copy(fs::path(TJ_BIN_DIR) / entry, path_ / entry, fs::copy_options::recursive);
    previous_ = fs::current_path();
    fs::current_path(path_);
    path_ = fs::current_path();
  }
  ~GameCopy() {
    fs::current_path(previous_);
    fs::remove_all(path_);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
  fs::path previous_;
};

// The same picture in PNG format, still named .gif.
void asPng(const fs::path& f) {
  QImage image(QString::fromStdString(f.string()));
  ASSERT_FALSE(image.isNull());
  ASSERT_TRUE(image.save(QString::fromStdString(f.string()), "PNG"));
}

// What the players met during the run.
struct Seen {
  int questions = 0;
  int cards = 0;
  std::size_t longestQuestion = 0;  // characters of the question label
  std::size_t longestCardText = 0;
  Kind cardPicture = Kind::None;
  Kind die = Kind::None;
  Kind car = Kind::None;
};

struct Case {
  const char* name;
  std::function<void(const fs::path& folder)> breakIt;
  // Message texts in order; "{P}" stands for the database's path.
  std::vector<std::string> messages;
  Kind die = Kind::File;
  Kind car = Kind::File;          // player 1's red car on the board
  Kind cardPicture = Kind::File;  // the card's picture
  std::string maintainerLine;     // expected on stderr, "{F}" for the folder
  bool longTexts = false;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

std::string fill(std::string text, const fs::path& folder) {
  for (const auto& [key, value] :
       {std::pair{std::string("{P}"), (folder / kDb).string()}, std::pair{std::string("{F}"), folder.string()}})
    for (auto at = text.find(key); at != std::string::npos; at = text.find(key)) text.replace(at, key.size(), value);
  return text;
}

std::vector<std::string> bothFail(const std::string& question, const std::string& card) {
  return {question + kQuestionGone, question + kQuestionGone, card + kCardGone, card + kCardGone};
}
std::vector<std::string> fileFails(const std::string& sentence) { return bothFail(sentence, sentence); }

const std::string kLong = "substr(replace(hex(zeroblob(60000)), '00', 'Lang '), 1, 102400)";

const std::vector<Case>& cases() {
  static const std::vector<Case> all{
      {"database_missing", [](const fs::path& f) { fs::remove(f / kDb); },
       fileFails("Die Datei „{P}“ wurde nicht gefunden.")},
      {"database_truncated", [](const fs::path& f) { fs::resize_file(f / kDb, 4096); },
       fileFails("Die Datei „{P}“ kann nicht gelesen werden oder ist beschädigt.")},
      {"database_zero_bytes", [](const fs::path& f) { fs::resize_file(f / kDb, 0); },
       fileFails("Die Datei „{P}“ ist keine Datenbank.")},
      {"database_is_a_picture",
       [](const fs::path& f) { fs::copy_file(f / "wuerfel/w1.gif", f / kDb, fs::copy_options::overwrite_existing); },
       fileFails("Die Datei „{P}“ ist keine Datenbank.")},
      {"database_wrong_tables",
       [](const fs::path& f) {
         runSql(f / kDb,
                "ALTER TABLE tabFragen_leicht RENAME TO tabFragen_alt; ALTER TABLE tabAktion RENAME TO tabKarten;");
       },
       bothFail("Die Datei „{P}“ enthält keine Tabelle „tabFragen_leicht“.",
                "Die Datei „{P}“ enthält keine Tabelle „tabAktion“.")},
      {"database_field_missing",
       [](const fs::path& f) {
         runSql(
             f / kDb,
             "ALTER TABLE tabFragen_leicht DROP COLUMN Antwort1; ALTER TABLE tabAktion DROP COLUMN \"Aktionskürzel\";");
       },
       bothFail("Die Tabelle „tabFragen_leicht“ in „{P}“ hat kein Feld „Antwort1“.",
                "Die Tabelle „tabAktion“ in „{P}“ hat kein Feld „Aktionskürzel“.")},
      {"database_null_texts",
       [](const fs::path& f) {
         // One record per table, so the message names the same record whatever the shipped content holds.
         runSql(f / kDb,
                "DELETE FROM tabFragen_leicht WHERE rowid > 1; UPDATE tabFragen_leicht SET Antwort1 = NULL;"
                "DELETE FROM tabAktion WHERE rowid > 1; UPDATE tabAktion SET \"Aktionskürzel\" = NULL;");
       },
       bothFail("Im Feld „Antwort1“ der Tabelle „tabFragen_leicht“ in „{P}“ fehlt der Text (Datensatz 1).",
                "Im Feld „Aktionskürzel“ der Tabelle „tabAktion“ in „{P}“ fehlt der Text (Datensatz 1).")},
      {"database_100kB_texts",
       [](const fs::path& f) {
         runSql(f / kDb, "UPDATE tabFragen_leicht SET Frage = " + kLong + ", Antwort1 = " + kLong +
                             ", \"Antwort Richtig\" = " + kLong + "; UPDATE tabAktion SET Aktionstext = " + kLong +
                             ", Aktion = " + kLong + ";");
       },
       {},
       Kind::File,
       Kind::File,
       Kind::File,
       "",
       true},
      {"die_face_missing",
       [](const fs::path& f) { fs::remove(f / "wuerfel/w1.gif"); },
       {},
       Kind::Text,
       Kind::File,
       Kind::File,
       "tankjagd: Bild nicht lesbar: {F}/wuerfel/w1.gif"},
      {"car_missing",
       [](const fs::path& f) { fs::remove(f / "autos/rotes auto rechts.gif"); },
       {},
       Kind::File,
       Kind::Stored,
       Kind::File,
       "tankjagd: Bild nicht lesbar: {F}/autos/rotes auto rechts.gif"},
      {"car_zero_bytes",
       [](const fs::path& f) { fs::resize_file(f / "autos/rotes auto rechts.gif", 0); },
       {},
       Kind::File,
       Kind::Stored,
       Kind::File,
       "tankjagd: Bild nicht lesbar: {F}/autos/rotes auto rechts.gif"},
      {"card_picture_missing",
       [](const fs::path& f) { fs::remove(f / "Bilder/1.gif"); },
       {},
       Kind::File,
       Kind::File,
       Kind::None,
       "tankjagd: Bild nicht lesbar: {F}/Bilder/1.gif"},
      {"card_picture_png_named_gif",
       [](const fs::path& f) { asPng(f / "Bilder/1.gif"); },
       {},
       Kind::File,
       Kind::File,
       Kind::File,
       ""},
  };
  return all;
}

// Setup (Anna: red, Bert: blue), four turns, "Beenden". Every die roll is 1 (r = 0.05),
// Anna starts, the first event of each player is a question, then each draws a card.
class BadFileRun {
 public:
  explicit BadFileRun(const fs::path& folder) : random_(0.05f), game_(folder, &random_), d_(game_) {}

  int run() {
    d_.setUpPlayers("Anna", "imgAuto3SP1", "Bert", "imgAuto1SP2");
    d_.loop(
        "vier Züge",
        [this] { return turns_ >= 4 && QtDriver::topScreen() == "frmSpielfeld" && !QtDriver::messageBox(); },
        [this] { act(); });
    d_.check("Brett nach vier Zügen", [this] {
      FrmSpielfeld& b = game_.app().form<FrmSpielfeld>();
      seen.die = b.imgWuerfel.picture().kind;
      seen.car = b.imgSpieler1(race::shownField(game_.app().race.state().PositionSpieler1, 45)).picture().kind;
      return QtDriver::shows("frmSpielfeld", "cmdWuerfel") && QtDriver::shows("frmSpielfeld", "imgWuerfel") &&
             QtDriver::text("frmSpielfeld", "lblAktiverSpieler") == "Anna ist dran!";
    });
    d_.menu("frmSpielfeld", "Beenden");
    return d_.run(120000);
  }
  QtDriver& driver() { return d_; }
  RealGame& game() { return game_; }
  Seen seen;

 private:
  void act() {
    if (QtDriver::messageBox()) return d_.okNow();
    const std::string top = QtDriver::topScreen();
    if (top == "frmSpielfeld") {
      const bool one = game_.app().race.vars().SpielerAmZug == 1;
      if (d_.clickNow(top, one ? "cmdWuerfel" : "cmdWuerfeln2")) ++turns_;
    } else if (top == "frmLevel") {
      (void)d_.clickNow(top, "cmdLeicht");
    } else if (top == "frmFragenLeicht") {
      question(top);
    } else if (top == "frmAktion") {
      ++seen.cards;
      auto& card = game_.app().form<FrmAktion>();
      seen.cardPicture = card.imgAktion.picture().kind;
      seen.longestCardText = std::max(seen.longestCardText, QtDriver::text(top, "lblAktionstxt").size());
      (void)d_.clickNow(top, "cmdWeiter");
    }
  }

  void question(const std::string& n) {
    if (QtDriver::shows(n, "cmdWeiter")) {
      (void)d_.clickNow(n, "cmdWeiter");
      return;
    }
    ++seen.questions;
    seen.longestQuestion = std::max(seen.longestQuestion, QtDriver::text(n, "lblFrage").size());
    const int right = static_cast<FrmFragen&>(game_.app().forms.get(n)).RichtigeAntwort.value();
    (void)d_.clickNow(n, "cmdAntwort(" + std::to_string(right) + ")");
  }

  FixedRandom random_;
  RealGame game_;
  QtDriver d_;
  int turns_ = 0;
};

class BadFile : public ::testing::TestWithParam<Case> {};

TEST_P(BadFile, playerSeesAMessageOrAStandInAndTheGameGoesOn) {
  const Case& c = GetParam();
  GameCopy copy;
  c.breakIt(copy.path());
  if (::testing::Test::HasFatalFailure()) return;
  ::testing::internal::CaptureStderr();
  BadFileRun run(copy.path());
  const int code = run.run();
  const std::string stderrText = ::testing::internal::GetCapturedStderr();

  EXPECT_EQ(code, 0) << "\"Beenden\" ends the program normally";
  for (const std::string& f : run.driver().failures()) ADD_FAILURE() << f;
  EXPECT_TRUE(run.game().app().ended());
  std::vector<std::string> expected;
  for (const std::string& m : c.messages) expected.push_back(fill(m, copy.path()));
  EXPECT_EQ(run.driver().messages(), expected);
  const Seen& s = run.seen;
  const bool dataOk = c.messages.empty();
  EXPECT_EQ(s.questions, dataOk ? 2 : 0);
  EXPECT_EQ(s.cards, dataOk ? 2 : 0);
  EXPECT_EQ(s.die, c.die) << "die face";
  EXPECT_EQ(s.car, c.car) << "player 1's car on the board";
  if (dataOk) {
    EXPECT_EQ(s.cardPicture, c.cardPicture) << "card picture";
  }
  if (c.longTexts) {
    EXPECT_GE(s.longestQuestion, 102400u);
    EXPECT_GE(s.longestCardText, 102400u);
  }
  if (!c.maintainerLine.empty()) {
    const std::string line = fill(c.maintainerLine, copy.path());
    EXPECT_NE(stderrText.find(line), std::string::npos) << "stderr:\n" << stderrText;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadFile, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A question file named on the command line (the editor's "Spielen") that the game could not
// play is refused at the start with the store's reason, not met again at every question.
TEST(QuestionFile, oneTheGameCannotPlayIsRefusedAtTheStart) {
  GameCopy copy;
  struct FileCase {
    const char* what;
    const char* sql;   // run on a copy of the shipped set; nullptr: no file; "": a file of 0 bytes
    std::string says;  // empty: the file is taken
  };
  const std::vector<FileCase> cases = {
      {"fehlt", nullptr, "wurde nicht gefunden."},
      {"0 Bytes", "", "ist keine Datenbank."},
      {"ohne Kartentabelle", "DROP TABLE tabAktion", "enth\u00E4lt keine Tabelle \u201EtabAktion\u201C."},
      {"Feld fehlt", "ALTER TABLE tabFragen_schwer DROP COLUMN Antwort3", "hat kein Feld \u201EAntwort3\u201C."},
      {"leere Tabelle", "DELETE FROM tabFragen_leicht", "ist leer."},
      {"ein leeres Feld", "UPDATE tabFragen_leicht SET Antwort1 = NULL", ""},
  };
  for (const FileCase& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path file = copy.path() / (std::string(c.what) + ".mdb");
    if (c.sql && !*c.sql) std::ofstream(file).close();
    if (c.sql && *c.sql) {
      fs::copy_file(copy.path() / kDb, file);
      runSql(file, c.sql);
    }
    FixedRandom random(0.5f);
    RealGame game(copy.path(), &random);
    std::string said;
    QTimer answer;
    answer.callOnTimeout([&] {
      if (QMessageBox* box = QtDriver::messageBox()) said = box->text().toStdString(), box->accept();
    });
    answer.start(20);
    EXPECT_EQ(game.useDatabase(file), c.says.empty());
    if (c.says.empty()) {
      EXPECT_EQ(said, "");
    } else {
      EXPECT_NE(said.find(c.says), std::string::npos) << said;
      EXPECT_NE(said.find("es wird beendet"), std::string::npos) << said;
    }
  }
}

}  // namespace
}  // namespace tj::testing
