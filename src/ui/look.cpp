// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include "text/font_choice.h"

namespace tj::ui {

QColor toQColor(const Color& c) {
  switch (c.system) {
    case Color::System::Highlight:
      return QColor(12, 58, 138);
    case Color::System::HighlightText:
      return QColor(255, 255, 255);
    case Color::System::ButtonFace:
      return QColor(236, 233, 216);
    case Color::System::WindowText:
      return QColor(0, 0, 0);
    case Color::System::None:
      break;
  }
  return QColor(c.r, c.g, c.b);
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
