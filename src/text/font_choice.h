// SPDX-License-Identifier: GPL-3.0-or-later
// How a font the screens name becomes the font that is drawn: free fonts stand in for the
// old ones, and a size in points becomes whole pixels. The Qt front end draws with this
// choice and the content rules measure with it, so both see the same font.
#pragma once

#include <cmath>
#include <string_view>
#include <utility>

namespace tj::text {

// The installed family (Debian: fonts-liberation2, fonts-comic-neue) drawn for each old one.
inline constexpr std::pair<std::string_view, std::string_view> kStandIns[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},
    {"Comic Sans MS", "Comic Neue"},
    {"Modern", "Liberation Serif"},
};

// The family drawn for `name`: its stand-in, else the name itself.
constexpr std::string_view drawnFamily(std::string_view name) {
  for (const auto& [old, standIn] : kStandIns)
    if (old == name) return standIn;
  return name;
}

// Pixels per point in a window drawn unscaled: 96 pixels to the inch, 72 points.
inline constexpr double kUnscaledPixelsPerPoint = 96.0 / 72.0;

// Whole pixels, at least 1, for `points` at `pixelsPerPoint`.
inline int pixelSize(double points, double pixelsPerPoint) {
  const long px = std::lround(points * pixelsPerPoint);
  return px < 1 ? 1 : static_cast<int>(px);
}

}  // namespace tj::text
