// SPDX-License-Identifier: GPL-3.0-or-later
// Where the board places its cars, mapped into the background picture.
#pragma once

#include "game/track.h"

#include <QPointF>
#include <QRectF>

namespace picgen {

constexpr int kFieldCount = tj::track::kFieldCount;
constexpr int kBoardWidth = 836;
constexpr int kBoardHeight = 631;

// Maps a point in board twips into background pixels. The board stretches
// the picture over its design area below the top strip.
QPointF twipsToPicture(double xTwips, double yTwips);

// Centre of field i's car rectangle in picture pixels, 0 <= i < kFieldCount.
QPointF fieldCentre(int i);

// Car rectangle of field i in picture pixels, moved by `shiftTwips`
// downwards (the board draws two cars on one field kPairShift apart).
QRectF carRect(int i, double shiftTwips);

}  // namespace picgen
