// SPDX-License-Identifier: GPL-3.0-or-later
#include "gifencoder.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace picgen {
namespace {

constexpr int kMaxCodeBits = 12;
constexpr int kLastUsableCode = 4095;

struct ColourCount {
    QRgb rgb;
    std::uint64_t count;
};

int channel(QRgb c, int ch) { return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c); }

// One box of the median cut: a range [begin, end) of the colour list.
struct Box {
    std::size_t begin;
    std::size_t end;
};

int widestChannel(const std::vector<ColourCount>& colours, const Box& box, int* spread) {
    int best = 0;
    *spread = -1;
    for (int ch = 0; ch < 3; ++ch) {
        int lo = 255;
        int hi = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            lo = std::min(lo, channel(colours[i].rgb, ch));
            hi = std::max(hi, channel(colours[i].rgb, ch));
        }
        if (hi - lo > *spread) {
            *spread = hi - lo;
            best = ch;
        }
    }
    return best;
}

QRgb weightedMean(const std::vector<ColourCount>& colours, const Box& box) {
    std::array<std::uint64_t, 3> sum{};
    std::uint64_t total = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int ch = 0; ch < 3; ++ch) sum[ch] += std::uint64_t(channel(colours[i].rgb, ch)) * colours[i].count;
        total += colours[i].count;
    }
    auto mean = [&](int ch) { return int((sum[ch] + total / 2) / total); };
    return qRgb(mean(0), mean(1), mean(2));
}

// Median cut of `colours` (sorted, distinct) into at most `maxColours` boxes.
std::vector<QRgb> medianCut(std::vector<ColourCount> colours, std::size_t maxColours) {
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < maxColours) {
        // Split the box with the widest channel spread; ties go to the first.
        int bestSpread = 0;
        int bestChannel = 0;
        std::size_t bestBox = boxes.size();
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2) continue;
            int spread = 0;
            const int ch = widestChannel(colours, boxes[b], &spread);
            if (spread > bestSpread) {
                bestSpread = spread;
                bestChannel = ch;
                bestBox = b;
            }
        }
        if (bestBox == boxes.size()) break;
        Box& box = boxes[bestBox];
        const auto first = colours.begin() + std::ptrdiff_t(box.begin);
        const auto last = colours.begin() + std::ptrdiff_t(box.end);
        std::sort(first, last, [&](const ColourCount& a, const ColourCount& b) {
            const int ca = channel(a.rgb, bestChannel);
            const int cb = channel(b.rgb, bestChannel);
            return ca != cb ? ca < cb : a.rgb < b.rgb;
        });
        std::uint64_t total = 0;
        for (auto it = first; it != last; ++it) total += it->count;
        std::uint64_t running = 0;
        std::size_t split = box.begin;
        while (split + 1 < box.end && running + colours[split].count <= total / 2) running += colours[split++].count;
        split = std::max(split, box.begin + 1);
        const Box upper{split, box.end};
        box.end = split;
        boxes.push_back(upper);
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) palette.push_back(weightedMean(colours, box));
    return palette;
}

int distance2(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int nearest(const std::vector<QRgb>& palette, QRgb c) {
    int best = 0;
    int bestDistance = distance2(palette[0], c);
    for (int i = 1; i < int(palette.size()); ++i) {
        const int d = distance2(palette[std::size_t(i)], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// Appends codes of variable width, least significant bit first.
class BitWriter {
 public:
    void put(int code, int bits) {
        accumulator_ |= std::uint32_t(code) << used_;
        used_ += bits;
        while (used_ >= 8) {
            bytes_.push_back(char(accumulator_ & 0xff));
            accumulator_ >>= 8;
            used_ -= 8;
        }
    }
    QByteArray finish() {
        if (used_ > 0) bytes_.push_back(char(accumulator_ & 0xff));
        accumulator_ = 0;
        used_ = 0;
        return bytes_;
    }

 private:
    QByteArray bytes_;
    std::uint32_t accumulator_ = 0;
    int used_ = 0;
};

QByteArray lzwCompress(const std::vector<unsigned char>& pixels, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    BitWriter out;
    std::unordered_map<std::uint32_t, int> table;
    int codeBits = minCodeSize + 1;
    int nextCode = endCode + 1;
    auto reset = [&] {
        table.clear();
        codeBits = minCodeSize + 1;
        nextCode = endCode + 1;
    };
    // After each code the decoder has grown its table by one; it widens
    // its codes as soon as the next free code needs one more bit.
    auto emitCode = [&](int code) {
        out.put(code, codeBits);
        if (nextCode >= (1 << codeBits) && codeBits < kMaxCodeBits) ++codeBits;
    };
    out.put(clearCode, codeBits);
    if (pixels.empty()) {
        out.put(endCode, codeBits);
        return out.finish();
    }
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const std::uint32_t key = (std::uint32_t(prefix) << 8) | pixels[i];
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        emitCode(prefix);
        if (nextCode < kLastUsableCode) {
            table.emplace(key, nextCode++);
        } else {
            out.put(clearCode, codeBits);
            reset();
        }
        prefix = pixels[i];
    }
    emitCode(prefix);
    out.put(endCode, codeBits);
    return out.finish();
}

void putWord(QByteArray& out, int value) {
    out.push_back(char(value & 0xff));
    out.push_back(char((value >> 8) & 0xff));
}

int tableBits(std::size_t colours) {
    int bits = 1;
    while ((std::size_t(1) << bits) < colours) ++bits;
    return bits;
}

}  // namespace

IndexedPicture quantise(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    IndexedPicture result;
    result.width = argb.width();
    result.height = argb.height();
    std::map<QRgb, std::uint64_t> histogram;
    bool anyTransparent = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) < 128)
                anyTransparent = true;
            else
                ++histogram[line[x] | 0xff000000u];
        }
    }
    const std::size_t room = anyTransparent ? 255 : 256;
    std::vector<ColourCount> colours;
    for (const auto& [rgb, count] : histogram) colours.push_back({rgb, count});
    if (colours.size() <= room) {
        for (const auto& c : colours) result.palette.push_back(c.rgb);
    } else {
        result.palette = medianCut(std::move(colours), room);
    }
    std::map<QRgb, int> indexOf;
    for (const auto& [rgb, count] : histogram) indexOf[rgb] = nearest(result.palette, rgb);
    if (anyTransparent) {
        result.transparentIndex = int(result.palette.size());
        result.palette.push_back(qRgb(255, 0, 255));
    }
    if (result.palette.empty()) result.palette.push_back(qRgb(0, 0, 0));
    result.pixels.reserve(std::size_t(result.width) * std::size_t(result.height));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const bool clear = qAlpha(line[x]) < 128;
            result.pixels.push_back(
                static_cast<unsigned char>(clear ? result.transparentIndex : indexOf[line[x] | 0xff000000u]));
        }
    }
    return result;
}

QImage toImage(const IndexedPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const int index = picture.pixels[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
            line[x] = index == picture.transparentIndex ? 0u : picture.palette[std::size_t(index)];
        }
    }
    return image;
}

QByteArray encodeGif(const IndexedPicture& picture) {
    const int bits = tableBits(picture.palette.size());
    QByteArray out("GIF89a");
    putWord(out, picture.width);
    putWord(out, picture.height);
    out.push_back(char(0x80 | ((bits - 1) << 4) | (bits - 1)));
    out.push_back(char(0));  // background colour index
    out.push_back(char(0));  // no aspect ratio
    for (int i = 0; i < (1 << bits); ++i) {
        const QRgb c = i < int(picture.palette.size()) ? picture.palette[std::size_t(i)] : 0u;
        out.push_back(char(qRed(c)));
        out.push_back(char(qGreen(c)));
        out.push_back(char(qBlue(c)));
    }
    if (picture.transparentIndex >= 0) {
        out.append("\x21\xf9\x04\x01\x00\x00", 6);
        out.push_back(char(picture.transparentIndex));
        out.push_back(char(0));
    }
    out.push_back(char(0x2c));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, picture.width);
    putWord(out, picture.height);
    out.push_back(char(0));  // no local table, not interlaced
    const int minCodeSize = std::max(2, bits);
    out.push_back(char(minCodeSize));
    const QByteArray data = lzwCompress(picture.pixels, minCodeSize);
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - pos);
        out.push_back(char(n));
        out.append(data.constData() + pos, n);
    }
    out.push_back(char(0));
    out.push_back(char(0x3b));
    return out;
}

bool writeGif(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    const QByteArray bytes = encodeGif(quantise(image));
    return file.write(bytes) == bytes.size();
}

}  // namespace picgen
