// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/array_plots.h"

#include "app/simulation/simulation_plots.h"

#include "simulation/plot_scale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tavora::app {

namespace {

const QColor kSingle(120, 120, 120);

void DrawOverlaidCut(QPainter& p, const QRectF& area, const PatternCut& array,
                     const PatternCut& single, double maxGain, const char* caption, char sep)
{
    DrawPolarCut(p, area, array, maxGain, QString::fromUtf8(caption), sep);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const PolarLayout under = LayOutPolarCut(fm, area, single, maxGain, sep);
    p.setPen(QPen(kSingle, 1.5 * LineUnit(fm), Qt::DashLine));
    p.drawPath(under.trace);
    p.restore();
}

// Stacked gain (left scale) and the worst first side lobe (right scale)
// against spacing, with the side lobe limit, the rule's spacing, the best
// spacing and the largest spacing below the limit marked.
void DrawSpacingSweep(QPainter& p, const QRectF& area, const ArrayResult& r, char sep)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignHCenter,
               QStringLiteral("Stacked gain (dBi, blue) and worst side lobe (dB, red)"));
    const double margin = fm.horizontalAdvance(QStringLiteral("00000")) + 6;
    const QRectF plot = area.adjusted(margin, line * 1.5, -margin, -line * 2.6);
    if (r.sweep.empty()) {
        p.restore();
        return;
    }
    std::vector<double> xs, gains, lobes{r.sideLobeLimit};
    for (const ArrayPoint& point : r.sweep) {
        xs.push_back(point.spacing);
        gains.push_back(point.result.gainDbi);
        lobes.push_back(point.worstSideLobe);
    }
    const double xlo = xs.front(), xhi = std::max(xs.back(), xlo + 1);
    const auto [glo, ghi] = PlotSpan(gains, 0.5);
    const auto [llo, lhi] = PlotSpan(lobes, 5);
    // The gain's scale on the left with the grid, the side lobes' on the right.
    const PlotAxes axes{area, plot, xlo, xhi, {glo, ghi, kBlue}, {llo, lhi, kRed}};
    DrawPlotAxes(p, axes, 6, QStringLiteral("Spacing (mm)"), sep);

    // The side lobe limit, on the side lobes' scale.
    p.setPen(QPen(kRed, LineUnit(fm), Qt::DotLine));
    p.drawLine(QPointF(plot.left(), axes.Y(r.sideLobeLimit, axes.right)),
               QPointF(plot.right(), axes.Y(r.sideLobeLimit, axes.right)));
    // The three spacings, each named at the top of its line.
    DrawMark(p, axes, r.atRule.spacing, Qt::darkGreen, QStringLiteral("rule"), 0);
    if (r.best)
        DrawMark(p, axes, r.best->spacing, kBlue, QStringLiteral("best"), 1);
    if (r.clean)
        DrawMark(p, axes, r.clean->spacing, kRed, QStringLiteral("side lobes"), 2);
    DrawTrace(p, axes, xs, gains, axes.left);
    DrawTrace(p, axes, xs, std::vector<double>(lobes.begin() + 1, lobes.end()), axes.right);
    p.restore();
}

} // namespace

void DrawArrayPlots(QPainter& p, const QRectF& a, const ArrayResult& r, char sep)
{
    const double w = a.width() / 2, h = a.height() * 0.55;
    const double maxGain = r.at.result.gainDbi;
    DrawOverlaidCut(p, {a.left(), a.top(), w, h}, r.at.result.ePlane, r.single.ePlane, maxGain,
                    kEPlaneCaption, sep);
    DrawOverlaidCut(p, {a.left() + w, a.top(), w, h}, r.at.result.hPlane, r.single.hPlane, maxGain,
                    kHPlaneCaption, sep);
    DrawSpacingSweep(p, {a.left(), a.top() + h, a.width(), a.height() - h}, r, sep);
}

void DrawArrayPage(QPainter& p, const QRectF& page, const ArrayResult& r, char sep)
{
    const double line = QFontMetricsF(p.font()).height();
    const ResultText text = ArrayText(r, sep);
    auto rows = FigureRows(text);
    // The sweep's summary without its table, which the plot shows.
    for (const FigureRow& row : text.tables.at(0).summary)
        rows.push_back(RowCells(row));
    const double y = DrawFigureRows(p, page, rows) + line;
    DrawArrayPlots(p, QRectF(page.left(), y, page.width(), page.bottom() - y), r, sep);
}

} // namespace tavora::app
