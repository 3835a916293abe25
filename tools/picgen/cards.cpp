#include "paintkit.h"
#include "pictures.h"
namespace picgen {
std::vector<Picture> cardsAndNotices() { return {}; }
}
