// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QImageReader>

namespace tj::ui {

namespace {

constexpr int kMaxSide = 4096;  // larger pictures are refused as unreadable

bool fitsLimit(const QSize& size) { return size.width() <= kMaxSide && size.height() <= kMaxSide; }

}  // namespace

// Decodes a file on its first use and keeps only the pixmap: the decoded image is handed
// to the pixmap rather than kept beside it.
const QPixmap* QtPictures::decoded(const QString& path) {
  auto it = pixmaps_.find(path);
  if (it == pixmaps_.end()) {
    ++decodes_;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage img;
    // A bogus header must not make us allocate a giant picture.
    const QSize sz = reader.size();
    if (!sz.isValid() || fitsLimit(sz)) img = reader.read();
    // The header may not tell the size (or tell another one than the frame): check what was decoded.
    if (!fitsLimit(img.size())) img = QImage();
    it = pixmaps_.insert(path, img.isNull() ? QPixmap() : QPixmap::fromImage(std::move(img)));
  }
  return it->isNull() ? nullptr : &*it;
}

std::optional<PictureSource::Size> QtPictures::probe(const std::string& path) {
  const QPixmap* pm = decoded(QString::fromStdString(path));
  if (!pm) return std::nullopt;
  return Size{pm->width(), pm->height()};
}

QPixmap QtPictures::pixmap(const Picture& p) {
  if (p.kind != Picture::Kind::Stored && p.kind != Picture::Kind::File) return {};
  const QString key = p.kind == Picture::Kind::Stored ? QStringLiteral(":/") + QString::fromStdString(p.ref)
                                                      : QString::fromStdString(p.ref);
  const QPixmap* pm = decoded(key);
  return pm ? *pm : QPixmap();
}

}  // namespace tj::ui
