// SPDX-License-Identifier: GPL-3.0-or-later
// The game's pictures, each with the path it is stored under below the
// assets folder. Every function returns the same pixels on every run.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace picgen {

struct Picture {
    QString path;  // relative to the assets folder; ".png" or ".gif"
    QImage image;
};

// Die faces and placeholder, cars and placeholder, setup cars, icons.
std::vector<Picture> diceAndCars();

// Action cards 1..10, winner and skip pictures.
std::vector<Picture> cardsAndNotices();

// The board background, 836 x 631.
QImage boardBackground();

// `background` with the car rectangles of every field (at their place and
// drawn apart by the shift) outlined on top: a check that the road meets them.
QImage boardDebugOverlay(const QImage& background);

// Writes every picture below `assetsDir`, creating folders as needed.
// Returns the paths that could not be written.
std::vector<QString> writeAll(const QString& assetsDir);

}  // namespace picgen
