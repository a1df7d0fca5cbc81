// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace tavora::app {

// The stacking pictures, two Yagis seen along the boom: for one plane (the
// files vertical.bmp and horizontal.bmp beside the program are drawn by it),
// and the window's own picture of both arrangements, one above the other
// with "or" between them.
QImage PlanePicture(bool vertical);
QImage BothPlanesPicture();

} // namespace tavora::app
