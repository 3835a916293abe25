// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rich_text.h"

#include <QPointer>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/look.h"

namespace tj::ui {

namespace {

// The widget property that remembers which model document (and scale) it shows, so that
// redrawing the element for another reason keeps the reader's scroll position.
constexpr const char* kShownProperty = "tjRichDocument";

Qt::Alignment toQtAlignment(Align a) {
  switch (a) {
    case Align::Center:
      return Qt::AlignHCenter;
    case Align::Right:
      return Qt::AlignRight;
    case Align::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignAbsolute;
}

QTextCharFormat charFormat(const RichRun& r, const RichDocument& doc, double pxPerPoint) {
  QTextCharFormat cf;
  const Font f{r.font.empty() ? doc.defaultFont : r.font, r.size, r.bold, r.italic, r.underline};
  cf.setFont(toQFont(f, pxPerPoint), QTextCharFormat::FontPropertiesAll);
  cf.setForeground(toQColor(r.color.value_or(doc.textColor)));
  return cf;
}

// Tab stops are measured from the left edge of the text area; Qt measures them from where
// the line starts, which for the first line is left indent plus first-line indent (tabs
// matter there: the hanging number of a list item). Stops at or left of that start
// cannot be reached and are dropped.
QList<QTextOption::Tab> tabStops(const RichParagraph& p, double pxPerTwip) {
  QList<QTextOption::Tab> tabs;
  for (float t : p.tabStops) {
    const double rel = (t - p.leftIndent - p.firstLineIndent) * pxPerTwip;
    if (rel > 0) tabs.append(QTextOption::Tab(rel, QTextOption::LeftTab));
  }
  return tabs;
}

QTextBlockFormat blockFormat(const RichParagraph& p, double pxPerTwip) {
  QTextBlockFormat bf;
  bf.setAlignment(toQtAlignment(p.alignment));
  bf.setTopMargin(p.spaceBefore * pxPerTwip);
  bf.setBottomMargin(p.spaceAfter * pxPerTwip);
  bf.setLeftMargin(p.leftIndent * pxPerTwip);
  bf.setTextIndent(p.firstLineIndent * pxPerTwip);
  bf.setTabPositions(tabStops(p, pxPerTwip));
  bf.setHeadingLevel(p.headingLevel);
  if (p.keepWithNext) bf.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
  return bf;
}

QString runText(const std::string& utf8) {
  QString s = QString::fromStdString(utf8);
  s.replace(QLatin1Char('\n'), QChar::LineSeparator);
  return s;
}

}  // namespace

std::unique_ptr<QTextDocument> buildDocument(const RichDocument& doc, double pxPerPoint) {
  auto qdoc = std::make_unique<QTextDocument>();
  const double pxPerTwip = pxPerPoint / 20.0;
  qdoc->setDefaultFont(toQFont(Font{doc.defaultFont, 12}, pxPerPoint));
  QTextOption opt = qdoc->defaultTextOption();
  opt.setTabStopDistance(doc.defaultTabWidth * pxPerTwip);
  opt.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  qdoc->setDefaultTextOption(opt);
  qdoc->setDocumentMargin(6 * pxPerPoint);
  QTextCursor cur(qdoc.get());
  bool first = true;
  for (const RichParagraph& p : doc.paragraphs) {
    const QTextCharFormat mark = charFormat(p.mark, doc, pxPerPoint);
    if (first) {
      cur.setBlockFormat(blockFormat(p, pxPerTwip));
      cur.setBlockCharFormat(mark);
    } else {
      cur.insertBlock(blockFormat(p, pxPerTwip), mark);
    }
    first = false;
    for (const RichRun& r : p.runs) cur.insertText(runText(r.text), charFormat(r, doc, pxPerPoint));
  }
  return qdoc;
}

void showDocument(QTextBrowser& box, const RichDocument& doc, double pxPerPoint) {
  const QString key =
      QString::number(reinterpret_cast<quintptr>(&doc)) + QLatin1Char('@') + QString::number(pxPerPoint);
  box.setReadOnly(true);
  box.setUndoRedoEnabled(false);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box.setLineWrapMode(QTextEdit::WidgetWidth);
  if (box.property(kShownProperty).toString() == key) return;
  const int scroll = box.verticalScrollBar()->value();
  // The box deletes its own first document itself when another is set; ours it leaves.
  const QPointer<QTextDocument> old = box.document();
  std::unique_ptr<QTextDocument> qdoc = buildDocument(doc, pxPerPoint);
  qdoc->setParent(&box);
  box.setDocument(qdoc.release());
  if (old && old->parent() == &box) old->deleteLater();
  QPalette pal = box.palette();
  pal.setColor(QPalette::Text, toQColor(doc.textColor));
  box.setPalette(pal);
  box.setProperty(kShownProperty, key);
  if (scroll > 0) box.verticalScrollBar()->setValue(scroll);
}

}  // namespace tj::ui
