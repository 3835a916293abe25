// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracklayout.h"

namespace picgen {

namespace track = tj::track;

QPointF twipsToPicture(double xTwips, double yTwips) {
    return {xTwips * kBoardWidth / track::kBoardWidth,
            (yTwips - track::kBackgroundTop) * kBoardHeight / (track::kBoardHeight - track::kBackgroundTop)};
}

QPointF fieldCentre(int i) {
    const track::Spot& s = track::kSpots[std::size_t(i)];
    return twipsToPicture(s.left + track::kCarWidth / 2.0, s.top + track::kCarHeight / 2.0);
}

QRectF carRect(int i, double shiftTwips) {
    const track::Spot& s = track::kSpots[std::size_t(i)];
    const QPointF a = twipsToPicture(s.left, s.top + shiftTwips);
    const QPointF b = twipsToPicture(s.left + track::kCarWidth, s.top + shiftTwips + track::kCarHeight);
    return {a, b};
}

}  // namespace picgen
