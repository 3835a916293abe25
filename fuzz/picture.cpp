// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <cstdlib>
#include <memory>

#include "fuzz_support.h"
#include "ui/pictures.h"

namespace tj::fuzz::picture {

namespace {

constexpr int kMaxSide = 4096;  // the loader refuses larger pictures

void ensureApplication() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "fuzz_picture";
  static char* argv[] = {name, nullptr};
  static const auto app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int fuzzOne(const uint8_t* data, size_t size) {
  ensureApplication();
  const std::string file = writeInput("x.gif", data, size).string();
  ui::QtPictures pictures;  // fresh: it keeps every decoded file
  const auto probed = pictures.probe(file);
  if (probed && (probed->width <= 0 || probed->height <= 0 || probed->width > kMaxSide || probed->height > kMaxSide)) {
    std::abort();
  }
  const QPixmap pm = pictures.pixmap(tj::Picture::file(file, 0, 0));
  if (pm.isNull() != !probed) std::abort();  // probe and pixmap agree on readability
  if (probed && (pm.width() != probed->width || pm.height() != probed->height)) std::abort();
  return 0;
}

}  // namespace tj::fuzz::picture
