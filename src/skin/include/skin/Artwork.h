#pragma once
// Pictures the program draws itself, so no image files need to ship with it.

#include <QPixmap>

namespace krel::skin {

// A small ringed planet on a starry sky: the about box picture and the window icon.
QPixmap PlanetPicture(int size = 73);

} // namespace krel::skin
