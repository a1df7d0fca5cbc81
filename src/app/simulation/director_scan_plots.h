// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/director_scan.h"

#include <QRectF>

class QPainter;

namespace tavora::app {

// Gain (dBi) and F/B (dB) against boom length, the counts with the best F/B
// and the lowest SWR marked; for the screen, the printer, a PDF and a PNG.
void DrawDirectorScanPlot(QPainter& painter, const QRectF& area, const DirectorScan& scan,
                          char decimalSep);

// A whole page: the figures and every count's row, then the plot.
void DrawDirectorScanPage(QPainter& painter, const QRectF& page, const DirectorScan& scan,
                          char decimalSep);

} // namespace tavora::app
