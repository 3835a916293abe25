// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing helpers shared by the picture generator's painters. Everything
// here is deterministic: fixed fonts, fixed-seed random numbers.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>

#include <cstdint>

namespace picgen {

// Small xorshift generator: the same seed gives the same sequence on every
// platform.
class Rng {
 public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    std::uint32_t next();
    // Uniform in [lo, hi).
    double uniform(double lo, double hi);

 private:
    std::uint32_t state_;
};

// "DejaVu Sans" at `pixelSize`, hinting off so glyphs do not depend on the
// screen.
QFont dejaVu(int pixelSize, bool bold = true);

// A w x h ARGB32 image filled with `fill`.
QImage canvas(int w, int h, QColor fill);

// Every pixel exactly equal to `matte` becomes transparent. Painters draw
// on the colour the picture will mostly stand on, so antialiased edges
// blend into it, then cut the matte away.
QImage cutMatte(QImage image, QColor matte);

// Alternating black and white squares filling `rect`, `cols` x `rows`.
void drawChequer(QPainter& p, const QRectF& rect, int cols, int rows);

// Side view of a racing car facing right, drawn into the 71 x 33 box at
// the origin of the painter's current transform.
void drawCar(QPainter& p, QColor body);

// Text centred in `rect` with a dark outline so it reads on any colour.
void drawOutlinedText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font, QColor fill,
                      QColor outline, qreal outlineWidth);

}  // namespace picgen
