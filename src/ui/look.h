// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QFont>

#include "screens/text_box.h"

namespace tj::ui {

// The colour the model names, with the system colours of the game's own palette.
QColor toQColor(const Color& c);
// The family drawn for a font the screens name (text::drawnFamily).
QString fontFamily(const std::string& name);
// The font at `pxPerPoint` pixels per point (4/3 at 96 dots per inch, unscaled).
QFont toQFont(const Font& f, double pxPerPoint);

}  // namespace tj::ui
