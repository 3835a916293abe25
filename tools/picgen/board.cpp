#include "paintkit.h"
#include "pictures.h"
#include "tracklayout.h"
namespace picgen {
QImage boardBackground() { return canvas(kBoardWidth, kBoardHeight, QColor(100,200,100)); }
QImage boardDebugOverlay() { return boardBackground(); }
}
