#include "tracklayout.h"

namespace picgen {

const std::array<FieldSpot, kFieldCount> kFieldSpots{{
    {120, 3240},  {1080, 3600}, {2040, 3840}, {3120, 3960}, {4200, 3960}, {5280, 4080},
    {6360, 3960}, {7320, 3720}, {8280, 3480}, {9000, 3840}, {9600, 4320}, {10320, 4800},
    {11400, 4920}, {12480, 5160}, {13560, 5400}, {13800, 5880}, {13800, 6480}, {13200, 6960},
    {12240, 7320}, {11160, 7080}, {10320, 6720}, {9480, 6240}, {8520, 5640}, {7560, 6000},
    {5520, 6000}, {3120, 5640}, {840, 6360},   {0, 6960},    {960, 7440},  {1920, 7080},
    {3120, 6960}, {4080, 6720}, {4320, 6120}, {6480, 5880}, {7800, 6600}, {8280, 7200},
    {9000, 7680}, {8880, 8160}, {7800, 8040}, {6720, 7920}, {5640, 7920}, {4560, 8160},
    {3600, 8400}, {3120, 8880}, {2760, 9360}, {2520, 9960},
}};

namespace {
constexpr double kCarWidth = 1065;
constexpr double kCarHeight = 495;
constexpr double kPictureTop = 1200;
constexpr double kPictureWidthTwips = 15360;
constexpr double kPictureHeightTwips = 10320;
}  // namespace

QPointF twipsToPicture(double xTwips, double yTwips)
{
    return {xTwips * kBoardWidth / kPictureWidthTwips,
            (yTwips - kPictureTop) * kBoardHeight / kPictureHeightTwips};
}

QPointF fieldCentre(int i)
{
    const FieldSpot& s = kFieldSpots[std::size_t(i)];
    return twipsToPicture(s.left + kCarWidth / 2, s.top + kCarHeight / 2);
}

QRectF carRect(int i, double shiftTwips)
{
    const FieldSpot& s = kFieldSpots[std::size_t(i)];
    const QPointF a = twipsToPicture(s.left, s.top + shiftTwips);
    const QPointF b = twipsToPicture(s.left + kCarWidth, s.top + shiftTwips + kCarHeight);
    return {a, b};
}

}  // namespace picgen
