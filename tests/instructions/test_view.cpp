// SPDX-License-Identifier: GPL-3.0-or-later
// The instructions in the real front end, on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QTimer>

#include "screens/all_screens.h"
#include "stored_document.h"
#include "ui/qt_loop.h"

namespace tj::ui {
namespace {

constexpr Qt::Alignment kHorizontal = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify;

void spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct View : ::testing::Test {
  SystemClock clock;
  ClockSeededRandom random{clock};
  QtPictures pictures;
  QtEventLoop loop{pictures};
  App app{services()};
  QTextBrowser* box = nullptr;

  Services services() {
    Services s{loop, random, pictures, "/nirgends", "/nirgends", [](const std::string&) {}};
    s.storedText = [](const std::string& name) { return testing::storedText(name); };
    return s;
  }
  void SetUp() override {
    loop.attach(app);
    defineScreens(app.forms);
    app.dispatch([this] { app.forms.get("frmAnleitung").Show(); });
    spin(50);
    for (QWidget* w : QApplication::allWidgets())
      if (w->objectName() == "rtfAnleitung" && w->isVisible()) box = qobject_cast<QTextBrowser*>(w);
    ASSERT_NE(box, nullptr);
  }
  void TearDown() override {
    app.dispatch([this] { app.forms.UnloadForms(); });
    spin(10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QTextBlock block(int n) const { return box->document()->findBlockByNumber(n - 1); }
  // Where character `pos` of paragraph `n` is drawn, in document pixels.
  double xOf(int n, int pos) const {
    const QTextBlock b = block(n);
    const QTextLine line = b.layout()->lineForTextPosition(pos);
    return b.layout()->position().x() + line.cursorToX(pos);
  }
};

// The box is read-only, holds all 45 paragraphs, is longer than the box, and scrolling to
// the end shows the last paragraph.
TEST_F(View, scrollsToTheLastParagraph) {
  EXPECT_TRUE(box->isReadOnly());
  ASSERT_EQ(box->document()->blockCount(), 45);
  QScrollBar* bar = box->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "the document is longer than the box";
  const QRectF last = box->document()->documentLayout()->blockBoundingRect(block(45));
  auto lastVisible = [&] {
    const QRectF view(0, bar->value(), box->viewport()->width(), box->viewport()->height());
    return view.contains(last.center());
  };
  EXPECT_FALSE(lastVisible());
  box->moveCursor(QTextCursor::End);
  bar->setValue(bar->maximum());
  spin(10);
  EXPECT_TRUE(lastVisible());
  // Redrawing the element for another reason keeps the reader's place.
  const int place = bar->value();
  app.dispatch([this] { app.forms.get("frmAnleitung").find("rtfAnleitung")->setVisible(true); });
  app.dispatch([this] { app.forms.get("frmAnleitung").find("cmdWeg")->setCaption("Ausblenden"); });
  spin(10);
  EXPECT_EQ(bar->value(), place);
}

// The paragraph and character formatting reach the widget: alignment, hanging list
// numbers whose tab lands on the text's left edge, fonts, styles and the text colour.
TEST_F(View, reproducesTheFormatting) {
  EXPECT_EQ(block(1).blockFormat().alignment() & kHorizontal, Qt::AlignHCenter);
  EXPECT_EQ(block(1).blockFormat().headingLevel(), 1);
  EXPECT_EQ(block(17).blockFormat().alignment() & kHorizontal, Qt::AlignLeft);

  const QTextBlockFormat list = block(17).blockFormat();
  ASSERT_GT(list.leftMargin(), 0);
  EXPECT_NEAR(list.textIndent(), -list.leftMargin() / 2, 0.01);
  const double numberX = xOf(17, 0);   // "1."
  const double headingX = xOf(17, 3);  // "Würfeln:" after the tab
  EXPECT_NEAR(headingX - numberX, -list.textIndent(), 1.5) << "the number hangs left of the text";
  const double lineStart = block(17).layout()->position().x() + block(17).layout()->lineAt(0).x();
  EXPECT_NEAR(numberX, lineStart, 0.5);

  struct CharCase {
    int n, pos;
    const char* family;
    bool bold, italic, underline;
  };
  const CharCase cases[] = {
      {1, 1, "Comic Neue", true, true, true},       // TANK-Jagd
      {4, 27, "DejaVu Sans", false, false, false},  // the smiley
      {18, 1, "Comic Neue", false, true, false},    // Klick ...
  };
  for (const CharCase& c : cases) {
    SCOPED_TRACE("paragraph " + std::to_string(c.n));
    QTextCursor cur(block(c.n));
    cur.setPosition(block(c.n).position() + c.pos);
    const QTextCharFormat f = cur.charFormat();
    EXPECT_EQ(f.font().family(), c.family);
    EXPECT_EQ(f.font().bold(), c.bold);
    EXPECT_EQ(f.font().italic(), c.italic);
    EXPECT_EQ(f.font().underline(), c.underline);
    EXPECT_EQ(f.foreground().color(), QColor(255, 255, 153));
  }
  // Larger type is drawn larger: 20 point "Viel Glück!!!" against 14 point list text.
  QTextCursor big(block(44));
  big.setPosition(block(44).position() + 4);
  QTextCursor normal(block(18));
  normal.setPosition(block(18).position() + 1);
  EXPECT_NEAR(static_cast<double>(big.charFormat().font().pixelSize()) / normal.charFormat().font().pixelSize(),
              20.0 / 14.0, 0.1);
}

// The program reads the document from its resources; they hold the file from assets/.
TEST(StoredResource, holdsTheInstructionsDocument) {
  QFile f(QStringLiteral(":/anleitung.rtf"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), testing::storedAnleitung());
}

}  // namespace
}  // namespace tj::ui
