// SPDX-License-Identifier: GPL-3.0-or-later
// The board background: a race road through the 46 field centres with
// numbered field marks, start and finish, and friendly scenery around it.
#include "paintkit.h"
#include "pictures.h"
#include "tracklayout.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace picgen {
namespace {

constexpr qreal kRoadWidth = 42;
constexpr qreal kKerbWidth = 48;
constexpr qreal kPairShift = tj::track::kPairShift;
const QColor kAsphalt(92, 94, 100);
const QColor kGrass(110, 190, 80);
// The one house between the first and the second row of the track.
const QPointF kHouseBetweenRows(330, 250);

QPointF lerp(QPointF a, QPointF b, qreal t) { return a + (b - a) * t; }

qreal dist(QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()); }

// Centripetal Catmull-Rom between p1 and p2 (no loops or cusps even where
// the fields are unevenly spaced), `steps` points from p1 (excluded p2).
void appendSpline(std::vector<QPointF>& out, QPointF p0, QPointF p1, QPointF p2, QPointF p3, int steps) {
    auto knot = [](qreal t, QPointF a, QPointF b) { return t + std::sqrt(std::max(dist(a, b), 1e-3)); };
    const qreal t0 = 0, t1 = knot(t0, p0, p1), t2 = knot(t1, p1, p2), t3 = knot(t2, p2, p3);
    for (int s = 0; s < steps; ++s) {
        const qreal t = t1 + (t2 - t1) * s / steps;
        const QPointF a1 = lerp(p0, p1, (t - t0) / (t1 - t0));
        const QPointF a2 = lerp(p1, p2, (t - t1) / (t2 - t1));
        const QPointF a3 = lerp(p2, p3, (t - t2) / (t3 - t2));
        const QPointF b1 = lerp(a1, a2, (t - t0) / (t2 - t0));
        const QPointF b2 = lerp(a2, a3, (t - t1) / (t3 - t1));
        out.push_back(lerp(b1, b2, (t - t1) / (t2 - t1)));
    }
}

// The road's centre line, with a short lead-in before field 0 and a
// run-out after the goal. fieldSample[i] is the sample at field i.
struct Road {
    std::vector<QPointF> samples;
    std::vector<std::size_t> fieldSample;

    QPointF tangentAt(std::size_t i) const {
        const QPointF d = samples[std::min(i + 1, samples.size() - 1)] - samples[i == 0 ? 0 : i - 1];
        const qreal len = std::hypot(d.x(), d.y());
        return d / len;
    }
    // Distance from p to the nearest centre-line sample.
    qreal clearance(QPointF p) const {
        qreal best = 1e9;
        for (const QPointF& s : samples) best = std::min(best, dist(p, s));
        return best;
    }
    QPainterPath path() const {
        QPainterPath path(samples.front());
        for (std::size_t i = 1; i < samples.size(); ++i) path.lineTo(samples[i]);
        return path;
    }
};

Road buildRoad() {
    std::vector<QPointF> pts;
    pts.push_back(fieldCentre(0) + QPointF(-40, -10));
    for (int i = 0; i < kFieldCount; ++i) pts.push_back(fieldCentre(i));
    pts.push_back(fieldCentre(kFieldCount - 1) + QPointF(-8, 40));
    Road road;
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const QPointF p0 = pts[i == 0 ? 0 : i - 1];
        const QPointF p3 = pts[std::min(i + 2, pts.size() - 1)];
        if (i >= 1) road.fieldSample.push_back(road.samples.size());
        const int steps = std::max(4, int(dist(pts[i], pts[i + 1]) / 2));
        appendSpline(road.samples, p0, pts[i], pts[i + 1], p3, steps);
    }
    road.samples.push_back(pts.back());
    return road;
}

void paintGround(QPainter& p, Rng& rng) {
    QLinearGradient grass(0, 0, 0, kBoardHeight);
    grass.setColorAt(0, kGrass.lighter(108));
    grass.setColorAt(1, kGrass.darker(108));
    p.fillRect(QRectF(0, 0, kBoardWidth, kBoardHeight), grass);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 260; ++i) {
        const QPointF c(rng.uniform(0, kBoardWidth), rng.uniform(60, kBoardHeight));
        p.setBrush(rng.next() % 2 ? QColor(125, 200, 90, 70) : QColor(90, 165, 65, 60));
        p.drawEllipse(c, rng.uniform(8, 26), rng.uniform(4, 12));
    }
}

void paintSkyAndHills(QPainter& p, Rng& rng) {
    QLinearGradient sky(0, 0, 0, 70);
    sky.setColorAt(0, QColor(120, 190, 250));
    sky.setColorAt(1, QColor(200, 235, 255));
    p.fillRect(QRectF(0, 0, kBoardWidth, 70), sky);
    // Sun.
    QRadialGradient sun(QPointF(420, 18), 26);
    sun.setColorAt(0, QColor(255, 250, 180));
    sun.setColorAt(0.6, QColor(255, 220, 60));
    sun.setColorAt(1, QColor(255, 220, 60, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(420, 18), 26, 26);
    // Two rows of rolling hills.
    const QColor rows[] = {QColor(120, 170, 110), QColor(95, 175, 75)};
    for (int r = 0; r < 2; ++r) {
        QPainterPath hills;
        const qreal base = 42 + r * 18;
        hills.moveTo(0, kBoardHeight);
        hills.lineTo(0, base);
        for (qreal x = 0; x <= kBoardWidth + 60; x += 60) {
            const qreal peak = base - rng.uniform(10, 26);
            hills.quadTo(x + 30, peak, x + 60, base);
        }
        hills.lineTo(kBoardWidth, kBoardHeight);
        hills.closeSubpath();
        QLinearGradient g(0, base - 30, 0, base + 40);
        g.setColorAt(0, rows[r].lighter(115));
        g.setColorAt(1, kGrass.lighter(108));
        p.setBrush(g);
        p.drawPath(hills);
    }
    // Clouds.
    for (const QPointF c : {QPointF(90, 20), QPointF(250, 14), QPointF(560, 22), QPointF(740, 12)}) {
        p.setBrush(QColor(255, 255, 255, 235));
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(c + QPointF(k * 11 - 22, (k % 2) * -5), 13 + (k % 2) * 3, 9 + (k % 2) * 3);
    }
}

void paintLake(QPainter& p, QPointF centre, qreal rx, qreal ry) {
    p.setPen(QPen(QColor(200, 180, 120), 4));
    QRadialGradient water(centre - QPointF(rx / 3, ry / 3), rx);
    water.setColorAt(0, QColor(140, 210, 250));
    water.setColorAt(1, QColor(40, 120, 200));
    p.setBrush(water);
    p.drawEllipse(centre, rx, ry);
    p.setPen(QPen(QColor(230, 245, 255, 200), 1.5));
    for (int k = 0; k < 4; ++k) {
        const QPointF w = centre + QPointF(-rx / 2 + k * rx / 3.5, -ry / 3 + (k % 2) * ry / 2.5);
        p.drawArc(QRectF(w.x() - 8, w.y() - 3, 16, 6), 20 * 16, 140 * 16);
    }
}

// The start box is wide enough for the two start cars drawn apart.
QPainterPath startBox() {
    QPainterPath box;
    box.addRoundedRect(carRect(0, -kPairShift).united(carRect(0, kPairShift)).adjusted(-3, -2, 6, 2), 8, 8);
    return box;
}

void paintRoad(QPainter& p, const Road& road) {
    QPainterPath path = road.path();
    const QPainterPath box = startBox();
    p.setPen(QPen(QColor(250, 250, 250), 3));
    p.setBrush(kAsphalt);
    p.drawPath(box);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 130, 50, 120), kKerbWidth + 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(250, 250, 250), kKerbWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    QPen kerb(QColor(220, 40, 40), kKerbWidth, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
    kerb.setDashPattern({6.0 / kKerbWidth, 6.0 / kKerbWidth});
    p.setPen(kerb);
    p.drawPath(path);
    p.setPen(QPen(kAsphalt, kRoadWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.fillPath(box, kAsphalt);
    // Two start slots.
    p.setPen(QPen(QColor(250, 250, 250), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(carRect(0, -kPairShift).adjusted(1, 1, -1, -1));
    p.drawRect(carRect(0, kPairShift).adjusted(1, 1, -1, -1));
}

// A white mark across the road between neighbouring fields, so a car
// standing on a field leaves the marks around it visible, and a faint dot
// at every field centre.
void paintFieldMarks(QPainter& p, const Road& road) {
    for (int i = 1; i < kFieldCount - 1; ++i) {
        const std::size_t s = road.fieldSample[std::size_t(i)];
        const std::size_t between = (road.fieldSample[std::size_t(i - 1)] + s) / 2;
        const QPointF m = road.samples[between];
        const QPointF t = road.tangentAt(between);
        const QPointF n(-t.y(), t.x());
        p.setPen(QPen(QColor(235, 235, 235), 2.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(m - n * (kRoadWidth / 2 - 3), m + n * (kRoadWidth / 2 - 3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 250, 250, 90));
        p.drawEllipse(road.samples[s], 5, 5);
    }
}

// Finds a spot for field i's number beside the road, as far from the road
// and from the numbers already placed as possible.
QPointF badgeSpot(const Road& road, int i, const std::vector<QPointF>& placed) {
    const QPointF c = road.samples[road.fieldSample[std::size_t(i)]];
    QPointF best = c;
    qreal bestScore = -1e9;
    for (int a = 0; a < 16; ++a) {
        const qreal angle = a * M_PI / 8;
        for (qreal r : {31.0, 35.0, 40.0, 46.0}) {
            const QPointF q = c + QPointF(std::cos(angle) * r * 1.25, std::sin(angle) * r);
            if (q.x() < 9 || q.x() > kBoardWidth - 9 || q.y() < 9 || q.y() > kBoardHeight - 9) continue;
            // A number clear of the kerb beats one close to its field.
            const qreal clear = road.clearance(q);
            qreal score = (clear >= kKerbWidth / 2 + 10 ? 40.0 : clear) - r * 0.4;
            for (const QPointF& o : placed) score = std::min(score, dist(q, o) - 2);
            if (score > bestScore) {
                bestScore = score;
                best = q;
            }
        }
    }
    return best;
}

void paintBadge(QPainter& p, QPointF at, const QString& text, QColor fill) {
    const QFont font = dejaVu(text.size() > 1 ? 10 : 11);
    p.setPen(QPen(QColor(30, 30, 40), 1.3));
    p.setBrush(fill);
    p.drawEllipse(at, 9, 9);
    QPainterPath glyphs;
    glyphs.addText(0, 0, font, text);
    glyphs.translate(at - glyphs.boundingRect().center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 30));
    p.drawPath(glyphs);
}

// Spots kept free of field numbers: the START text and the goal flag.
QPointF startTextCentre() { return {40, 97}; }

QPointF goalFlagCentre(const Road& road) { return road.samples[road.fieldSample[kFieldCount - 1]] + QPointF(62, -10); }

std::vector<QPointF> paintNumbers(QPainter& p, const Road& road) {
    std::vector<QPointF> placed{startTextCentre() + QPointF(-15, 0),      startTextCentre() + QPointF(15, 0),
                                goalFlagCentre(road) + QPointF(-10, -12), goalFlagCentre(road) + QPointF(8, 0),
                                goalFlagCentre(road) + QPointF(-10, 12),  kHouseBetweenRows,
                                kHouseBetweenRows - QPointF(0, 18)};
    for (int i = 1; i < kFieldCount - 1; ++i) {
        const QPointF at = badgeSpot(road, i, placed);
        placed.push_back(at);
        paintBadge(p, at, QString::number(i), QColor(255, 240, 150));
    }
    return placed;
}

void paintStartAndFinish(QPainter& p, const Road& road) {
    // Start line just ahead of the start cars, across the road.
    const std::size_t s0 = road.fieldSample[0];
    const std::size_t startAt = s0 + (road.fieldSample[1] - s0) / 2;
    const QPointF c = road.samples[startAt];
    const QPointF t = road.tangentAt(startAt);
    const qreal angle = std::atan2(t.y(), t.x()) * 180 / M_PI;
    p.save();
    p.translate(c);
    p.rotate(angle);
    drawChequer(p, QRectF(-4, -kRoadWidth / 2, 8, kRoadWidth), 2, 8);
    p.restore();
    drawOutlinedText(p, QRectF(startTextCentre() - QPointF(40, 9), QSizeF(80, 18)), QStringLiteral("START"), dejaVu(15),
                     QColor(255, 255, 255), QColor(20, 60, 20), 3);

    // Finish line on the goal field, a flag beside it.
    const std::size_t g = road.fieldSample[kFieldCount - 1];
    const QPointF gc = road.samples[g];
    const QPointF gt = road.tangentAt(g);
    p.save();
    p.translate(gc);
    p.rotate(std::atan2(gt.y(), gt.x()) * 180 / M_PI);
    drawChequer(p, QRectF(-6, -kRoadWidth / 2, 12, kRoadWidth), 2, 7);
    p.restore();
    const QPointF pole = goalFlagCentre(road) - QPointF(22, 22);
    p.setPen(QPen(QColor(90, 60, 30), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pole, pole + QPointF(0, 52));
    drawChequer(p, QRectF(pole.x() + 1, pole.y(), 34, 22), 5, 3);
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(pole.x() + 1, pole.y(), 34, 22));
    drawOutlinedText(p, QRectF(pole.x() - 2, pole.y() + 24, 58, 18), QStringLiteral("ZIEL"), dejaVu(15),
                     QColor(255, 255, 255), QColor(120, 20, 20), 3);
}

void paintTree(QPainter& p, QPointF foot, qreal size, Rng& rng) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 30, 90));
    p.drawEllipse(foot + QPointF(size * 0.3, 0), size * 0.8, size * 0.28);
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(foot.x() - size * 0.12, foot.y() - size * 0.7, size * 0.24, size * 0.7));
    const QPointF crown = foot - QPointF(0, size * 1.1);
    const int shade = int(rng.uniform(0, 40));
    QRadialGradient g(crown - QPointF(size * 0.3, size * 0.3), size * 1.1);
    g.setColorAt(0, QColor(120 + shade / 2, 200, 90));
    g.setColorAt(1, QColor(30, 110 + shade, 40));
    p.setBrush(g);
    p.drawEllipse(crown, size * 0.75, size * 0.7);
    p.drawEllipse(crown + QPointF(-size * 0.35, size * 0.2), size * 0.5, size * 0.45);
    p.drawEllipse(crown + QPointF(size * 0.38, size * 0.22), size * 0.5, size * 0.45);
}

void paintHouse(QPainter& p, QPointF foot, qreal w, QColor wall, QColor roof) {
    const qreal h = w * 0.7;
    const QRectF body(foot.x() - w / 2, foot.y() - h, w, h);
    p.setPen(QPen(QColor(60, 50, 40), 1));
    p.setBrush(wall);
    p.drawRect(body);
    QPolygonF top;
    top << QPointF(body.left() - 4, body.top()) << QPointF(foot.x(), body.top() - h * 0.75)
        << QPointF(body.right() + 4, body.top());
    p.setBrush(roof);
    p.drawPolygon(top);
    p.setBrush(QColor(120, 70, 40));
    p.drawRect(QRectF(foot.x() - w * 0.1, foot.y() - h * 0.5, w * 0.2, h * 0.5));
    p.setBrush(QColor(170, 220, 250));
    p.drawRect(QRectF(body.left() + w * 0.1, body.top() + h * 0.2, w * 0.22, h * 0.25));
    p.drawRect(QRectF(body.right() - w * 0.32, body.top() + h * 0.2, w * 0.22, h * 0.25));
}

void paintPetrolStation(QPainter& p, QPointF foot) {
    // Forecourt.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 170, 175));
    p.drawRoundedRect(QRectF(foot.x() - 75, foot.y() - 14, 150, 26), 6, 6);
    // Shop.
    paintHouse(p, foot + QPointF(48, -10), 44, QColor(250, 250, 240), QColor(30, 110, 200));
    // Canopy on two posts with two pumps.
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(QRectF(foot.x() - 58, foot.y() - 48, 4, 42));
    p.drawRect(QRectF(foot.x() - 2, foot.y() - 48, 4, 42));
    p.setBrush(QColor(220, 30, 30));
    p.drawRect(QRectF(foot.x() - 70, foot.y() - 60, 84, 12));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.drawLine(QPointF(foot.x() - 70, foot.y() - 51), QPointF(foot.x() + 14, foot.y() - 51));
    for (qreal x : {-42.0, -18.0}) {
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(255, 200, 0));
        p.drawRoundedRect(QRectF(foot.x() + x, foot.y() - 28, 10, 20), 2, 2);
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(QRectF(foot.x() + x + 2, foot.y() - 25, 6, 5));
    }
    // Sign on a pole with a fuel drop.
    const QPointF sign = foot + QPointF(-82, -40);
    p.setPen(QPen(QColor(80, 80, 80), 2));
    p.drawLine(sign + QPointF(0, 10), sign + QPointF(0, 40));
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(30, 110, 200));
    p.drawRoundedRect(QRectF(sign.x() - 11, sign.y() - 12, 22, 22), 3, 3);
    QPainterPath drop;
    drop.moveTo(sign + QPointF(0, -8));
    drop.cubicTo(sign + QPointF(6, 0), sign + QPointF(6, 6), sign + QPointF(0, 6));
    drop.cubicTo(sign + QPointF(-6, 6), sign + QPointF(-6, 0), sign + QPointF(0, -8));
    p.setBrush(QColor(255, 210, 40));
    p.drawPath(drop);
}

struct Obstacle {
    QPointF centre;
    qreal radius;
};

bool isFree(QPointF q, qreal radius, const Road& road, const std::vector<Obstacle>& taken) {
    if (road.clearance(q) < kKerbWidth / 2 + radius + 4) return false;
    for (const Obstacle& o : taken)
        if (dist(q, o.centre) < o.radius + radius) return false;
    return true;
}

// Static scenery: a lake, a village, a petrol station; then trees wherever
// there is room, drawn from the back to the front.
void paintScenery(QPainter& p, const Road& road, const std::vector<QPointF>& badges, Rng& rng) {
    std::vector<Obstacle> taken;
    for (const QPointF& b : badges) taken.push_back({b, 12});
    taken.push_back({startTextCentre(), 42});
    taken.push_back({goalFlagCentre(road), 40});

    paintLake(p, QPointF(745, 150), 78, 36);
    taken.push_back({{745, 150}, 80});
    paintLake(p, QPointF(680, 318), 30, 14);
    taken.push_back({{680, 318}, 34});

    struct House {
        QPointF foot;
        qreal width;
        QColor wall;
        QColor roof;
    };
    const House village[] = {
        {{650, 480}, 34, QColor(250, 235, 200), QColor(200, 60, 40)},
        {{705, 470}, 30, QColor(255, 250, 240), QColor(150, 80, 50)},
        {{770, 488}, 38, QColor(240, 220, 180), QColor(190, 50, 50)},
        {{690, 560}, 36, QColor(255, 240, 220), QColor(120, 70, 160)},
        {{765, 585}, 30, QColor(250, 235, 200), QColor(200, 60, 40)},
        {kHouseBetweenRows, 30, QColor(255, 250, 240), QColor(200, 60, 40)},
        {{60, 600}, 34, QColor(250, 230, 200), QColor(160, 60, 40)},
    };
    for (const House& h : village) {
        paintHouse(p, h.foot, h.width, h.wall, h.roof);
        taken.push_back({h.foot - QPointF(0, h.width * 0.5), h.width * 0.75});
    }
    paintPetrolStation(p, QPointF(385, 575));
    taken.push_back({{385, 550}, 90});

    std::vector<std::pair<QPointF, qreal>> trees;
    for (int attempt = 0; attempt < 2500 && trees.size() < 95; ++attempt) {
        const QPointF q(rng.uniform(8, kBoardWidth - 8), rng.uniform(78, kBoardHeight - 4));
        const qreal size = rng.uniform(9, 14);
        if (!isFree(q - QPointF(0, size), size, road, taken)) continue;
        trees.push_back({q, size});
        taken.push_back({q - QPointF(0, size), size * 0.9});
    }
    std::sort(trees.begin(), trees.end(), [](const auto& a, const auto& b) {
        return a.first.y() != b.first.y() ? a.first.y() < b.first.y() : a.first.x() < b.first.x();
    });
    for (const auto& [foot, size] : trees) paintTree(p, foot, size, rng);
}

void paintBoard(QPainter& p, const Road& road) {
    Rng rng(20240611u);
    p.setRenderHint(QPainter::Antialiasing);
    paintGround(p, rng);
    paintSkyAndHills(p, rng);
    paintRoad(p, road);
    paintFieldMarks(p, road);
    paintStartAndFinish(p, road);
    const std::vector<QPointF> badges = paintNumbers(p, road);
    paintScenery(p, road, badges, rng);
}

}  // namespace

QImage boardBackground() {
    QImage img = canvas(kBoardWidth, kBoardHeight, kGrass);
    QPainter p(&img);
    paintBoard(p, buildRoad());
    return img;
}

QImage boardDebugOverlay(const QImage& background) {
    QImage img = background.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < kFieldCount; ++i) {
        p.setBrush(QColor(255, 0, 0, 50));
        p.setPen(QPen(QColor(255, 0, 0), 1));
        p.drawRect(carRect(i, 0));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 255, 160), 1, Qt::DashLine));
        p.drawRect(carRect(i, kPairShift));
        p.drawRect(carRect(i, -kPairShift));
        p.setPen(QColor(0, 0, 0));
        p.setFont(dejaVu(9));
        p.drawText(carRect(i, 0), Qt::AlignCenter, QString::number(i));
    }
    return img;
}

}  // namespace picgen
