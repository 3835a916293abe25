// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QPixmap>
#include <QString>

#include "screens/event_loop.h"
#include "screens/element.h"

namespace tj::ui {

// Decodes every picture file once and shares it between all elements that show it.
class QtPictures final : public PictureSource {
 public:
  std::optional<Size> probe(const std::string& path) override;
  // The pixmap for a model picture; a null pixmap for none or an unreadable file.
  QPixmap pixmap(const Picture& p);
  int decodes() const { return decodes_; }

 private:
  const QPixmap* decoded(const QString& path);
  QHash<QString, QPixmap> pixmaps_;  // null pixmap: known to be unreadable
  int decodes_ = 0;
};

}  // namespace tj::ui
