// The committed pictures are the generator's output, and each one has the
// size the game's screens are laid out for.
#include <QDir>
#include <QDirIterator>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

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

Difference compareDecoded(const QImage& a, const QImage& b)
{
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
        if (far[std::size_t(start)] != 1)
            continue;
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

QImage decode(const QString& path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

QImage readGif(const QString& path)
{
    QImageReader reader(path, "gif");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

QString committed(const QString& rel)
{
    return QDir(QStringLiteral(TJ_ASSETS_DIR)).filePath(rel);
}

class GeneratedPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        out_ = std::make_unique<QTemporaryDir>();  // lives for the whole suite
        const std::string cmd = std::string("\"") + TJ_PICGEN_EXE + "\" \"" + out_->path().toStdString() + "\"";
        exitCode_ = std::system(cmd.c_str());
    }
    static void TearDownTestSuite()
    {
        out_.reset();
    }
    static QString generated(const QString& rel) { return QDir(out_->path()).filePath(rel); }

    static inline std::unique_ptr<QTemporaryDir> out_;
    static inline int exitCode_ = -1;
};

// Relative paths of all pictures below `root`.
QStringList picturesBelow(const QString& root)
{
    QStringList found;
    QDirIterator it(root, {QStringLiteral("*.gif"), QStringLiteral("*.png")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(root).relativeFilePath(it.next());
    found.sort();
    return found;
}

TEST_F(GeneratedPictures, generatorRunsAndMatchesCommittedPictures)
{
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
TEST(DecodedComparison, toleratesEdgeNoiseButNotAMovedShapeOrAWrongColour)
{
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
        for (int x = 3; x < car.width(); ++x)
            moved.setPixel(x, y, car.pixel(x - 3, y));
    EXPECT_GT(compareDecoded(moved, car).largestBlob, kMaxBlob);

    const QImage blue = decode(committed(QStringLiteral("app/autos/blaues auto rechts.gif")));
    const Difference recoloured = compareDecoded(blue, car);
    EXPECT_GT(recoloured.differing, qsizetype(kMaxDifferingShare * car.width() * car.height()) + 2);
}

// Every committed picture has the size the screens are laid out for; an icon the size its
// hicolor folder names.
TEST(CommittedPictures, haveTheSizeTheScreensUse) {
  const std::pair<QString, QSize> sizes[] = {
      {"app/wuerfel/", {86, 86}},  {"app/autos/", {71, 33}},           {"app/Bilder/", {240, 160}},
      {"stored/auswahl_", {71, 33}}, {"stored/auto_platzhalter", {71, 33}}, {"stored/wuerfel_", {86, 86}},
      {"stored/hintergrund", {836, 631}}, {"stored/gewonnen", {461, 409}}, {"stored/aussetzen", {105, 164}},
      {"stored/icon", {64, 64}}};
  int checked = 0;
  for (const QString& rel : picturesBelow(QStringLiteral(TJ_ASSETS_DIR))) {
    const QSize size = decode(committed(rel)).size();
    if (rel.startsWith(QLatin1String("icons/hicolor/"))) {
      const int n = rel.section(QLatin1Char('/'), 2, 2).section(QLatin1Char('x'), 0, 0).toInt();
      EXPECT_EQ(size, QSize(n, n)) << rel.toStdString();
      ++checked;
    }
    for (const auto& [prefix, want] : sizes)
      if (rel.startsWith(prefix)) {
        EXPECT_EQ(size, want) << rel.toStdString();
        ++checked;
      }
  }
  EXPECT_EQ(checked, 46) << "every picture has a known size";
}

// A left-facing car is the exact mirror of the right-facing one, and the
// cars and dice have a transparent surround.
TEST(CarsAndDice, leftCarsMirrorRightCarsAndBothAreCutOut)
{
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

// Left/Top in twips of the board's car pictures, field 0 to 45.
constexpr int kFields[46][2] = {
    {120, 3240},  {1080, 3600}, {2040, 3840}, {3120, 3960}, {4200, 3960}, {5280, 4080}, {6360, 3960},
    {7320, 3720}, {8280, 3480}, {9000, 3840}, {9600, 4320}, {10320, 4800}, {11400, 4920}, {12480, 5160},
    {13560, 5400}, {13800, 5880}, {13800, 6480}, {13200, 6960}, {12240, 7320}, {11160, 7080}, {10320, 6720},
    {9480, 6240}, {8520, 5640}, {7560, 6000}, {5520, 6000}, {3120, 5640}, {840, 6360},   {0, 6960},
    {960, 7440},  {1920, 7080}, {3120, 6960}, {4080, 6720}, {4320, 6120}, {6480, 5880}, {7800, 6600},
    {8280, 7200}, {9000, 7680}, {8880, 8160}, {7800, 8040}, {6720, 7920}, {5640, 7920}, {4560, 8160},
    {3600, 8400}, {3120, 8880}, {2760, 9360}, {2520, 9960}};

// Asphalt: grey, neither grass green nor kerb red, nor the white edge.
bool isRoad(QRgb c)
{
    const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
    const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    return hi - lo <= 20 && hi >= 60 && hi <= 180;
}

// The background is stretched over Left 0, Top 1200, 15360 x 10320 twips;
// a car stands on field i with its 1065 x 495 twip picture at the field's
// Left/Top. Its centre, and a little above and below, must be road.
TEST(BoardBackground, everyFieldCentreLiesOnTheRoad)
{
    const QImage board = readGif(committed(QStringLiteral("stored/hintergrund.gif")));
    ASSERT_EQ(board.size(), QSize(836, 631));
    auto toPicture = [](double x, double y) {
        return QPoint(int(x * 836 / 15360), int((y - 1200) * 631 / 10320));
    };
    for (int i = 0; i < 46; ++i) {
        const QPoint c = toPicture(kFields[i][0] + 532.5, kFields[i][1] + 247.5);
        for (int dy : {-8, 0, 8})
            EXPECT_TRUE(isRoad(board.pixel(c + QPoint(0, dy)))) << "field " << i << " dy " << dy;
    }
    // Both start cars, drawn 250 twips apart, stand on asphalt too.
    for (int shift : {-250, 250}) {
        const QPoint c = toPicture(kFields[0][0] + 532.5, kFields[0][1] + 247.5 + shift);
        EXPECT_TRUE(isRoad(board.pixel(c))) << "start shift " << shift;
    }
}

}  // namespace
