// SPDX-License-Identifier: GPL-3.0-or-later
// Die faces, cars and the icons of the game and of the question editor.
#include "paintkit.h"
#include "pictures.h"

#include <QPainterPath>

#include <array>

namespace picgen {
namespace {

constexpr int kDieSize = 86;
const QColor kDieMatte(0, 120, 215);  // the board's usual highlight colour

void drawDieBody(QPainter& p, QColor face) {
    const QRectF outer(2, 2, 82, 82);
    QLinearGradient edge(outer.topLeft(), outer.bottomRight());
    edge.setColorAt(0, face.lighter(105));
    edge.setColorAt(1, face.darker(165));
    p.setPen(QPen(QColor(60, 60, 70), 1.2));
    p.setBrush(edge);
    p.drawRoundedRect(outer, 16, 16);
    const QRectF top(7, 6, 70, 70);
    QRadialGradient shine(QPointF(28, 26), 70);
    shine.setColorAt(0, face.lighter(108));
    shine.setColorAt(1, face.darker(112));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(top, 12, 12);
}

void drawPip(QPainter& p, QPointF c) {
    QRadialGradient g(c + QPointF(-1.8, -1.8), 7.5);
    g.setColorAt(0, QColor(95, 95, 105));
    g.setColorAt(1, QColor(5, 5, 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 255));
    p.drawEllipse(c + QPointF(0.8, 0.8), 7.2, 7.2);
    p.setBrush(g);
    p.drawEllipse(c, 7.0, 7.0);
}

QImage dieFace(int pips) {
    QImage img = canvas(kDieSize, kDieSize, kDieMatte);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawDieBody(p, QColor(252, 252, 250));
    const qreal lo = 23, mid = 42, hi = 61;
    std::vector<QPointF> at;
    if (pips % 2 == 1) at.push_back({mid, mid});
    if (pips >= 2) {
        at.push_back({lo, hi});
        at.push_back({hi, lo});
    }
    if (pips >= 4) {
        at.push_back({lo, lo});
        at.push_back({hi, hi});
    }
    if (pips == 6) {
        at.push_back({lo, mid});
        at.push_back({hi, mid});
    }
    for (const QPointF& c : at) drawPip(p, c);
    p.end();
    return cutMatte(img, kDieMatte);
}

QImage diePlaceholder() {
    QImage img = canvas(kDieSize, kDieSize, kDieMatte);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawDieBody(p, QColor(185, 185, 190));
    drawOutlinedText(p, QRectF(6, 5, 72, 72), QStringLiteral("?"), dejaVu(52), QColor(250, 250, 250),
                     QColor(90, 90, 100), 3);
    p.end();
    return cutMatte(img, kDieMatte);
}

// Cars stand on the grey road: antialiased edges blend into asphalt.
const QColor kCarMatte(97, 99, 101);

QImage carRight(QColor body) {
    QImage img = canvas(71, 33, kCarMatte);
    QPainter p(&img);
    drawCar(p, body);
    p.end();
    return cutMatte(img, kCarMatte);
}

QImage appIcon(int size) {
    QImage img = canvas(size, size, Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Round green badge.
    QRadialGradient bg(QPointF(24, 20), 44);
    bg.setColorAt(0, QColor(120, 210, 110));
    bg.setColorAt(1, QColor(30, 130, 50));
    p.setPen(QPen(QColor(20, 70, 30), 2));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
    // Chequered flag at the top right.
    p.setPen(QPen(QColor(60, 40, 20), 2.2));
    p.drawLine(QPointF(36, 6), QPointF(36, 34));
    drawChequer(p, QRectF(37, 7, 22, 14), 4, 3);
    p.setPen(QPen(QColor(30, 30, 30), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(37, 7, 22, 14));
    // Fuel drop at the top left.
    QPainterPath drop;
    drop.moveTo(16, 6);
    drop.cubicTo(21, 14, 26, 19, 26, 24);
    drop.cubicTo(26, 30, 21, 33, 16, 33);
    drop.cubicTo(11, 33, 6, 30, 6, 24);
    drop.cubicTo(6, 19, 11, 14, 16, 6);
    p.setPen(QPen(QColor(120, 70, 0), 1.6));
    p.setBrush(QColor(255, 190, 20));
    p.drawPath(drop);
    // Red car at the bottom.
    p.translate(4, 34);
    p.scale(56.0 / 71.0, 26.0 / 33.0);
    drawCar(p, QColor(230, 20, 20));
    p.end();
    return img;
}

// The game's icon with a question sheet and a pencil in front: the question editor.
QImage editorIcon(int size) {
    QImage img = appIcon(size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Sheet with a question mark, lower right.
    p.setPen(QPen(QColor(40, 50, 70), 1.6));
    p.setBrush(QColor(252, 252, 248));
    p.drawRoundedRect(QRectF(30, 24, 26, 34), 2.5, 2.5);
    drawOutlinedText(p, QRectF(30, 24, 20, 26), QStringLiteral("?"), dejaVu(22), QColor(0, 90, 200), QColor(0, 40, 110),
                     1.2);
    p.setPen(QPen(QColor(120, 140, 170), 1.6));
    p.drawLine(QPointF(34, 52), QPointF(46, 52));
    // Pencil across the sheet's corner, tip down left.
    p.translate(47, 50);
    p.rotate(-45);
    p.setPen(QPen(QColor(60, 40, 10), 1.2));
    p.setBrush(QColor(250, 200, 30));
    p.drawRect(QRectF(0, -3.5, 18, 7));
    p.setBrush(QColor(235, 130, 140));
    p.drawRect(QRectF(18, -3.5, 4, 7));
    QPainterPath tip;
    tip.moveTo(0, -3.5);
    tip.lineTo(-7, 0);
    tip.lineTo(0, 3.5);
    tip.closeSubpath();
    p.setBrush(QColor(240, 210, 160));
    p.drawPath(tip);
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(-7, 0), QPointF(-4.6, -1.2), QPointF(-4.6, 1.2)}));
    p.end();
    return img;
}

}  // namespace

std::vector<Picture> diceAndCars() {
    std::vector<Picture> out;
    for (int n = 1; n <= 6; ++n) out.push_back({QStringLiteral("app/wuerfel/w%1.gif").arg(n), dieFace(n)});
    out.push_back({QStringLiteral("stored/wuerfel_platzhalter.gif"), diePlaceholder()});

    struct CarColour {
        const char* file;
        const char* setup;
        QColor body;
    };
    const std::array<CarColour, 4> colours{{
        {"blaues", "blau", QColor(0, 0, 255)},
        {"gelbes", "gelb", QColor(255, 255, 0)},
        {"rotes", "rot", QColor(255, 0, 0)},
        {"weisses", "weiss", QColor(255, 255, 255)},
    }};
    for (const CarColour& c : colours) {
        const QImage right = carRight(c.body);
        const QImage left = right.mirrored(true, false);
        out.push_back({QStringLiteral("app/autos/%1 auto rechts.gif").arg(QLatin1String(c.file)), right});
        out.push_back({QStringLiteral("app/autos/%1 auto links.gif").arg(QLatin1String(c.file)), left});
        out.push_back({QStringLiteral("stored/auswahl_%1.gif").arg(QLatin1String(c.setup)), left});
    }
    out.push_back({QStringLiteral("stored/auto_platzhalter.gif"), carRight(QColor(150, 150, 155))});

    for (int size : {16, 32, 48, 64, 128, 256}) {
        out.push_back({QStringLiteral("icons/hicolor/%1x%1/apps/de.tankjagd.TankJagd.png").arg(size), appIcon(size)});
        out.push_back(
            {QStringLiteral("icons/hicolor/%1x%1/apps/de.tankjagd.TankJagd.Editor.png").arg(size), editorIcon(size)});
    }
    out.push_back({QStringLiteral("stored/icon.png"), appIcon(64)});
    return out;
}

}  // namespace picgen
