// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include <QImageReader>

namespace tj::ui {

namespace {

constexpr int kMaxSide = 4096;  // larger pictures are refused as unreadable

bool fitsLimit(const QSize& size) { return size.width() <= kMaxSide && size.height() <= kMaxSide; }

}  // namespace

const QImage* QtPictures::image(const QString& path) {
  auto it = images_.find(path);
  if (it == images_.end()) {
    ++decodes_;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage img;
    // A bogus header must not make us allocate a giant picture.
    const QSize sz = reader.size();
    if (!sz.isValid() || fitsLimit(sz)) img = reader.read();
    // The header may not tell the size (or tell another one than the frame): check what was decoded.
    if (!fitsLimit(img.size())) img = QImage();
    it = images_.insert(path, img);
  }
  return it->isNull() ? nullptr : &*it;
}

std::optional<PictureSource::Size> QtPictures::probe(const std::string& path) {
  const QImage* img = image(QString::fromStdString(path));
  if (!img) return std::nullopt;
  return Size{img->width(), img->height()};
}

QPixmap QtPictures::pixmap(const Picture& p) {
  if (p.kind != Picture::Kind::Stored && p.kind != Picture::Kind::File) return {};
  const QString key = p.kind == Picture::Kind::Stored ? QStringLiteral(":/") + QString::fromStdString(p.ref)
                                                      : QString::fromStdString(p.ref);
  auto it = pixmaps_.find(key);
  if (it != pixmaps_.end()) return *it;
  const QImage* img = image(key);
  QPixmap pm = img ? QPixmap::fromImage(*img) : QPixmap();
  pixmaps_.insert(key, pm);
  return pm;
}

}  // namespace tj::ui
