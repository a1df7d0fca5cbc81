// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simulation/simulation.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <string>
#include <utility>
#include <vector>

class QFontMetricsF;
class QPainter;

namespace tavora::app {

// The core's texts on the pictures.
inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The simulation's pictures, one routine each, drawn the same on the screen,
// the printer, a PDF and a PNG.

inline const QColor kGridColour{180, 180, 180};
// The traces' colours: gain blue; SWR and side lobes red.
inline const QColor kBlue{0, 70, 200};
inline const QColor kRed{200, 40, 40};
// Line widths follow the font, so that a printer's or a PDF's many dots per
// inch get the same look as the screen.
double LineUnit(const QFontMetricsF& fm);

// An x-y plot's rectangle inside its area and its scales. The left scale
// draws the grid; the right one, where it spans anything, only its labels.
struct PlotScale {
    double lo = 0, hi = 0;
    QColor colour = Qt::black; // of its tick labels
};
struct PlotAxes {
    QRectF area, plot;
    double xlo = 0, xhi = 1;
    PlotScale left, right;
    double X(double x) const;
    double Y(double y, const PlotScale& scale) const;
};
// The grid, the tick labels (at most `xTicks` along x), the frame, and
// `xCaption` under the x labels.
void DrawPlotAxes(QPainter& painter, const PlotAxes& axes, int xTicks, const QString& xCaption,
                  char decimalSep);
// A scale over the finite values with a little headroom either side, at
// least `least` wide.
std::pair<double, double> PlotSpan(std::vector<double> values, double least);
// Dots joined by a line, in the scale's colour, where y is finite.
void DrawTrace(QPainter& painter, const PlotAxes& axes, const std::vector<double>& xs,
               const std::vector<double>& ys, const PlotScale& scale);
// A dashed line across the plot at `x`, named in the `row`th line down from
// its top, or up from its bottom; nothing where x is off the plot.
void DrawMark(QPainter& painter, const PlotAxes& axes, double x, const QColor& colour,
              const QString& name, int row, bool fromBottom = false);

// Where a pattern cut's parts go in `area` for a font: the trace, and each
// ring's label at a place on its ring that the trace does not run through.
struct PolarLayout {
    QPointF centre;
    double radius = 0;
    QPainterPath trace;
    struct Label {
        QRectF box;
        QString text;
    };
    std::vector<Label> ringLabels;
};
PolarLayout LayOutPolarCut(const QFontMetricsF& fm, const QRectF& area, const PatternCut& cut,
                           double maxGain, char decimalSep);

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

// The heading, the notes and the figure rows, for DrawFigureRows.
std::vector<std::vector<std::string>> FigureRows(ResultText text);
// Rows of cells as a table from the page's top, each column as wide as its
// widest cell, a row of one cell as a sentence; gives the y below the last row.
double DrawFigureRows(QPainter& painter, const QRectF& page,
                      const std::vector<std::vector<std::string>>& rows);

// A whole page: the figures, then the plots.
void DrawSimulationPage(QPainter& painter, const QRectF& page, const SimulationResult& result,
                        char decimalSep);

} // namespace tavora::app
