#pragma once

#include <QPixmap>

namespace prynex {

// The control's logo, a sheet with ruled lines under a magnifier; drawn in
// code so that the library carries no image files.
QPixmap prynexLogo(int size);

}  // namespace prynex
