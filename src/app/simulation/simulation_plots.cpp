// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/simulation/simulation_plots.h"

#include "simulation/plot_scale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace tavora::app {

namespace {


// Forward (0 degrees) points up; angles run clockwise.
QPointF PolarPoint(const QPointF& centre, double angleDeg, double r)
{
    const double a = angleDeg * std::numbers::pi / 180;
    return {centre.x() + r * std::sin(a), centre.y() - r * std::cos(a)};
}

// "-150°": degrees from forward, negative to the left.
QString SpokeLabel(int angleDeg)
{
    return QString::number(angleDeg > 180 ? angleDeg - 360 : angleDeg) + QChar(0x00B0);
}

// A label's box with its baseline's start just beside the ring at `pt`.
QRectF LabelBox(const QFontMetricsF& fm, const QPointF& pt, const QString& text)
{
    return {pt.x() + 3, pt.y() - 3 - fm.ascent(), fm.horizontalAdvance(text), fm.height()};
}

} // namespace

PolarLayout LayOutPolarCut(const QFontMetricsF& fm, const QRectF& area, const PatternCut& cut,
                           double maxGain, char sep)
{
    const double line = fm.height();
    const double margin = fm.horizontalAdvance(QStringLiteral("-150")) + line * 0.5;
    const QRectF plot = area.adjusted(margin, line * 3.2, -margin, -line * 2);
    PolarLayout out;
    out.radius = std::min(plot.width(), plot.height()) / 2;
    out.centre = plot.center();
    for (int a = 0; a <= 360; ++a) {
        const QPointF pt = PolarPoint(
            out.centre, a, out.radius * PolarRadius(cut[static_cast<size_t>(a % 360)], maxGain));
        a == 0 ? out.trace.moveTo(pt) : out.trace.lineTo(pt);
    }
    // A label goes where neither the trace nor its lobes are: first on the rear
    // diagonal, where a Yagi's pattern is low, then ever further from it.
    // Labels clear of the trace line but inside a lobe come next, then anywhere
    // clear of the other labels: two labels never print over each other.
    const double pen = 2 * std::max(1.0, line / 16);
    QPainterPathStroker stroker;
    stroker.setWidth(pen * 2);
    const QPainterPath traceLine = stroker.createStroke(out.trace);
    // Nor on the degrees around the rim, nor on each other.
    std::vector<QRectF> taken;
    for (int a = 0; a < 360; a += 30) {
        const QPointF at = PolarPoint(out.centre, a, out.radius + line * 0.8);
        const double width = fm.horizontalAdvance(SpokeLabel(a));
        taken.emplace_back(at.x() - width / 2, at.y() - line / 2, width, line);
    }
    const auto clear = [&taken](const QRectF& box) {
        return std::none_of(taken.begin(), taken.end(),
                            [&box](const QRectF& t) { return t.intersects(box); });
    };
    QPainterPath disk;
    disk.addEllipse(out.centre, out.radius, out.radius);
    std::vector<double> angles{135};
    for (int step = 5; step <= 180; step += 5)
        angles.insert(angles.end(), {135.0 + step, 135.0 - step});
    // The rim's level is in the caption.
    for (double level : PolarRings()) {
        if (level == 0)
            continue;
        const QString text = Q(RingLabel(level, sep));
        const double r = out.radius * PolarRadius(maxGain + level, maxGain);
        const auto boxAt = [&](double angle) {
            return LabelBox(fm, PolarPoint(out.centre, angle, r), text);
        };
        QRectF box = boxAt(135);
        bool placed = false;
        for (const QPainterPath* avoid : {&std::as_const(out.trace), &traceLine}) {
            for (double angle : angles)
                if (const QRectF padded = boxAt(angle).adjusted(-pen, -pen, pen, pen);
                    !avoid->intersects(padded) && clear(padded)) {
                    box = boxAt(angle);
                    placed = true;
                    break;
                }
            if (placed)
                break;
        }
        // Nowhere on its ring free of the trace (a small plot, a lobe over
        // every angle): outside the outer ring, where no trace runs.
        for (double beyond = line; !placed && beyond < line * 6; beyond += line / 2)
            for (double angle : angles) {
                const QRectF outside =
                    LabelBox(fm, PolarPoint(out.centre, angle, out.radius + beyond), text);
                const QRectF padded = outside.adjusted(-pen, -pen, pen, pen);
                if (!disk.intersects(padded) && clear(padded) && area.contains(outside)) {
                    box = outside;
                    placed = true;
                    break;
                }
            }
        taken.push_back(box);
        out.ringLabels.push_back({box, text});
    }
    return out;
}

void DrawPolarCut(QPainter& p, const QRectF& area, const PatternCut& cut, double maxGain,
                  const QString& caption, char sep)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignHCenter, caption);
    p.drawText(QRectF(area.left(), area.top() + line, area.width(), line), Qt::AlignHCenter,
               Q(PolarScaleCaption(maxGain, sep)));
    const PolarLayout layout = LayOutPolarCut(fm, area, cut, maxGain, sep);
    const double radius = layout.radius;
    const QPointF centre = layout.centre;
    const auto at = [&](double angleDeg, double r) { return PolarPoint(centre, angleDeg, r); };

    p.setPen(QPen(kGridColour, 0));
    for (double level : PolarRings()) {
        const double r = radius * PolarRadius(maxGain + level, maxGain);
        p.drawEllipse(centre, r, r);
    }
    for (int a = 0; a < 360; a += 30) {
        p.drawLine(centre, at(a, radius));
        const QPointF label = at(a, radius + line * 0.8);
        const QString text = SpokeLabel(a);
        p.setPen(Qt::darkGray);
        p.drawText(QRectF(label.x() - line * 2, label.y() - line / 2, line * 4, line),
                   Qt::AlignCenter, text);
        p.setPen(QPen(kGridColour, 0));
    }
    p.setPen(Qt::darkGray);
    for (const PolarLayout::Label& label : layout.ringLabels)
        p.drawText(QPointF(label.box.left(), label.box.top() + fm.ascent()), label.text);

    p.setPen(QPen(kBlue, 2 * LineUnit(fm)));
    p.drawPath(layout.trace);
    p.restore();
}

double LineUnit(const QFontMetricsF& fm)
{
    return std::max(1.0, fm.height() / 16);
}

double PlotAxes::X(double x) const
{
    return plot.left() + (x - xlo) / (xhi - xlo) * plot.width();
}

double PlotAxes::Y(double y, const PlotScale& scale) const
{
    return plot.bottom() - (y - scale.lo) / (scale.hi - scale.lo) * plot.height();
}

void DrawPlotAxes(QPainter& p, const PlotAxes& a, int xTicks, const QString& xCaption, char sep)
{
    const double line = QFontMetricsF(p.font()).height();
    const auto step = [](const std::vector<double>& t) { return t.size() > 1 ? t[1] - t[0] : 1; };
    const auto xt = AxisTicks(a.xlo, a.xhi, xTicks);
    for (double x : xt) {
        p.setPen(QPen(kGridColour, 0));
        p.drawLine(QPointF(a.X(x), a.plot.top()), QPointF(a.X(x), a.plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(a.X(x) - line * 3, a.plot.bottom() + 2, line * 6, line),
                   Qt::AlignHCenter, Q(TickLabel(x, step(xt), sep)));
    }
    for (const bool left : {true, false}) {
        const PlotScale& scale = left ? a.left : a.right;
        if (!(scale.hi > scale.lo))
            continue;
        const auto ticks = AxisTicks(scale.lo, scale.hi, 5);
        for (double y : ticks) {
            if (left) {
                p.setPen(QPen(kGridColour, 0));
                p.drawLine(QPointF(a.plot.left(), a.Y(y, scale)),
                           QPointF(a.plot.right(), a.Y(y, scale)));
            }
            p.setPen(scale.colour);
            const QRectF box =
                left ? QRectF(a.area.left(), a.Y(y, scale) - line / 2,
                              a.plot.left() - a.area.left() - 4, line)
                     : QRectF(a.plot.right() + 4, a.Y(y, scale) - line / 2,
                              a.area.right() - a.plot.right() - 4, line);
            p.drawText(box, (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                       Q(TickLabel(y, step(ticks), sep)));
        }
    }
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(a.plot);
    p.drawText(QRectF(a.plot.left(), a.plot.bottom() + line * 1.2, a.plot.width(), line),
               Qt::AlignHCenter, xCaption);
}

std::pair<double, double> PlotSpan(std::vector<double> values, double least)
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

void DrawTrace(QPainter& p, const PlotAxes& axes, const std::vector<double>& xs,
               const std::vector<double>& ys, const PlotScale& scale)
{
    const double unit = LineUnit(QFontMetricsF(p.font()));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(scale.colour, 2 * unit));
    QPainterPath trace;
    bool started = false;
    for (size_t i = 0; i < xs.size() && i < ys.size(); ++i) {
        if (!std::isfinite(ys[i]))
            continue;
        const QPointF pt(axes.X(xs[i]), axes.Y(ys[i], scale));
        started ? trace.lineTo(pt) : trace.moveTo(pt);
        started = true;
        p.drawEllipse(pt, 2 * unit, 2 * unit);
    }
    p.drawPath(trace);
    p.restore();
}

void DrawMark(QPainter& p, const PlotAxes& axes, double x, const QColor& colour,
              const QString& name, int row, bool fromBottom)
{
    if (!(x >= axes.xlo && x <= axes.xhi))
        return;
    const QFontMetricsF fm(p.font());
    const QRectF& plot = axes.plot;
    p.save();
    p.setPen(QPen(colour, 1.5 * LineUnit(fm), Qt::DashLine));
    p.drawLine(QPointF(axes.X(x), plot.top()), QPointF(axes.X(x), plot.bottom()));
    p.setPen(colour);
    // Named on the side with room for the name.
    const double width = fm.horizontalAdvance(name);
    const double left =
        axes.X(x) + 3 + width <= plot.right() ? axes.X(x) + 3 : axes.X(x) - 3 - width;
    p.drawText(QPointF(left, fromBottom ? plot.bottom() - fm.descent() - fm.height() * row
                                        : plot.top() + fm.height() * (row + 1)),
               name);
    p.restore();
}

void DrawSweepPlot(QPainter& p, const QRectF& area, const SimulationResult& r, bool swr, char sep)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    const QString title = swr ? Q(SwrCaption(r.z0, sep)) : QString::fromUtf8(kGainAxis);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignHCenter, title);
    const QRectF plot = area.adjusted(fm.horizontalAdvance(QStringLiteral("00000")) + 6, line * 1.5,
                                      -line, -line * 2.6);
    if (r.sweep.empty()) {
        p.restore();
        return;
    }
    std::vector<double> xs, ys;
    for (const SweepRow& s : r.sweep) {
        xs.push_back(s.frequency);
        ys.push_back(swr ? std::min(s.swr, 10.0) : s.gainDbi);
    }
    double xlo = xs.front(), xhi = xs.back();
    double ylo = *std::min_element(ys.begin(), ys.end());
    double yhi = *std::max_element(ys.begin(), ys.end());
    if (swr)
        ylo = 1;
    if (yhi - ylo < 0.5)
        yhi = ylo + 0.5;
    // Headroom, so the highest point is not drawn on the frame.
    yhi += (yhi - ylo) * 0.05;
    if (!swr)
        ylo -= (yhi - ylo) * 0.05;
    if (xhi <= xlo)
        xhi = xlo + 1;
    const PlotAxes axes{area, plot, xlo, xhi, {ylo, yhi}, {}};
    const auto px = [&](double x) { return axes.X(x); };
    const auto py = [&](double y) { return axes.Y(y, axes.left); };
    // As many frequency ticks as their labels leave room for on a narrow plot.
    const double labelRoom =
        1.6 * QFontMetricsF(p.font()).horizontalAdvance(Q(TickLabel(xhi, xhi - xlo, sep)));
    int xTicks = std::clamp(static_cast<int>(plot.width() / labelRoom), 2, 5);
    // A span the nice steps fit badly (1270 to 1322 MHz at 23 cm) can leave a
    // single tick: a finer step until there are two.
    while (xTicks < 5 && AxisTicks(xlo, xhi, xTicks).size() < 2)
        ++xTicks;
    DrawPlotAxes(p, axes, xTicks, QString::fromUtf8(kFrequencyAxis), sep);
    // The design frequency.
    p.setPen(QPen(Qt::darkGreen, LineUnit(fm), Qt::DashLine));
    p.drawLine(QPointF(px(r.frequency), plot.top()), QPointF(px(r.frequency), plot.bottom()));

    QPainterPath trace;
    for (size_t i = 0; i < xs.size(); ++i) {
        const QPointF pt(px(xs[i]), py(ys[i]));
        i == 0 ? trace.moveTo(pt) : trace.lineTo(pt);
    }
    p.setPen(QPen(swr ? kRed : kBlue, 2 * LineUnit(fm)));
    p.drawPath(trace);
    for (size_t i = 0; i < xs.size(); ++i)
        p.drawEllipse(QPointF(px(xs[i]), py(ys[i])), 2 * LineUnit(fm), 2 * LineUnit(fm));
    p.restore();
}

void DrawSimulationPlots(QPainter& p, const QRectF& a, const SimulationResult& r, char sep)
{
    const double w = a.width() / 2, h = a.height() * 0.58;
    const double maxGain = r.gainDbi;
    DrawPolarCut(p, {a.left(), a.top(), w, h}, r.ePlane, maxGain, QString::fromUtf8(kEPlaneCaption),
                 sep);
    DrawPolarCut(p, {a.left() + w, a.top(), w, h}, r.hPlane, maxGain,
                 QString::fromUtf8(kHPlaneCaption), sep);
    const double h2 = a.height() - h;
    DrawSweepPlot(p, {a.left(), a.top() + h, w, h2}, r, false, sep);
    DrawSweepPlot(p, {a.left() + w, a.top() + h, w, h2}, r, true, sep);
}

std::vector<std::vector<std::string>> FigureRows(ResultText text)
{
    text.tables.clear();
    return ResultRows(text);
}

double DrawFigureRows(QPainter& p, const QRectF& page,
                      const std::vector<std::vector<std::string>>& cellRows)
{
    const QFontMetricsF fm(p.font());
    const double line = fm.height();
    // The figures as a table: each column as wide as its widest cell.
    std::vector<QStringList> rows;
    std::vector<double> widths;
    for (const auto& cells : cellRows) {
        rows.emplace_back();
        for (const std::string& cell : cells)
            rows.back().push_back(Q(cell));
        if (rows.back().size() == 1)
            continue; // a sentence, not a row of the table
        for (int i = 0; i < rows.back().size(); ++i) {
            if (widths.size() <= static_cast<size_t>(i))
                widths.push_back(0);
            widths[static_cast<size_t>(i)] =
                std::max(widths[static_cast<size_t>(i)], fm.horizontalAdvance(rows.back()[i]));
        }
    }
    double y = page.top();
    p.setPen(Qt::black);
    for (const QStringList& cells : rows) {
        double x = page.left();
        double height = line;
        for (int i = 0; i < cells.size(); ++i) {
            // A sentence, or a row's last cell, wider than what is left of the
            // page goes on in the next lines rather than off its edge.
            const QRectF room(x, y, std::max(page.right() - x, line), page.bottom() - y);
            const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
            QRectF drawn;
            p.drawText(room, flags, cells[i], &drawn);
            height = std::max(height, drawn.height());
            if (static_cast<size_t>(i) < widths.size())
                x += widths[static_cast<size_t>(i)] + line;
        }
        y += height;
    }
    return y;
}

void DrawSimulationPage(QPainter& p, const QRectF& page, const SimulationResult& r, char sep)
{
    const double line = QFontMetricsF(p.font()).height();
    const double y = DrawFigureRows(p, page, FigureRows(SimulationText(r, sep))) + line;
    DrawSimulationPlots(p, QRectF(page.left(), y, page.width(), page.bottom() - y), r, sep);
}

} // namespace tavora::app
