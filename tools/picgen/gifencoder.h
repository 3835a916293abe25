// SPDX-License-Identifier: GPL-3.0-or-later
// Deterministic GIF89a writer: one frame, a global colour table of at most
// 256 entries and, when the picture has transparent pixels, one transparent
// colour index.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

#include <vector>

namespace picgen {

// A picture reduced to at most 256 colours. Pixels are palette indices,
// row by row; transparentIndex is -1 when no pixel is transparent.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;  // opaque colours; at most 256 entries
    std::vector<unsigned char> pixels;
    int transparentIndex = -1;
};

// Pixels with alpha < 128 become transparent, all others opaque with their
// own RGB. Up to 256 distinct colours (255 with transparency) are kept
// exactly; more are reduced by median cut. The result depends only on the
// pixels of `image`, never on their order in memory or on the run.
IndexedPicture quantise(const QImage& image);

// What a GIF reader shows for `picture`: ARGB32, transparent pixels 0.
QImage toImage(const IndexedPicture& picture);

// The complete GIF89a file for `picture` (LZW, 12-bit codes at most).
QByteArray encodeGif(const IndexedPicture& picture);

// quantise + encodeGif, written to `path`; false when the file cannot be
// written.
bool writeGif(const QImage& image, const QString& path);

}  // namespace picgen
