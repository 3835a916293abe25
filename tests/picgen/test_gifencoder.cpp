// SPDX-License-Identifier: GPL-3.0-or-later
// The GIF writer must produce files that Qt's GIF reader decodes to exactly
// the colours the quantiser chose, for every palette size and LZW state.
#include "gifencoder.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using picgen::encodeGif;
using picgen::quantise;
using picgen::toImage;

QImage decode(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

std::uint32_t nextNoise(std::uint32_t& s) {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
}

// Test pictures: name, size and a pixel function.
struct Case {
    const char* name;
    int width;
    int height;
    int colours;       // distinct opaque colours drawn (cycled)
    bool transparent;  // every 7th pixel transparent
    bool noise;        // random order (long LZW runs of new strings)
};

QImage makeImage(const Case& c) {
    QImage img(c.width, c.height, QImage::Format_ARGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const int i = y * c.width + x;
            const int k = c.noise ? int(nextNoise(seed) % std::uint32_t(c.colours)) : (i / 3) % c.colours;
            QRgb rgb = qRgb((k * 37) & 0xff, (k * 11 + k / 7) & 0xff, (k * 5 + 90) & 0xff);
            if (c.transparent && i % 7 == 3) rgb = qRgba(10, 20, 30, 0);
            img.setPixel(x, y, rgb);
        }
    }
    return img;
}

class GifRoundTrip : public ::testing::TestWithParam<Case> {};

TEST_P(GifRoundTrip, qtReaderSeesTheQuantisedPixels) {
    const Case& c = GetParam();
    const QImage source = makeImage(c);
    const auto indexed = quantise(source);
    ASSERT_LE(indexed.palette.size(), 256u);
    EXPECT_EQ(indexed.transparentIndex >= 0, c.transparent);
    const QImage decoded = decode(encodeGif(indexed));
    ASSERT_EQ(decoded.size(), source.size());
    const QImage expected = toImage(indexed);
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const QRgb want = expected.pixel(x, y);
            const QRgb got = decoded.pixel(x, y);
            ASSERT_EQ(qAlpha(want) == 0 ? qAlpha(got) : got, qAlpha(want) == 0 ? 0 : want) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, GifRoundTrip,
                         ::testing::Values(Case{"onePixel", 1, 1, 1, false, false},
                                           Case{"twoColours", 9, 5, 2, false, false},
                                           Case{"transparentTwoColours", 9, 5, 2, true, false},
                                           Case{"exactly256", 64, 64, 256, false, true},
                                           Case{"255AndTransparent", 64, 64, 255, true, true},
                                           Case{"noiseFillsCodeTable", 400, 300, 200, false, true},
                                           Case{"manyColoursNeedMedianCut", 300, 200, 5000, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Up to the palette limit colours are kept exactly; beyond it every pixel
// still lands on a nearby palette colour.
TEST(Quantise, keepsFewColoursExactlyAndApproximatesMany) {
    const QImage few = makeImage({"few", 40, 40, 200, true, true});
    QImage cleared = few;
    for (int y = 0; y < cleared.height(); ++y)
        for (int x = 0; x < cleared.width(); ++x)
            if (qAlpha(cleared.pixel(x, y)) == 0) cleared.setPixel(x, y, 0);
    EXPECT_EQ(toImage(quantise(few)), cleared);
    QImage gradient(256, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) gradient.setPixel(x, y, qRgb(x, y * 4, 255 - x));
    const QImage approx = toImage(quantise(gradient));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb a = approx.pixel(x, y);
            const QRgb g = gradient.pixel(x, y);
            ASSERT_LE(std::abs(qRed(a) - qRed(g)) + std::abs(qGreen(a) - qGreen(g)) + std::abs(qBlue(a) - qBlue(g)), 24)
                << x << "," << y;
        }
    }
}

// Same pixels, same bytes: the output may depend on nothing but the image.
TEST(EncodeGif, isDeterministic) {
    const QImage img = makeImage({"det", 71, 33, 300, true, true});
    EXPECT_EQ(encodeGif(quantise(img)), encodeGif(quantise(img.copy())));
}

}  // namespace
