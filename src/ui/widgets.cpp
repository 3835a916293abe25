// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets.h"

#include "ui/look.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tj::ui {

void WrapButton::setCaption(const QString& text) {
  caption_ = text;
  QString mnemonicFree = text;
  setText(mnemonicFree.replace('&', QStringLiteral("&&")));  // an "&" in data is no shortcut
  setAccessibleName(text);
  update();
}

void WrapButton::setFace(const QColor& c) {
  face_ = c;
  QPalette pal = palette();
  pal.setColor(QPalette::Button, c);
  setPalette(pal);
  update();
}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  opt.text.clear();
  p.drawControl(QStyle::CE_PushButton, opt);
  p.setFont(font());
  p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(110, 110, 110));
  p.drawText(rect().adjusted(kButtonTextInsetX, kButtonTextInsetY, -kButtonTextInsetX, -kButtonTextInsetY), Qt::AlignCenter | Qt::TextWordWrap, caption_);
}

void PictureBox::setPicture(const QPixmap& pm, const QString& fallbackText, bool stretch, double scale) {
  pm_ = pm;
  text_ = fallbackText;
  stretch_ = stretch;
  scale_ = scale;
  update();
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
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
  if (onClick && e->button() == Qt::LeftButton) onClick();
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

void KeyLineEdit::keyPressEvent(QKeyEvent* e) {
  if (onKey) {
    int code = 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) code = 13;
    else if (!e->text().isEmpty()) code = e->text().at(0).unicode();
    if (code) onKey(code);
  }
  QLineEdit::keyPressEvent(e);
}

}  // namespace tj::ui
