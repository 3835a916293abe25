// Where the board places its cars, mapped into the background picture.
#pragma once

#include <QPointF>
#include <QRectF>

#include <array>

namespace picgen {

constexpr int kFieldCount = 46;
constexpr int kBoardWidth = 836;
constexpr int kBoardHeight = 631;

// Left/Top in twips of field i's car rectangle (1065 x 495 twips).
struct FieldSpot {
    int left;
    int top;
};
extern const std::array<FieldSpot, kFieldCount> kFieldSpots;

// Maps a point in board twips into background pixels. The board stretches
// the picture over Left 0, Top 1200, Width 15360, Height 10320 twips.
QPointF twipsToPicture(double xTwips, double yTwips);

// Centre of field i's car rectangle in picture pixels, 0 <= i < kFieldCount.
QPointF fieldCentre(int i);

// Car rectangle of field i in picture pixels, moved by `shiftTwips`
// downwards (the board draws two cars on one field 250 twips apart).
QRectF carRect(int i, double shiftTwips);

}  // namespace picgen
