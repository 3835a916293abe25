// SPDX-License-Identifier: GPL-3.0-or-later
// Action card pictures, the winner picture and the skip-turn picture.
#include "paintkit.h"
#include "pictures.h"

#include <QPainterPath>

#include <cmath>

#include "game/cards.h"
#include "screens/element.h"

namespace picgen {
namespace {

constexpr int kCardW = 240;
constexpr int kCardH = 160;
// The colour of the card and the winner windows: card pictures are cut out of it, the winner
// picture is painted on it.
const QColor kWindowYellow(tj::kPastelYellow.r, tj::kPastelYellow.g, tj::kPastelYellow.b);
const QColor kPlus(20, 150, 40);
const QColor kMinus(210, 30, 30);

QPainterPath dropPath(QPointF tip, qreal size) {
    QPainterPath drop;
    drop.moveTo(tip);
    drop.cubicTo(tip + QPointF(size * 0.6, size * 0.9), tip + QPointF(size * 0.6, size * 1.5),
                 tip + QPointF(0, size * 1.5));
    drop.cubicTo(tip + QPointF(-size * 0.6, size * 1.5), tip + QPointF(-size * 0.6, size * 0.9), tip);
    return drop;
}

void cardText(QPainter& p, const QRectF& rect, const QString& text, QColor colour, int size = 34) {
    drawOutlinedText(p, rect, text, dejaVu(size), colour, QColor(255, 255, 255), 5);
}

void paintPump(QPainter& p, const QString& label) {
    p.setPen(QPen(QColor(40, 40, 40), 2));
    QLinearGradient body(30, 0, 100, 0);
    body.setColorAt(0, QColor(240, 60, 50));
    body.setColorAt(1, QColor(170, 20, 20));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(30, 22, 66, 120), 10, 10);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(24, 140, 78, 10));
    p.setBrush(QColor(210, 240, 210));
    p.drawRoundedRect(QRectF(40, 34, 46, 30), 4, 4);
    p.setPen(QPen(QColor(20, 90, 30), 3));
    p.drawLine(QPointF(48, 46), QPointF(78, 46));
    p.drawLine(QPointF(48, 54), QPointF(70, 54));
    // Hose and nozzle.
    p.setPen(QPen(QColor(30, 30, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath hose;
    hose.moveTo(96, 80);
    hose.cubicTo(130, 80, 130, 130, 112, 120);
    p.drawPath(hose);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(250, 200, 20));
    p.drawRoundedRect(QRectF(100, 58, 20, 30), 4, 4);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(116, 60, 12, 5));
    cardText(p, QRectF(130, 50, 110, 60), label, kPlus);
}

void paintJerrycan(QPainter& p, const QString& label) {
    QPainterPath can;
    can.moveTo(45, 40);
    can.lineTo(95, 30);
    can.lineTo(110, 45);
    can.lineTo(110, 145);
    can.lineTo(35, 145);
    can.lineTo(35, 55);
    can.closeSubpath();
    QLinearGradient g(35, 0, 110, 0);
    g.setColorAt(0, QColor(60, 170, 60));
    g.setColorAt(1, QColor(20, 100, 30));
    p.setPen(QPen(QColor(20, 50, 20), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(can);
    p.setPen(QPen(QColor(30, 80, 30), 4));
    p.drawLine(QPointF(45, 65), QPointF(100, 135));
    p.drawLine(QPointF(100, 65), QPointF(45, 135));
    p.setPen(QPen(QColor(20, 50, 20), 2.5));
    p.setBrush(QColor(60, 170, 60));
    p.drawRoundedRect(QRectF(58, 18, 30, 14), 5, 5);
    p.setBrush(QColor(240, 200, 40));
    p.drawRect(QRectF(38, 30, 12, 12));
    cardText(p, QRectF(120, 50, 120, 60), label, kPlus);
}

void paintTank(QPainter& p, int holes, qreal puddle, const QString& label) {
    // Puddle first, under the tank.
    QRadialGradient pool(QPointF(80, 142), puddle);
    pool.setColorAt(0, QColor(110, 80, 40));
    pool.setColorAt(1, QColor(70, 50, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(pool);
    p.drawEllipse(QPointF(80, 142), puddle, puddle * 0.22);
    // Fuel tank: a horizontal cylinder on legs.
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(35, 95, 8, 38));
    p.drawRect(QRectF(112, 95, 8, 38));
    QLinearGradient metal(0, 30, 0, 105);
    metal.setColorAt(0, QColor(250, 120, 100));
    metal.setColorAt(0.4, QColor(220, 50, 40));
    metal.setColorAt(1, QColor(130, 20, 20));
    p.setBrush(metal);
    p.drawRoundedRect(QRectF(20, 30, 115, 72), 30, 30);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(70, 20, 16, 12));
    // Holes with streams of fuel.
    for (int h = 0; h < holes; ++h) {
        const QPointF hole(55 + h * 35, 88);
        p.setPen(QPen(QColor(30, 30, 30), 1.5));
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(hole, 3.5, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 110, 40));
        if (puddle > 50) p.drawRect(QRectF(hole.x() - 2, hole.y(), 4, 48));
        p.drawPath(dropPath(hole + QPointF(0, 14), 7));
        p.drawPath(dropPath(hole + QPointF(0, 30), 6));
    }
    cardText(p, QRectF(140, 50, 100, 60), label, kMinus);
}

void paintArrow(QPainter& p, bool forward, int steps) {
    const QColor colour = forward ? QColor(40, 180, 60) : QColor(220, 40, 40);
    QPainterPath arrow;
    arrow.moveTo(20, 55);
    arrow.lineTo(140, 55);
    arrow.lineTo(140, 22);
    arrow.lineTo(220, 80);
    arrow.lineTo(140, 138);
    arrow.lineTo(140, 105);
    arrow.lineTo(20, 105);
    arrow.closeSubpath();
    if (!forward) arrow = QTransform(-1, 0, 0, 1, kCardW, 0).map(arrow);
    QLinearGradient g(0, 22, 0, 138);
    g.setColorAt(0, colour.lighter(130));
    g.setColorAt(1, colour.darker(130));
    p.setPen(QPen(colour.darker(200), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(arrow);
    const QString label = (forward ? QStringLiteral("+") : QStringLiteral("-")) + QString::number(steps);
    drawOutlinedText(p, QRectF(forward ? 40 : 100, 50, 100, 60), label, dejaVu(44), QColor(255, 255, 255),
                     colour.darker(220), 4);
}

QPolygonF octagon(QPointF c, qreal r) {
    QPolygonF poly;
    for (int k = 0; k < 8; ++k) {
        const qreal a = (k * 45 + 22.5) * M_PI / 180;
        poly << c + QPointF(std::cos(a) * r, std::sin(a) * r);
    }
    return poly;
}

void paintStopSign(QPainter& p, QPointF c, qreal r) {
    p.setPen(QPen(QColor(90, 90, 90), r * 0.12));
    p.drawLine(c, c + QPointF(0, r * 2.2));
    p.setPen(QPen(QColor(255, 255, 255), r * 0.08));
    p.setBrush(QColor(210, 20, 30));
    p.drawPolygon(octagon(c, r));
    p.setPen(QPen(QColor(120, 10, 10), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(octagon(c, r * 1.04));
    drawOutlinedText(p, QRectF(c.x() - r, c.y() - r / 2, 2 * r, r), QStringLiteral("STOP"), dejaVu(int(r * 0.55)),
                     QColor(255, 255, 255), QColor(210, 20, 30), 0.5);
}

void paintSleepingDriver(QPainter& p) {
    p.save();
    p.translate(6, 48);
    p.scale(2.6, 2.6);
    drawCar(p, QColor(40, 120, 230));
    // Closed eyes on the helmet's visor.
    p.setPen(QPen(QColor(20, 20, 20), 0.5));
    p.drawArc(QRectF(30.2, 9.8, 1.6, 1.2), 180 * 16, 180 * 16);
    p.restore();
    int size = 16;
    qreal x = 122;
    qreal y = 66;
    for (int k = 0; k < 3; ++k) {
        drawOutlinedText(p, QRectF(x, y - size, size * 1.2, size * 1.2), QStringLiteral("Z"), dejaVu(size),
                         QColor(40, 60, 160), QColor(255, 255, 255), 3);
        x += size * 0.9;
        y -= size * 0.75;
        size += 6;
    }
}

// Picture `k` (counted from 0) of a card, drawn for its effect: a pump or a can for much or
// little fuel, a leaking tank for fuel lost, an arrow for fields, a stop sign or a sleeping
// driver for a turn to sit out.
QImage card(const tj::KnownCard& known, int k) {
    using Kind = tj::CardCode::Kind;
    QImage img = canvas(kCardW, kCardH, kWindowYellow);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const int amount = known.effect.amount;
    const QString litres = QStringLiteral("%1%2 L").arg(amount > 0 ? '+' : '-').arg(std::abs(amount));
    switch (known.effect.kind) {
        case Kind::Fuel:
            if (amount >= 10)
                paintPump(p, litres);
            else if (amount > 0)
                paintJerrycan(p, litres);
            else if (amount <= -10)
                paintTank(p, 2, 75, litres);
            else
                paintTank(p, 1, 30, litres);
            break;
        case Kind::Move:
            paintArrow(p, amount > 0, std::abs(amount));
            break;
        case Kind::Skip:
        case Kind::None:
            if (k == 0)
                paintStopSign(p, QPointF(120, 62), 52);
            else
                paintSleepingDriver(p);
            break;
    }
    p.end();
    return cutMatte(img, kWindowYellow);
}

void paintTrophy(QPainter& p, QPointF base) {
    QLinearGradient gold(base.x() - 40, 0, base.x() + 40, 0);
    gold.setColorAt(0, QColor(200, 140, 20));
    gold.setColorAt(0.4, QColor(255, 230, 110));
    gold.setColorAt(1, QColor(180, 120, 10));
    p.setPen(QPen(QColor(120, 80, 0), 2));
    p.setBrush(gold);
    p.drawRect(QRectF(base.x() - 30, base.y() - 18, 60, 18));
    p.drawRect(QRectF(base.x() - 8, base.y() - 48, 16, 30));
    QPainterPath cup;
    cup.moveTo(base.x() - 42, base.y() - 130);
    cup.lineTo(base.x() + 42, base.y() - 130);
    cup.cubicTo(base.x() + 42, base.y() - 70, base.x() + 20, base.y() - 48, base.x(), base.y() - 48);
    cup.cubicTo(base.x() - 20, base.y() - 48, base.x() - 42, base.y() - 70, base.x() - 42, base.y() - 130);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 140, 20), 7));
    p.drawEllipse(QPointF(base.x() - 45, base.y() - 105), 14, 18);
    p.drawEllipse(QPointF(base.x() + 45, base.y() - 105), 14, 18);
    p.setPen(QPen(QColor(120, 80, 0), 2));
    p.setBrush(gold);
    p.drawPath(cup);
    drawOutlinedText(p, QRectF(base.x() - 20, base.y() - 115, 40, 40), QStringLiteral("1"), dejaVu(34),
                     QColor(255, 250, 200), QColor(150, 100, 0), 3);
}

void paintFlag(QPainter& p, QPointF foot, bool leanLeft) {
    const QPointF top = foot + QPointF(leanLeft ? -40 : 40, -150);
    p.setPen(QPen(QColor(90, 60, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(foot, top);
    p.save();
    p.translate(top);
    p.rotate(leanLeft ? -15 : 15);
    const QRectF cloth = leanLeft ? QRectF(-72, 0, 72, 48) : QRectF(0, 0, 72, 48);
    drawChequer(p, cloth, 6, 4);
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cloth);
    p.restore();
}

QImage winner() {
    const int w = 461, h = 409;
    QImage img = canvas(w, h, kWindowYellow);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(w / 2.0, 170);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 16; ++k) {
        QPainterPath ray;
        const qreal a0 = k * M_PI / 8, a1 = a0 + M_PI / 16;
        ray.moveTo(centre);
        ray.lineTo(centre + QPointF(std::cos(a0), std::sin(a0)) * 500);
        ray.lineTo(centre + QPointF(std::cos(a1), std::sin(a1)) * 500);
        ray.closeSubpath();
        p.setBrush(QColor(255, 220, 90));
        p.drawPath(ray);
    }
    Rng rng(4242u);
    const QColor confetti[] = {QColor(230, 40, 40), QColor(40, 110, 230), QColor(40, 170, 60), QColor(250, 150, 20),
                               QColor(180, 60, 200)};
    for (int k = 0; k < 90; ++k) {
        p.save();
        p.translate(rng.uniform(0, w), rng.uniform(0, h - 60));
        p.rotate(rng.uniform(0, 180));
        p.setBrush(confetti[rng.next() % 5]);
        p.drawRect(QRectF(-4, -2, 8, 4));
        p.restore();
    }
    // Podium.
    const QColor steps[] = {QColor(180, 180, 190), QColor(240, 190, 40), QColor(200, 120, 60)};
    const QRectF blocks[] = {QRectF(95, 250, 90, 70), QRectF(185, 215, 92, 105), QRectF(277, 270, 90, 50)};
    const char* labels[] = {"2", "1", "3"};
    for (int k = 0; k < 3; ++k) {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(steps[k]);
        p.drawRect(blocks[k]);
        drawOutlinedText(p, blocks[k], QString::fromLatin1(labels[k]), dejaVu(30), QColor(255, 255, 255),
                         QColor(60, 60, 60), 3);
    }
    paintTrophy(p, QPointF(231, 215));
    paintFlag(p, QPointF(70, 320), true);
    paintFlag(p, QPointF(391, 320), false);
    // Ground and the winning car.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(92, 94, 100));
    p.drawRect(QRectF(0, 320, w, h - 320));
    drawChequer(p, QRectF(0, 320, w, 12), 38, 1);
    p.save();
    p.translate(120, 334);
    p.scale(3.1, 2.2);
    drawCar(p, QColor(230, 20, 20));
    p.restore();
    drawOutlinedText(p, QRectF(0, 8, w, 60), QStringLiteral("SIEG!"), dejaVu(48), QColor(230, 30, 30),
                     QColor(255, 255, 255), 6);
    p.end();
    return img;
}

QImage skipTurn() {
    const int w = 105, h = 164;
    QImage img = canvas(w, h, QColor(190, 225, 250));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 190, 80));
    p.drawRect(QRectF(0, 118, w, h - 118));
    p.setBrush(QColor(92, 94, 100));
    p.drawRect(QRectF(0, 128, w, 30));
    // Traffic light on a pole, red lit.
    p.setBrush(QColor(80, 80, 80));
    p.drawRect(QRectF(49, 80, 7, 50));
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(QColor(40, 40, 45));
    p.drawRoundedRect(QRectF(32, 6, 41, 92), 8, 8);
    const QColor lamps[] = {QColor(255, 40, 30), QColor(90, 80, 20), QColor(20, 70, 30)};
    for (int k = 0; k < 3; ++k) {
        const QPointF c(52.5, 22 + k * 29);
        if (k == 0) {
            QRadialGradient glow(c, 22);
            glow.setColorAt(0, QColor(255, 120, 100, 200));
            glow.setColorAt(1, QColor(255, 60, 40, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(c, 22, 22);
            p.setPen(QPen(QColor(20, 20, 20), 1.5));
        }
        p.setBrush(lamps[k]);
        p.drawEllipse(c, 11, 11);
    }
    // The parked car waits.
    p.save();
    p.translate(4, 126);
    p.scale(97.0 / 71.0, 1.15);
    drawCar(p, QColor(240, 200, 0));
    p.restore();
    p.end();
    return img;
}

}  // namespace

std::vector<Picture> cardsAndNotices() {
    std::vector<Picture> out;
    for (const tj::KnownCard& known : tj::kKnownCards)
        for (int k = 0; k < known.pictureCount; ++k)
            out.push_back({QStringLiteral("app/Bilder/%1.gif").arg(known.firstPicture + k), card(known, k)});
    out.push_back({QStringLiteral("stored/gewonnen.gif"), winner()});
    out.push_back({QStringLiteral("stored/aussetzen.gif"), skipTurn()});
    return out;
}

}  // namespace picgen
