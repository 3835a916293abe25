// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/look.h"

#include <cmath>

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
  if (name == "MS Sans Serif" || name == "Tahoma") return QStringLiteral("Liberation Sans");
  if (name == "Comic Sans MS") return QStringLiteral("Comic Neue");
  if (name == "Modern") return QStringLiteral("Liberation Serif");
  return QString::fromStdString(name);
}

QFont toQFont(const Font& f, double pxPerPoint) {
  QFont q(fontFamily(f.name));
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * pxPerPoint))));
  q.setBold(f.bold);
  q.setItalic(f.italic);
  q.setUnderline(f.underline);
  q.setStyleStrategy(QFont::PreferAntialias);
  return q;
}

}  // namespace tj::ui
