#pragma once

#include "simulation/simulation.h"

#include <QRectF>

class QPainter;

namespace tavora::app {

// The simulation's pictures, one routine each, drawn the same on the screen,
// the printer, a PDF and a PNG.

// A pattern cut on the dB scale: rings every 10 dB with their labels, spokes
// every 30 degrees marked in degrees from forward, the cut in blue.
void DrawPolarCut(QPainter& painter, const QRectF& area, const PatternCut& cut, double maxGain,
                  const QString& caption, char decimalSep);

// A quantity over the sweep: framed axes with ticks and labels, the design
// frequency marked.
void DrawSweepPlot(QPainter& painter, const QRectF& area, const SimulationResult& result, bool swr,
                   char decimalSep);

// Both cuts above, gain and SWR over the sweep below.
void DrawSimulationPlots(QPainter& painter, const QRectF& area, const SimulationResult& result,
                         char decimalSep);

// A whole page: the figures, then the plots.
void DrawSimulationPage(QPainter& painter, const QRectF& page, const SimulationResult& result,
                        char decimalSep);

} // namespace tavora::app
