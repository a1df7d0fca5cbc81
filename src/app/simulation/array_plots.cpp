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

const QColor kGain(0, 70, 200);
const QColor kLobe(200, 40, 40);
const QColor kGrid(180, 180, 180);
const QColor kSingle(120, 120, 120);

double Unit(const QFontMetricsF& fm)
{
    return std::max(1.0, fm.height() / 16);
}

// A scale over the values with a little headroom either side.
std::pair<double, double> Span(std::vector<double> values, double least)
{
    values.erase(
        std::remove_if(values.begin(), values.end(), [](double v) { return !std::isfinite(v); }),
        values.end());
    if (values.empty())
        return {0, least};
    double lo = *std::min_element(values.begin(), values.end());
    double hi = *std::max_element(values.begin(), values.end());
    if (hi - lo < least)
        hi = lo + least;
    const double pad = (hi - lo) * 0.05;
    return {lo - pad, hi + pad};
}

void DrawOverlaidCut(QPainter& p, const QRectF& area, const PatternCut& array,
                     const PatternCut& single, double maxGain, const char* caption, char sep)
{
    DrawPolarCut(p, area, array, maxGain, QString::fromUtf8(caption), sep);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const PolarLayout under = LayOutPolarCut(fm, area, single, maxGain, sep);
    p.setPen(QPen(kSingle, 1.5 * Unit(fm), Qt::DashLine));
    p.drawPath(under.trace);
    p.restore();
}

} // namespace

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
    const auto [glo, ghi] = Span(gains, 0.5);
    const auto [llo, lhi] = Span(lobes, 5);
    const auto px = [&](double x) { return plot.left() + (x - xlo) / (xhi - xlo) * plot.width(); };
    const auto py = [&](double y, double lo, double hi) {
        return plot.bottom() - (y - lo) / (hi - lo) * plot.height();
    };

    const auto xt = AxisTicks(xlo, xhi, 6);
    const double xstep = xt.size() > 1 ? xt[1] - xt[0] : 1;
    for (double x : xt) {
        p.setPen(QPen(kGrid, 0));
        p.drawLine(QPointF(px(x), plot.top()), QPointF(px(x), plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(px(x) - line * 3, plot.bottom() + 2, line * 6, line), Qt::AlignHCenter,
                   Q(TickLabel(x, xstep, sep)));
    }
    // The gain's scale on the left with the grid, the side lobes' on the right.
    for (const bool gain : {true, false}) {
        const double lo = gain ? glo : llo, hi = gain ? ghi : lhi;
        const auto ticks = AxisTicks(lo, hi, 5);
        const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
        for (double y : ticks) {
            if (gain) {
                p.setPen(QPen(kGrid, 0));
                p.drawLine(QPointF(plot.left(), py(y, lo, hi)),
                           QPointF(plot.right(), py(y, lo, hi)));
            }
            p.setPen(gain ? kGain : kLobe);
            const QRectF box = gain ? QRectF(area.left(), py(y, lo, hi) - line / 2,
                                             plot.left() - area.left() - 4, line)
                                    : QRectF(plot.right() + 4, py(y, lo, hi) - line / 2,
                                             area.right() - plot.right() - 4, line);
            p.drawText(box, (gain ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       Q(TickLabel(y, step, sep)));
        }
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(plot);
    p.drawText(QRectF(plot.left(), plot.bottom() + line * 1.2, plot.width(), line),
               Qt::AlignHCenter, QStringLiteral("Spacing (mm)"));

    // The side lobe limit, on the side lobes' scale.
    p.setPen(QPen(kLobe, Unit(fm), Qt::DotLine));
    p.drawLine(QPointF(plot.left(), py(r.sideLobeLimit, llo, lhi)),
               QPointF(plot.right(), py(r.sideLobeLimit, llo, lhi)));
    // The three spacings, each named at the top of its line.
    const auto mark = [&](double x, const QColor& colour, const QString& name, int row) {
        if (!(x >= xlo && x <= xhi))
            return;
        p.setPen(QPen(colour, 1.5 * Unit(fm), Qt::DashLine));
        p.drawLine(QPointF(px(x), plot.top()), QPointF(px(x), plot.bottom()));
        p.setPen(colour);
        p.drawText(QPointF(px(x) + 3, plot.top() + line * (row + 1)), name);
    };
    mark(r.atRule.spacing, Qt::darkGreen, QStringLiteral("rule"), 0);
    if (r.maximum >= 0)
        mark(r.sweep[static_cast<size_t>(r.maximum)].spacing, kGain, QStringLiteral("maximum"), 1);
    if (r.lastClean >= 0)
        mark(r.sweep[static_cast<size_t>(r.lastClean)].spacing, kLobe, QStringLiteral("side lobes"),
             2);

    for (const bool gain : {true, false}) {
        QPainterPath trace;
        bool started = false;
        for (size_t i = 0; i < xs.size(); ++i) {
            const double y = gain ? gains[i] : lobes[i + 1];
            if (!std::isfinite(y))
                continue;
            const QPointF pt(px(xs[i]), gain ? py(y, glo, ghi) : py(y, llo, lhi));
            started ? trace.lineTo(pt) : trace.moveTo(pt);
            started = true;
            p.setPen(QPen(gain ? kGain : kLobe, 2 * Unit(fm)));
            p.drawEllipse(pt, 2 * Unit(fm), 2 * Unit(fm));
        }
        p.setPen(QPen(gain ? kGain : kLobe, 2 * Unit(fm)));
        p.drawPath(trace);
    }
    p.restore();
}

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
    std::vector<std::string> lines = ArrayFigureLines(r, sep);
    // The sweep's marks without its table, which the plot shows.
    const std::vector<std::string> sweep = ArraySweepLines(r, sep);
    lines.insert(lines.end(), sweep.end() - 3, sweep.end());
    const double y = DrawFigureRows(p, page, lines) + line;
    DrawArrayPlots(p, QRectF(page.left(), y, page.width(), page.bottom() - y), r, sep);
}

} // namespace tavora::app
