// The committed pictures are the generator's output, byte for byte, and
// each one has the size the game's screens are laid out for.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

TEST_F(GeneratedPictures, generatorRunsAndMatchesCommittedFilesByteForByte)
{
    ASSERT_EQ(exitCode_, 0);
    const QStringList made = picturesBelow(out_->path());
    // No committed picture is stale or missing.
    EXPECT_EQ(made, picturesBelow(QStringLiteral(TJ_ASSETS_DIR)));
    EXPECT_EQ(made.size(), 40);
    for (const QString& rel : made) {
        const QByteArray mine = readAll(generated(rel));
        const QByteArray theirs = readAll(committed(rel));
        EXPECT_TRUE(!mine.isEmpty() && mine == theirs) << "differs from the committed file: " << rel.toStdString();
    }
}

struct Expected {
    const char* path;
    int width;
    int height;
};

void PrintTo(const Expected& e, std::ostream* os)
{
    *os << e.path;
}

class PictureSize : public ::testing::TestWithParam<Expected> {};

TEST_P(PictureSize, qtDecodesTheCommittedGifWithItsDocumentedSize)
{
    const Expected& e = GetParam();
    const QImage img = readGif(committed(QString::fromUtf8(e.path)));
    ASSERT_FALSE(img.isNull()) << e.path;
    EXPECT_EQ(img.width(), e.width) << e.path;
    EXPECT_EQ(img.height(), e.height) << e.path;
}

std::vector<Expected> allGifs()
{
    std::vector<Expected> v;
    static const char* const dice[] = {"app/wuerfel/w1.gif", "app/wuerfel/w2.gif", "app/wuerfel/w3.gif",
                                       "app/wuerfel/w4.gif", "app/wuerfel/w5.gif", "app/wuerfel/w6.gif",
                                       "stored/wuerfel_platzhalter.gif"};
    for (const char* d : dice)
        v.push_back({d, 86, 86});
    static const char* const cars[] = {
        "app/autos/blaues auto rechts.gif", "app/autos/blaues auto links.gif",
        "app/autos/gelbes auto rechts.gif", "app/autos/gelbes auto links.gif",
        "app/autos/rotes auto rechts.gif",  "app/autos/rotes auto links.gif",
        "app/autos/weisses auto rechts.gif", "app/autos/weisses auto links.gif",
        "stored/auto_platzhalter.gif",      "stored/auswahl_blau.gif",
        "stored/auswahl_gelb.gif",          "stored/auswahl_rot.gif",
        "stored/auswahl_weiss.gif"};
    for (const char* c : cars)
        v.push_back({c, 71, 33});
    static const char* const cards[] = {"app/Bilder/1.gif", "app/Bilder/2.gif", "app/Bilder/3.gif",
                                        "app/Bilder/4.gif", "app/Bilder/5.gif", "app/Bilder/6.gif",
                                        "app/Bilder/7.gif", "app/Bilder/8.gif", "app/Bilder/9.gif",
                                        "app/Bilder/10.gif"};
    for (const char* c : cards)
        v.push_back({c, 240, 160});
    v.push_back({"stored/hintergrund.gif", 836, 631});
    v.push_back({"stored/gewonnen.gif", 461, 409});
    v.push_back({"stored/aussetzen.gif", 105, 164});
    return v;
}

INSTANTIATE_TEST_SUITE_P(Gifs, PictureSize, ::testing::ValuesIn(allGifs()), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.path; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});

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

// The icons are PNGs in the hicolor sizes, square.
TEST(Icons, haveTheirHicolorSize)
{
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon(committed(QStringLiteral("icons/hicolor/%1x%1/apps/de.tankjagd.TankJagd.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
    EXPECT_EQ(QImage(committed(QStringLiteral("stored/icon.png"))).size(), QSize(64, 64));
}

}  // namespace
