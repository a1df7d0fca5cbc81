// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/tolerance.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace tavora::app {

// The tolerance run's pictures, one routine each, drawn the same on the
// screen, the printer and a PDF.

// The three histograms above, the three sensitivity charts below.
void DrawTolerancePlots(QPainter& painter, const QRectF& area, const ToleranceResult& result,
                        char decimalSep);

// A whole page: the figures as a table, then the plots.
void DrawTolerancePage(QPainter& painter, const QRectF& page, const ToleranceResult& result,
                       char decimalSep);

} // namespace tavora::app
