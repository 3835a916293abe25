// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement without a toolkit agrees with what the Qt front end draws: each shipped
// text in the font of the box that shows it, on one line and wrapped at the box's width and
// at widths where one pixel decides the number of lines.

#include <QFontMetrics>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "data/set_file.h"
#include "screens/action/frm_aktion.h"
#include "screens/question/frm_fragen.h"
#include "text/font_choice.h"
#include "text/text_measure.h"
#include "ui/look.h"

namespace {

struct Shown {
  const tj::TextBox& box;
  std::vector<std::string> texts;
};

std::vector<Shown> shippedTexts() {
  const tj::data::QuestionSet set = tj::data::readSet(TJ_CONTENT_DIR).set;
  Shown question{tj::kQuestionBox, {}}, answer{tj::kAnswerBox, {}}, title{tj::kCardTitleBox, {}},
      card{tj::kCardTextBox, {}};
  for (const auto* level : {&set.easy, &set.hard})
    for (const auto& q : *level) {
      question.texts.push_back(q.text);
      answer.texts.insert(answer.texts.end(), {q.wrong[0], q.wrong[1], q.wrong[2], q.right});
    }
  for (const auto& c : set.cards) title.texts.push_back(c.title), card.texts.push_back(c.text);
  // Break places and characters beyond the shipped texts.
  card.texts.insert(card.texts.end(), {"Nord-Ostsee-Kanal und/oder E-Mail an 3-4 Leute – ja!",
                                       "Straße, Größe, Übung: ÄÖÜ äöü ß „Zitat“ 10.000 3,5 km/h",
                                       "Ein Wort mit weichem Trenn\u00ADstrich und ge\u00A0schützten Blanks"});
  return {question, answer, title, card};
}

// The narrowest width at which `lines(width)` is at most `most`; lines() falls as the
// width grows.
int narrowest(int most, int widest, const std::function<int(int)>& lines) {
  int lo = 1, hi = widest;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (lines(mid) <= most)
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

TEST(TextMeasure, AgreesWithTheFrontEndOnShippedTexts) {
  int compared = 0;
  for (const Shown& shown : shippedTexts()) {
    const tj::Font& f = shown.box.font;
    const QFont qfont = tj::ui::toQFont(f, tj::text::kUnscaledPixelsPerPoint);
    const QFontMetrics fm(qfont);
    const tj::text::TextMeasure measure(
        {std::string(tj::text::drawnFamily(f.name)), qfont.pixelSize(), f.bold, f.italic});
    ASSERT_TRUE(measure.usable()) << f.name;
    const tj::TextRoom room = tj::textRoom(shown.box);
    for (const std::string& text : shown.texts) {
      const QString q = QString::fromStdString(text);
      const auto piece = measure.widestPiece(text);
      EXPECT_NEAR(piece.width, fm.horizontalAdvance(QString::fromStdString(piece.text)), 1) << text;
      const auto qtWrapped = [&](int width) {
        return fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, q);
      };
      // Lines needed at `width`; a word wider than that counts as too many.
      const auto qtLines = [&](int width) {
        const QRect r = qtWrapped(width);
        return r.width() > width ? 1000 : r.height() / fm.height();
      };
      const auto ourLines = [&](int width) {
        const tj::text::Extent e = measure.wrapped(text, width);
        return e.width > width ? 1000 : e.lines;
      };
      // The front end also breaks at a soft hyphen, after a superscript digit and, now and
      // then, inside a number ("0,|5", "1/|3"); there the measure keeps the word whole and
      // may need more room, never less.
      static const QRegularExpression wholeHere(QStringLiteral("\\d[,./]\\d|\\x{AD}|\\p{No}"));
      const bool keptWhole = q.contains(wholeHere);
      // In the box: the same lines, so the same verdict.
      const QRect qt = qtWrapped(room.width);
      const tj::text::Extent ours = measure.wrapped(text, room.width);
      EXPECT_EQ(ours.height, qt.height()) << text;
      if (!keptWhole) {
        EXPECT_NEAR(ours.width, qt.width(), 1) << text;
      }
      // Near the limit: where one pixel less takes one more line, the two agree to a pixel.
      const int oneLine = fm.horizontalAdvance(q) + 2;
      for (int most = 1; most <= 3; ++most) {
        const int qtLimit = narrowest(most, oneLine, qtLines);
        const int ourLimit = narrowest(most, oneLine, ourLines);
        EXPECT_GE(ourLimit, qtLimit - 1) << text << " in " << most << " lines";
        if (!keptWhole) {
          EXPECT_LE(ourLimit, qtLimit + 1) << text << " in " << most << " lines";
        }
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 1000);
}

// A family that is not installed is measured in the font fontconfig picks instead, and
// says so; a family's name is matched whatever its case.
TEST(TextMeasure, TellsWhetherTheRequestedFamilyIsInstalled) {
  const tj::text::TextMeasure installed({"liberation sans", 13, true, false});
  EXPECT_TRUE(installed.hasRequestedFamily());
  const tj::text::TextMeasure missing({"Keine Schrift dieses Namens", 13, false, false});
  ASSERT_TRUE(missing.usable());
  EXPECT_FALSE(missing.hasRequestedFamily());
  EXPECT_GT(missing.wrapped("Text", 100).height, 0);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
