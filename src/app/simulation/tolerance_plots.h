#pragma once

#include "simulation/tolerance.h"

#include <QRectF>
#include <QString>

class QPainter;

namespace tavora::app {

// The tolerance run's pictures, one routine each, drawn the same on the
// screen, the printer and a PDF.

// How the builds spread for one figure: a bar per bin, the nominal design
// as a dashed line, the 5th and 95th percentiles dotted.
void DrawToleranceHistogram(QPainter& painter, const QRectF& area, const ToleranceResult& result,
                            Judged figure, char decimalSep);

// Each element's change of one figure per mm: length and position bars side
// by side, over the elements from the reflector forward.
void DrawSensitivityBars(QPainter& painter, const QRectF& area, const ToleranceResult& result,
                         Judged figure, char decimalSep);

// The three histograms above, the three sensitivity charts below.
void DrawTolerancePlots(QPainter& painter, const QRectF& area, const ToleranceResult& result,
                        char decimalSep);

// A whole page: the figures as a table, then the plots.
void DrawTolerancePage(QPainter& painter, const QRectF& page, const ToleranceResult& result,
                       char decimalSep);

} // namespace tavora::app
