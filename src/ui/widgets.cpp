// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/look.h"

namespace tj::ui {

namespace {

// The text with `removed` characters taken out of its middle and "…" put in their place.
QString cutMiddle(const QString& text, qsizetype removed) {
  const qsizetype keep = std::max<qsizetype>(0, text.size() - removed);
  const qsizetype head = (keep + 1) / 2;
  return text.left(head) + QChar(0x2026) + text.right(keep - head);
}

// A ring that shows on light and dark faces alike: white under a dashed black line.
void drawFocusRing(QPainter& p, const QRect& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 3));
  p.drawRect(r.adjusted(2, 2, -3, -3));
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawRect(r.adjusted(2, 2, -3, -3));
  p.restore();
}

bool activates(const QKeyEvent* e) {
  return !e->isAutoRepeat() && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Space);
}

}  // namespace

QString fittedText(const QString& text, const QFont& font, const QSize& box, bool wrap) {
  const QFontMetrics fm(font);
  if (!wrap) {
    const bool fits =
        fm.horizontalAdvance(QString(text).remove(QRegularExpression(QStringLiteral("\\s+$")))) <= box.width();
    return fits ? text : fm.elidedText(text, Qt::ElideMiddle, box.width());
  }
  const int height = std::max(box.height(), fm.height());
  auto fits = [&](const QString& t) {
    const QRect r = fm.boundingRect(QRect(0, 0, box.width(), 1 << 20), Qt::TextWordWrap, t);
    return r.height() <= height && r.width() <= box.width();
  };
  // No more characters fit than lines times the narrowest characters per line: a longer
  // text (100 kB from a broken question set) is cut to that before it is measured.
  const qsizetype lines = height / std::max(1, fm.lineSpacing()) + 1;
  const qsizetype most = lines * (box.width() / std::max(1, fm.horizontalAdvance(QLatin1Char('.'))) + 1);
  if (text.size() <= most && fits(text)) return text;
  qsizetype lo = std::max<qsizetype>(1, text.size() - most), hi = text.size();  // characters to take out
  while (lo < hi) {
    const qsizetype mid = (lo + hi) / 2;
    if (fits(cutMiddle(text, mid)))
      hi = mid;
    else
      lo = mid + 1;
  }
  return cutMiddle(text, lo);
}

void WrapButton::setCaption(const QString& text) {
  caption_ = text;
  QString mnemonicFree = text;
  setText(mnemonicFree.replace('&', QStringLiteral("&&")));  // an "&" in data is no shortcut
  update();
}

void WrapButton::setMark(Mark m) {
  mark_ = m;
  update();
}

void WrapButton::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (!e->isAutoRepeat()) click();
    e->accept();
    return;
  }
  QPushButton::keyPressEvent(e);
}

void WrapButton::setFace(const QColor& c) {
  face_ = c;
  QPalette pal = palette();
  pal.setColor(QPalette::Button, c);
  setPalette(pal);
  update();
}

QRect WrapButton::captionRect() const {
  QRect text = rect().adjusted(kButtonTextInsetX, kButtonTextInsetY, -kButtonTextInsetX, -kButtonTextInsetY);
  if (mark_ != Mark::None) text.setLeft(text.left() + markRoom(height()));
  return text;
}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  opt.text.clear();
  p.drawControl(QStyle::CE_PushButton, opt);
  const QRect text = captionRect();
  if (mark_ != Mark::None) {
    // A check for the right answer, a cross for a wrong click, and a thick frame, so the
    // result reads without telling green from red.
    const int side = markSide(height());
    const QRectF sign(kButtonTextInsetX + kMarkIndent, text.center().y() - side / 2.0, side, side);
    QPainterPath path;
    if (mark_ == Mark::Right) {
      path.moveTo(sign.left(), sign.center().y());
      path.lineTo(sign.left() + side * 0.4, sign.bottom());
      path.lineTo(sign.right(), sign.top());
    } else {
      path.moveTo(sign.topLeft());
      path.lineTo(sign.bottomRight());
      path.moveTo(sign.topRight());
      path.lineTo(sign.bottomLeft());
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.strokePath(path, QPen(Qt::white, std::max(4.0, side / 4.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.strokePath(path, QPen(Qt::black, std::max(2.0, side / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setPen(QPen(Qt::black, 4, mark_ == Mark::Right ? Qt::SolidLine : Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
  }
  p.setFont(font());
  p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(110, 110, 110));
  p.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, caption_);
  if (hasFocus()) drawFocusRing(p, rect());
}

void PictureBox::setPicture(const QPixmap& pm, const QString& fallbackText, bool stretch, double scale) {
  pm_ = pm;
  text_ = fallbackText;
  stretch_ = stretch;
  scale_ = scale;
  update();
}

namespace {
// A picture that works as a button is one for screen readers too, with a press action.
class PictureButtonAccessible final : public QAccessibleWidget {
 public:
  explicit PictureButtonAccessible(PictureBox* p) : QAccessibleWidget(p, QAccessible::Button) {}
  QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
  void doAction(const QString& action) override {
    auto* p = static_cast<PictureBox*>(widget());
    if (action == pressAction() && p->onClick)
      p->onClick();
    else
      QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* pictureButtonFactory(const QString&, QObject* object) {
  auto* p = dynamic_cast<PictureBox*>(object);
  return p && p->isButton() ? new PictureButtonAccessible(p) : nullptr;
}
}  // namespace

void PictureBox::makeButton() {
  static const bool installed = (QAccessible::installFactory(&pictureButtonFactory), true);
  (void)installed;
  button_ = true;
  setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!pm_.isNull()) {
    if (stretch_) {
      p.drawPixmap(rect(), pm_);
    } else {
      const QSize s(qRound(pm_.width() * scale_), qRound(pm_.height() * scale_));
      p.drawPixmap(QRect(QPoint(0, 0), s), pm_);
    }
  } else if (!text_.isEmpty()) {
    // A picture the program draws itself, like a die showing its number.
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r = rect().adjusted(2, 2, -2, -2);
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawRoundedRect(r, r.width() / 8.0, r.height() / 8.0);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(8, r.height() / 2));
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, text_);
  }
  if (hasFocus()) drawFocusRing(p, rect());
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
  if (onClick && e->button() == Qt::LeftButton) onClick();
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
  if (button_ && onClick && activates(e)) {
    e->accept();
    onClick();
    return;
  }
  QLabel::keyPressEvent(e);
}

void FrameBox::setLook(const QString& caption, const QFont& font, const QColor& back, const QColor& fore) {
  caption_ = caption;
  font_ = font;
  back_ = back;
  fore_ = fore;
  setAccessibleName(caption);
  update();
}

void FrameBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), back_);
  p.setPen(QPen(fore_.darker(120), 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  p.setFont(font_);
  p.setPen(fore_);
  p.drawText(rect().adjusted(8, 2, -8, -2), Qt::AlignLeft | Qt::AlignTop, caption_);
}

void KeyLineEdit::focusInEvent(QFocusEvent* e) {
  // Everything the line edit tells screen readers while it takes the focus is dropped; the
  // focus event itself comes after this handler.
  const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler([](QAccessibleEvent*) {});
  QLineEdit::focusInEvent(e);
  QAccessible::installUpdateHandler(before);
}

void KeyLineEdit::keyPressEvent(QKeyEvent* e) {
  if (onKey) {
    int code = 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
      code = 13;
    else if (!e->text().isEmpty())
      code = e->text().at(0).unicode();
    if (code) onKey(code);
  }
  QLineEdit::keyPressEvent(e);
}

void TextTable::setColumnWeights(std::vector<int> weights) {
  weights_ = std::move(weights);
  fit();
}

void TextTable::resizeEvent(QResizeEvent* e) {
  QTableWidget::resizeEvent(e);
  fit();
}

void TextTable::fit() {
  int total = 0;
  for (const int w : weights_) total += w;
  const int width = viewport()->width();
  for (int c = 0; c < static_cast<int>(weights_.size()) && c < columnCount(); ++c)
    setColumnWidth(c, total > 0 ? width * weights_[static_cast<std::size_t>(c)] / total : 0);
  resizeRowsToContents();
}

}  // namespace tj::ui
