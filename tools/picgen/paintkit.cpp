// SPDX-License-Identifier: GPL-3.0-or-later
#include "paintkit.h"

#include <QPainterPath>

namespace picgen {

std::uint32_t Rng::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Rng::uniform(double lo, double hi) { return lo + (hi - lo) * (double(next()) / 4294967296.0); }

QFont dejaVu(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QImage canvas(int w, int h, QColor fill) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QImage cutMatte(QImage image, QColor matte) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = matte.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xff000000u) == key) line[x] = 0;
        }
    }
    return image;
}

void drawChequer(QPainter& p, const QRectF& rect, int cols, int rows) {
    const qreal w = rect.width() / cols;
    const qreal h = rect.height() / rows;
    p.save();
    p.setPen(Qt::NoPen);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            p.setBrush((r + c) % 2 ? QColor(20, 20, 20) : QColor(250, 250, 250));
            p.drawRect(QRectF(rect.left() + c * w, rect.top() + r * h, w, h));
        }
    }
    p.restore();
}

namespace {

QPainterPath carBody() {
    QPainterPath body;
    body.moveTo(3, 25);
    body.lineTo(2.5, 14.5);
    body.lineTo(15, 13.5);
    body.cubicTo(19, 12.5, 22, 5.5, 28, 5.2);
    body.lineTo(40, 5.2);
    body.cubicTo(45, 5.5, 48, 10.5, 51, 13.2);
    body.lineTo(62, 14.5);
    body.cubicTo(67, 15.2, 69.5, 17.5, 69.5, 21);
    body.lineTo(69, 25);
    body.closeSubpath();
    return body;
}

void drawWheel(QPainter& p, QPointF centre) {
    p.setPen(QPen(QColor(15, 15, 15), 1.0));
    p.setBrush(QColor(38, 38, 40));
    p.drawEllipse(centre, 7.2, 7.2);
    QRadialGradient hub(centre - QPointF(1, 1), 4.0);
    hub.setColorAt(0, QColor(235, 235, 235));
    hub.setColorAt(1, QColor(140, 140, 150));
    p.setBrush(hub);
    p.setPen(QPen(QColor(60, 60, 60), 0.6));
    p.drawEllipse(centre, 3.4, 3.4);
}

}  // namespace

void drawCar(QPainter& p, QColor body) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(22, 22, 26);
    // Rear wing.
    p.setPen(QPen(outline, 1.0));
    p.setBrush(body.darker(130));
    p.drawRect(QRectF(6, 9.5, 2.5, 5));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1, 6.5, 12, 3.5), 1, 1);

    QLinearGradient shade(0, 5, 0, 26);
    shade.setColorAt(0.0, body.lighter(body.value() > 230 ? 100 : 150));
    shade.setColorAt(0.45, body);
    shade.setColorAt(1.0, body.darker(150));
    p.setPen(QPen(outline, 1.3));
    p.setBrush(shade);
    p.drawPath(carBody());

    // Racing stripe and start number disc.
    const QColor stripe = body.lightness() > 170 ? QColor(30, 30, 30) : QColor(255, 255, 255);
    p.setPen(QPen(stripe, 1.6));
    p.drawLine(QPointF(4, 18.5), QPointF(66, 19.5));
    p.setPen(QPen(outline, 0.8));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(35, 18.5), 4.2, 4.2);
    p.setPen(QPen(QColor(20, 20, 20), 1.2));
    p.drawLine(QPointF(35.3, 16.2), QPointF(35.3, 21));
    p.drawLine(QPointF(35.3, 16.2), QPointF(34, 17.4));

    // Windows with the driver's helmet.
    QPainterPath window;
    window.moveTo(21, 13);
    window.cubicTo(23, 9, 25, 7, 29, 7);
    window.lineTo(39.5, 7);
    window.cubicTo(43, 7.2, 45.5, 10, 48, 13);
    window.closeSubpath();
    QLinearGradient glass(0, 7, 0, 13);
    glass.setColorAt(0, QColor(210, 240, 255));
    glass.setColorAt(1, QColor(90, 150, 200));
    p.setPen(QPen(outline, 0.9));
    p.setBrush(glass);
    p.drawPath(window);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 40, 40));
    p.drawEllipse(QPointF(31, 10.8), 2.6, 2.4);
    p.setPen(QPen(outline, 1.0));
    p.drawLine(QPointF(34.5, 7), QPointF(34.5, 13));

    // Lights.
    p.setPen(QPen(outline, 0.6));
    p.setBrush(QColor(255, 240, 120));
    p.drawEllipse(QPointF(66.5, 17.8), 1.8, 1.5);
    p.setBrush(QColor(220, 30, 30));
    p.drawRect(QRectF(2.8, 15.5, 2.2, 2.6));

    drawWheel(p, QPointF(16.5, 25));
    drawWheel(p, QPointF(55.5, 25));
    p.restore();
}

void drawOutlinedText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font, QColor fill,
                      QColor outline, qreal outlineWidth) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(rect.center() - box.center());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

}  // namespace picgen
