// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include "text/font_choice.h"

namespace tj::ui {

QColor toQColor(const Color& c) {
  const Color rgb = resolved(c);
  return QColor(rgb.r, rgb.g, rgb.b);
}

QString fontFamily(const std::string& name) {
  const std::string_view family = text::drawnFamily(name);
  return QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
}

QFont toQFont(const Font& f, double pxPerPoint) {
  QFont q(fontFamily(f.name));
  q.setPixelSize(text::pixelSize(f.size, pxPerPoint));
  q.setBold(f.bold);
  q.setItalic(f.italic);
  q.setUnderline(f.underline);
  q.setStyleStrategy(QFont::PreferAntialias);
  return q;
}

}  // namespace tj::ui
