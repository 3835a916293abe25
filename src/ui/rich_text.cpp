// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/rich_text.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/look.h"

namespace tj::ui {

void showDocument(QTextBrowser& box, const RichDocument& doc, double pxPerPoint) {
  auto* qdoc = new QTextDocument(&box);
  QTextCursor cur(qdoc);
  bool first = true;
  for (const RichParagraph& p : doc.paragraphs) {
    QTextBlockFormat bf;
    bf.setAlignment(p.alignment == Align::Center ? Qt::AlignHCenter : p.alignment == Align::Right ? Qt::AlignRight : Qt::AlignLeft);
    const double pxPerTwip = pxPerPoint / 20.0;
    bf.setTopMargin(p.spaceBefore * pxPerTwip);
    bf.setBottomMargin(p.spaceAfter * pxPerTwip);
    bf.setLeftMargin(p.leftIndent * pxPerTwip);
    bf.setTextIndent(p.firstLineIndent * pxPerTwip);
    QList<QTextOption::Tab> tabs;
    for (float t : p.tabStops) tabs.append(QTextOption::Tab(t * pxPerTwip, QTextOption::LeftTab));
    bf.setTabPositions(tabs);
    bf.setHeadingLevel(p.headingLevel);
    if (first) cur.setBlockFormat(bf);
    else cur.insertBlock(bf);
    first = false;
    for (const RichRun& r : p.runs) {
      QTextCharFormat cf;
      Font f{r.font.empty() ? doc.defaultFont : r.font, r.size, r.bold, r.italic, r.underline};
      cf.setFont(toQFont(f, pxPerPoint));
      cf.setForeground(toQColor(doc.textColor));
      cur.insertText(QString::fromStdString(r.text), cf);
    }
  }
  qdoc->setDefaultFont(toQFont(Font{doc.defaultFont, 12}, pxPerPoint));
  box.setDocument(qdoc);
}

}  // namespace tj::ui
