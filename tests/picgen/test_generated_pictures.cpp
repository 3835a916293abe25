// SPDX-License-Identifier: GPL-3.0-or-later
// The committed pictures are the generator's output, and each one has the
// size the game's screens are laid out for.
#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "game/track.h"

namespace {

// Anti-aliased edges come out a level or two apart on different processors
// (the raster engine picks its SIMD path per CPU), and a GIF's palette may
// shift with them. A moved shape or a wrong colour still shows as many
// pixels far apart, lying together.
constexpr int kChannelDelta = 24;
constexpr double kMaxDifferingShare = 0.002;
constexpr int kMaxBlob = 12;

struct Difference {
    qsizetype differing = 0;
    qsizetype largestBlob = 0;
};

Difference compareDecoded(const QImage& a, const QImage& b) {
    const int w = a.width(), h = a.height();
    std::vector<char> far(std::size_t(w) * std::size_t(h), 0);
    Difference d;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int delta = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            if (delta > kChannelDelta) {
                far[std::size_t(y) * w + x] = 1;
                ++d.differing;
            }
        }
    // Largest 8-connected group of differing pixels.
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (far[std::size_t(start)] != 1) continue;
        qsizetype size = 0;
        far[std::size_t(start)] = 2;
        stack.push_back(start);
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++size;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = i % w + dx, y = i / w + dy;
                    if (x >= 0 && y >= 0 && x < w && y < h && far[std::size_t(y) * w + x] == 1) {
                        far[std::size_t(y) * w + x] = 2;
                        stack.push_back(y * w + x);
                    }
                }
        }
        d.largestBlob = std::max(d.largestBlob, size);
    }
    return d;
}

QImage decode(const QString& path) { return QImage(path).convertToFormat(QImage::Format_ARGB32); }

QImage readGif(const QString& path) {
    QImageReader reader(path, "gif");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QString committed(const QString& rel) { return QDir(QStringLiteral(TJ_ASSETS_DIR)).filePath(rel); }

class GeneratedPictures : public ::testing::Test {
 protected:
    static void SetUpTestSuite() {
        out_ = std::make_unique<QTemporaryDir>();  // lives for the whole suite
        const std::string cmd = std::string("\"") + TJ_PICGEN_EXE + "\" \"" + out_->path().toStdString() + "\"";
        exitCode_ = std::system(cmd.c_str());
    }
    static void TearDownTestSuite() { out_.reset(); }
    static QString generated(const QString& rel) { return QDir(out_->path()).filePath(rel); }

    static inline std::unique_ptr<QTemporaryDir> out_;
    static inline int exitCode_ = -1;
};

// Relative paths of all pictures below `root`.
QStringList picturesBelow(const QString& root) {
    QStringList found;
    QDirIterator it(root, {QStringLiteral("*.gif"), QStringLiteral("*.png")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found << QDir(root).relativeFilePath(it.next());
    found.sort();
    return found;
}

TEST_F(GeneratedPictures, generatorRunsAndMatchesCommittedPictures) {
    ASSERT_EQ(exitCode_, 0);
    const QStringList made = picturesBelow(out_->path());
    // No committed picture is stale or missing.
    EXPECT_EQ(made, picturesBelow(QStringLiteral(TJ_ASSETS_DIR)));
    EXPECT_EQ(made.size(), 46);
    for (const QString& rel : made) {
        const QImage mine = decode(generated(rel));
        const QImage theirs = decode(committed(rel));
        ASSERT_FALSE(mine.isNull() || theirs.isNull()) << rel.toStdString();
        ASSERT_EQ(mine.size(), theirs.size()) << rel.toStdString();
        const Difference d = compareDecoded(mine, theirs);
        EXPECT_LE(d.differing, qsizetype(kMaxDifferingShare * mine.width() * mine.height()) + 2)
            << "differs from the committed file: " << rel.toStdString();
        EXPECT_LE(d.largestBlob, kMaxBlob) << "a shape moved in " << rel.toStdString();
    }
}

// The comparison itself: edge noise passes, a shifted shape or a recoloured
// area does not.
TEST(DecodedComparison, toleratesEdgeNoiseButNotAMovedShapeOrAWrongColour) {
    const QImage base = decode(committed(QStringLiteral("stored/hintergrund.gif")));
    ASSERT_FALSE(base.isNull());

    QImage noisy = base;
    for (int i = 0; i < 200; ++i) {
        const int x = (i * 97) % base.width(), y = (i * 53) % base.height();
        const QRgb c = noisy.pixel(x, y);
        noisy.setPixel(x, y, qRgba(qRed(c) ^ 0x40, qGreen(c), qBlue(c), qAlpha(c)));
    }
    const Difference n = compareDecoded(noisy, base);
    EXPECT_LE(n.differing, qsizetype(kMaxDifferingShare * base.width() * base.height()));
    EXPECT_LE(n.largestBlob, kMaxBlob);

    const QImage car = decode(committed(QStringLiteral("app/autos/rotes auto rechts.gif")));
    QImage moved(car.size(), QImage::Format_ARGB32);
    moved.fill(Qt::transparent);
    for (int y = 0; y < car.height(); ++y)
        for (int x = 3; x < car.width(); ++x) moved.setPixel(x, y, car.pixel(x - 3, y));
    EXPECT_GT(compareDecoded(moved, car).largestBlob, kMaxBlob);

    const QImage blue = decode(committed(QStringLiteral("app/autos/blaues auto rechts.gif")));
    const Difference recoloured = compareDecoded(blue, car);
    EXPECT_GT(recoloured.differing, qsizetype(kMaxDifferingShare * car.width() * car.height()) + 2);
}

// Every committed picture has the size the screens are laid out for; an icon the size its
// hicolor folder names.
TEST(CommittedPictures, haveTheSizeTheScreensUse) {
    const std::pair<QString, QSize> sizes[] = {{"app/wuerfel/", {86, 86}},
                                               {"app/autos/", {71, 33}},
                                               {"app/Bilder/", {240, 160}},
                                               {"stored/auswahl_", {71, 33}},
                                               {"stored/auto_platzhalter", {71, 33}},
                                               {"stored/wuerfel_", {86, 86}},
                                               {"stored/hintergrund", {836, 631}},
                                               {"stored/gewonnen", {461, 409}},
                                               {"stored/aussetzen", {105, 164}},
                                               {"stored/icon", {64, 64}}};
    for (const QString& rel : picturesBelow(QStringLiteral(TJ_ASSETS_DIR))) {
        const QSize size = decode(committed(rel)).size();
        bool known = false;
        if (rel.startsWith(QLatin1String("icons/hicolor/"))) {
            const int n = rel.section(QLatin1Char('/'), 2, 2).section(QLatin1Char('x'), 0, 0).toInt();
            EXPECT_EQ(size, QSize(n, n)) << rel.toStdString();
            known = true;
        }
        for (const auto& [prefix, want] : sizes)
            if (rel.startsWith(prefix)) {
                EXPECT_EQ(size, want) << rel.toStdString();
                known = true;
            }
        EXPECT_TRUE(known) << "no size known for " << rel.toStdString();
    }
}

// A left-facing car is the exact mirror of the right-facing one, and the
// cars and dice have a transparent surround.
TEST(CarsAndDice, leftCarsMirrorRightCarsAndBothAreCutOut) {
    for (const char* colour : {"blaues", "gelbes", "rotes", "weisses"}) {
        const QString base = QStringLiteral("app/autos/%1 auto ").arg(QLatin1String(colour));
        const QImage right = readGif(committed(base + QStringLiteral("rechts.gif")));
        const QImage left = readGif(committed(base + QStringLiteral("links.gif")));
        ASSERT_FALSE(right.isNull()) << colour;
        EXPECT_EQ(left, right.mirrored(true, false)) << colour;
        EXPECT_EQ(qAlpha(right.pixel(0, 0)), 0) << colour;
        EXPECT_EQ(qAlpha(right.pixel(35, 16)), 255) << colour;
    }
    const QImage die = readGif(committed(QStringLiteral("app/wuerfel/w1.gif")));
    EXPECT_EQ(qAlpha(die.pixel(0, 0)), 0);
    EXPECT_LT(qGray(die.pixel(42, 42)), 60);  // the single pip in the middle
}

}  // namespace

namespace {

// Where the board shows a point given in twips of its design area: the background is
// stretched over the whole width and the height below the top strip.
QPointF toPicture(QSize picture, double xTwips, double yTwips) {
    using namespace tj::track;
    return {xTwips * picture.width() / kBoardWidth,
            (yTwips - kBackgroundTop) * picture.height() / (kBoardHeight - kBackgroundTop)};
}

QPointF carCentre(QSize picture, int field, int shiftTwips = 0) {
    const tj::track::Spot& s = tj::track::kSpots[std::size_t(field)];
    return toPicture(picture, s.left + tj::track::kCarWidth / 2.0, s.top + shiftTwips + tj::track::kCarHeight / 2.0);
}

bool grey(QRgb c, int from, int to) {
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo <= 20 && lo >= from && hi <= to;
}
bool isRoad(QRgb c) { return grey(c, 60, 180); }  // asphalt, a field's dot on it included
bool isDot(QRgb c) { return grey(c, 121, 199); }
bool isChequer(QRgb c) { return grey(c, 0, 49) || grey(c, 221, 255); }

// Every car stands on the road, the two start cars drawn apart included, and the mark of
// each field lies under its car's centre: the faint dot on fields 1 to 44, the finish line
// on the goal (the centre of the mark's pixels within 8 pixels is taken). A field moved by
// a pixel and a half (about 25 twips) in any direction fails.
TEST(BoardBackground, everyFieldsMarkLiesUnderItsCarsCentre) {
    const QImage board = readGif(committed(QStringLiteral("stored/hintergrund.gif")));
    ASSERT_EQ(board.size(), QSize(836, 631));
    for (int shift : {-tj::track::kPairShift, tj::track::kPairShift})
        EXPECT_TRUE(isRoad(board.pixel(carCentre(board.size(), 0, shift).toPoint()))) << "start, shift " << shift;
    for (int i = 1; i < tj::track::kFieldCount; ++i) {
        const QPointF c = carCentre(board.size(), i);
        for (int dy : {-8, 8})
            EXPECT_TRUE(isRoad(board.pixel(c.toPoint() + QPoint(0, dy)))) << "field " << i << " dy " << dy;
        auto isMark = i == tj::track::kGoalField ? isChequer : isDot;
        QPointF sum;
        int n = 0;
        for (int y = int(c.y()) - 8; y <= int(c.y()) + 8; ++y)
            for (int x = int(c.x()) - 8; x <= int(c.x()) + 8; ++x)
                if (isMark(board.pixel(x, y))) {
                    sum += QPointF(x + 0.5, y + 0.5);
                    ++n;
                }
        ASSERT_GE(n, 40) << "no mark under field " << i;
        const QPointF off = sum / n - c;
        EXPECT_LE(std::hypot(off.x(), off.y()), 1.0) << "field " << i << " mark off by " << off.x() << ", " << off.y();
    }
}

}  // namespace
