// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/array.h"

#include <QRectF>

class QPainter;

namespace tavora::app {

// The array's pictures, one routine each, for the screen, the printer, a PDF
// and a PNG.


// Both cuts of the array, one Yagi's drawn under each on the same scale, and
// the spacing sweep below.
void DrawArrayPlots(QPainter& painter, const QRectF& area, const ArrayResult& result,
                    char decimalSep);

// A whole page: the figures, the sweep's marks, then the plots.
void DrawArrayPage(QPainter& painter, const QRectF& page, const ArrayResult& result,
                   char decimalSep);

} // namespace tavora::app
