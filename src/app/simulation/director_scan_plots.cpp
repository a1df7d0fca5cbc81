// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/director_scan_plots.h"

#include "app/simulation/simulation_plots.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace tavora::app {

namespace {
// The most of a page the figures and the table take; the plot has the rest.
constexpr double kTableShare = 0.6;
} // namespace

void DrawDirectorScanPlot(QPainter& p, const QRectF& area, const DirectorScan& scan, char sep)
{
    if (scan.rows.empty())
        return;
    p.save();
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignHCenter,
               QStringLiteral("Gain (dBi, blue) and F/B (dB, red) against boom length; "
                              "directors above"));
    const double margin = fm.horizontalAdvance(QStringLiteral("00000")) + 6;
    const QRectF plot = area.adjusted(margin, line * 2.6, -margin, -line * 2.6);
    std::vector<double> xs, gains, ratios;
    for (const ScanRow& row : scan.rows) {
        xs.push_back(row.boomLength);
        gains.push_back(row.result.gainDbi);
        ratios.push_back(row.result.frontToBack);
    }
    const auto [xlo, xhi] = PlotSpan(xs, 1);
    const auto [glo, ghi] = PlotSpan(gains, 0.5);
    const auto [rlo, rhi] = PlotSpan(ratios, 5);
    const PlotAxes axes{area, plot, xlo, xhi, {glo, ghi, kBlue}, {rlo, rhi, kRed}};
    DrawPlotAxes(p, axes, 8, QStringLiteral("Boom, reflector to last director (mm)"), sep);

    // Each point's count above the plot, as many as fit side by side.
    double clear = plot.left() - line;
    for (const ScanRow& row : scan.rows) {
        const QString count = QString::number(row.directors);
        const double x = axes.X(row.boomLength), half = fm.horizontalAdvance(count) / 2;
        if (x - half < clear)
            continue;
        p.drawText(QPointF(x - half, plot.top() - line * 0.4), count);
        clear = x + half + fm.horizontalAdvance(QStringLiteral("0"));
    }
    // Named at the bottom: the best F/B is the red trace's top.
    const auto mark = [&](int row, const QColor& colour, const char* what, int at) {
        if (row >= 0)
            DrawMark(p, axes, xs[static_cast<size_t>(row)], colour,
                     QString::fromUtf8(what) + QString::number(scan.rows[row].directors), at, true);
    };
    mark(scan.bestFrontToBack, kRed, "best F/B: ", 0);
    mark(scan.lowestSwr, Qt::darkGreen, "lowest SWR: ", 1);
    DrawTrace(p, axes, xs, gains, axes.left);
    DrawTrace(p, axes, xs, ratios, axes.right);
    p.restore();
}

void DrawDirectorScanPage(QPainter& p, const QRectF& page, const DirectorScan& scan, char sep)
{
    p.save();
    const QFont plotFont = p.font();
    const ResultText text = DirectorScanText(scan, sep);
    // A long scan's rows in a smaller font, so that every row and the plot
    // still go on the one page.
    const double rows = static_cast<double>(FigureRows(text).size() + scan.rows.size() + 3);
    const double room = kTableShare * page.height() / (rows * QFontMetricsF(p.font()).height());
    if (room < 1) {
        QFont font = p.font();
        if (font.pointSizeF() > 0)
            font.setPointSizeF(font.pointSizeF() * room);
        else
            font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * room)));
        p.setFont(font);
    }
    const double line = QFontMetricsF(p.font()).height();
    double y = DrawFigureRows(p, page, FigureRows(text));
    // The table's columns as wide as its own cells, not the figures'.
    y = DrawFigureRows(p, QRectF(page.left(), y, page.width(), page.bottom() - y),
                       ResultRows({{}, {}, {}, text.tables})) +
        line;
    // The plot where the rows leave room for one, in the page's own font.
    p.setFont(plotFont);
    if (page.bottom() - y > 10 * line)
        DrawDirectorScanPlot(p, QRectF(page.left(), y, page.width(), page.bottom() - y), scan, sep);
    p.restore();
}

} // namespace tavora::app
